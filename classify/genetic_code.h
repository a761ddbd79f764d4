// The genetic codes and the codon change of a single-base variant inside a
// protein gene, read on the gene's strand under the gene's code.
#pragma once

#include <cstdint>
#include <string>

#include "core/workspace.h"

namespace corvella {

// Amino-acid text of a codon: a one-letter code, "STOP", or "X" for anything
// not in the table. A blank third character (a codon cut short at the end of
// its gene) reads as "STOP" before anything else is looked at. Lookup is on
// the DNA letters, exact and case-sensitive: "UUA" or "tta" give "X".
// `genetic_code` is NCBI's table number; one the program does not hold
// translates nothing ("X").
std::string geneticCode(const std::string& codon, int genetic_code = VERTEBRATE_MITOCHONDRIAL_CODE);

// "Neutral Apolar", "Neutral Polar", "Basic Polar", "Acid Polar", or "STOP"
// for anything else (so "X" is "STOP" too).
std::string polarityAcidity(const std::string& amino_acid);

// Display form: every T among the first three characters becomes U.
void replace_T_U(std::string& codon);
// Complements the first three characters in place (A<->T, C<->G), without
// reversing them; blanks, N and other characters stay.
void complementar(std::string& codon);

// True for a change from A, C, G or T to anything but its transition partner
// (A<->G, C<->T); false for any other reference letter, such as N.
bool is_transversion(char ref, char alt);
// is_transversion of the reference letter at p; false outside the reference.
bool pos_is_transversion(const Workspace& ws, int32_t p, char alt);

struct CodonChange {
    int gene_index = 0;              // protein gene row 0..12
    int32_t variant_position = 0;    // 1-based reference position
    char ref_base = 0;               // reference letter at variant_position
    char new_base = 0;
    int codon_position = 0;          // 1..3, in reading direction
    int amino_acid_position = 0;     // from 1, counted from the gene's first codon
    std::string ref_codon;           // DNA letters; blanks past the gene end
    std::string new_codon;           // DNA letters, never blanked
    std::string ref_amino_acid;
    std::string new_amino_acid;
    bool synonymous = false;         // equal amino-acid texts ("X"=="X", "STOP"=="STOP")
};

// Codon change of the variant (p, n) in protein gene g. The caller keeps p
// inside the gene. Strand and code come from ws.protein_reading[g]: a
// reverse-strand gene (ND6 alone in the built-in layout) is read backwards
// from its end and complemented, with no end-of-gene blanks; a forward gene
// reads forwards and blanks the reference codon's letters past its end.
// Letters outside the reference read as blanks.
CodonChange build_codon_change(const Workspace& ws, int gene, int32_t p, char n);

}  // namespace corvella
