// The four bases as the numbers 0..3, the order every per-base table uses.
#pragma once

namespace corvella {

constexpr char NUCLEOTIDES[4] = {'A', 'C', 'G', 'T'};

// A, C, G, T as 0, 1, 2, 3; any other letter (N, a gap, lower case) -1.
inline int nucleotide_index(char c) {
    switch (c) {
        case 'A': return 0;
        case 'C': return 1;
        case 'G': return 2;
        case 'T': return 3;
        default: return -1;
    }
}

// The base paired with c on the other strand (A-T, C-G); any other letter
// stays as it is.
inline char complement_base(char c) {
    switch (c) {
        case 'A': return 'T';
        case 'C': return 'G';
        case 'G': return 'C';
        case 'T': return 'A';
        default: return c;
    }
}

}  // namespace corvella
