#include "classify/genetic_code.h"

#include <cstring>

#include "core/nucleotides.h"

namespace corvella {

namespace {

// Index of a DNA letter in TCAG order, or -1.
int tcag_index(char c) {
    switch (c) {
        case 'T': return 0;
        case 'C': return 1;
        case 'A': return 2;
        case 'G': return 3;
        default: return -1;
    }
}

}  // namespace

std::string geneticCode(const std::string& codon, int genetic_code) {
    if (codon.size() >= 3 && codon[2] == ' ') return "STOP";
    if (codon.size() != 3) return "X";
    const GeneticCodeTable* table = find_genetic_code(genetic_code);
    if (table == nullptr) return "X";
    const int a = tcag_index(codon[0]), b = tcag_index(codon[1]), c = tcag_index(codon[2]);
    if (a < 0 || b < 0 || c < 0) return "X";
    const char aa = table->amino_acids[a * 16 + b * 4 + c];
    if (aa == '*') return "STOP";
    return std::string(1, aa);
}

std::string polarityAcidity(const std::string& amino_acid) {
    struct ClassSet {
        const char* letters;
        const char* name;
    };
    static const ClassSet sets[] = {{"GAPLVIFWMC", "Neutral Apolar"},
                                    {"STYNQ", "Neutral Polar"},
                                    {"RHK", "Basic Polar"},
                                    {"DE", "Acid Polar"}};
    // A class holds one-letter texts only; "STOP" and "X" fall through.
    if (amino_acid.size() == 1) {
        for (const auto& s : sets)
            if (std::strchr(s.letters, amino_acid[0]) != nullptr && amino_acid[0] != '\0') return s.name;
    }
    return "STOP";
}

void replace_T_U(std::string& codon) {
    for (size_t i = 0; i < codon.size() && i < 3; ++i)
        if (codon[i] == 'T') codon[i] = 'U';
}

void complementar(std::string& codon) {
    for (size_t i = 0; i < codon.size() && i < 3; ++i) codon[i] = complement_base(codon[i]);
}

bool is_transversion(char r, char n) {
    switch (r) {
        case 'A': return n != 'G';
        case 'G': return n != 'A';
        case 'C': return n != 'T';
        case 'T': return n != 'C';
        default: return false;
    }
}

bool pos_is_transversion(const Workspace& ws, int32_t p, char alt) {
    if (p < 1 || p > ws.reference_length()) return false;
    return is_transversion(ws.reference_letter(p), alt);
}

CodonChange build_codon_change(const Workspace& ws, int g, int32_t p, char n) {
    auto b = [&ws](int32_t q) -> char {
        return (q >= 1 && q <= ws.reference_length()) ? ws.reference_letter(q) : ' ';
    };
    const int32_t s = ws.protein_start(g);
    const int32_t e = ws.protein_end(g);
    const ProteinGeneReading reading = ws.protein_reading[static_cast<size_t>(g)];
    const bool reverse = reading.reverse;

    CodonChange c;
    c.gene_index = g;
    c.variant_position = p;
    c.ref_base = b(p);
    c.new_base = n;
    const int32_t d = reverse ? e - p : p - s;
    c.codon_position = static_cast<int>(d % 3) + 1;
    c.amino_acid_position = static_cast<int>(d / 3) + 1;

    // Letters in reading direction; a reverse gene reads the reference backwards.
    const int dir = reverse ? -1 : 1;
    const int32_t first = p - dir * (c.codon_position - 1);
    std::string codon(3, ' ');
    for (int i = 0; i < 3; ++i) codon[i] = b(first + dir * i);
    c.ref_codon = codon;
    c.new_codon = codon;
    c.new_codon[c.codon_position - 1] = n;

    if (!reverse) {
        // A codon cut short by the gene end reads with blanks in the reference
        // codon only; the new codon reads on into the next region.
        for (int i = c.codon_position; i < 3; ++i)
            if (first + i > e) c.ref_codon[i] = ' ';
    } else {
        complementar(c.ref_codon);
        complementar(c.new_codon);
    }

    c.ref_amino_acid = geneticCode(c.ref_codon, reading.genetic_code);
    c.new_amino_acid = geneticCode(c.new_codon, reading.genetic_code);
    c.synonymous = c.ref_amino_acid == c.new_amino_acid;
    return c;
}

}  // namespace corvella
