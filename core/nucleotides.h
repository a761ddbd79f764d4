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

}  // namespace corvella
