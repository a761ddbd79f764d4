// NCBI's numbered genetic codes (the /transl_table numbers of GenBank CDS
// features) that the program holds. Codes whose stop codons depend on the
// context in the message (27, 28, 31) are not held, nor are the retired
// numbers.
#pragma once

#include <string>
#include <vector>

namespace corvella {

// The vertebrate mitochondrial code: the code of the built-in reference and
// of every protein gene whose CDS names none.
constexpr int VERTEBRATE_MITOCHONDRIAL_CODE = 2;

struct GeneticCodeTable {
    int id;                   // NCBI translation table number
    const char* name;         // NCBI's name of the code
    const char* amino_acids;  // 64 one-letter codes, codons in TCAG x TCAG x TCAG order; '*' a stop
    const char* starts = "";  // the initiation codons, blank-separated ("ATT ATC ATA ATG GTG")
};

// The held table with this number, or nullptr.
const GeneticCodeTable* find_genetic_code(int id);

// Every held table, by number.
const std::vector<GeneticCodeTable>& held_genetic_codes();

}  // namespace corvella
