#include "core/workspace.h"

namespace corvella {

const std::array<const char*, PROTEIN_GENE_COUNT> PROTEIN_GENE_NAMES = {
    "ATP6", "ATP8", "COX1", "COX2", "COX3", "CYTB", "ND1",
    "ND2",  "ND3",  "ND4L", "ND4",  "ND5",  "ND6"};

const std::array<const char*, RNA_GENE_COUNT> RNA_GENE_NAMES = {
    "tRNA-Phe", "tRNA-Val", "tRNA-Leu", "tRNA-Ile", "tRNA-Gln", "tRNA-Met",
    "tRNA-Trp", "tRNA-Ala", "tRNA-Asn", "tRNA-Cys", "tRNA-Tyr", "tRNA-Ser",
    "tRNA-Asp", "tRNA-Lys", "tRNA-Gly", "tRNA-Arg", "tRNA-His", "tRNA-Ser",
    "tRNA-Leu", "tRNA-Glu", "tRNA-Thr", "tRNA-Pro", "s-rRNA",   "l-rRNA"};

const std::array<const char*, RNA_GENE_COUNT> RNA_SHORT_NAMES = {
    "Phe", "Val", "Leu(UUR)", "Ile", "Gln", "Met", "Trp", "Ala",
    "Asn", "Cys", "Tyr", "Ser(UCN)", "Asp", "Lys", "Gly", "Arg",
    "His", "Ser(AGY)", "Leu(CUN)", "Glu", "Thr", " Pro", "s-rRNA", "l-rRNA"};

const std::array<const char*, PROTEIN_GENE_COUNT> PROTEIN_GENE_SYMBOLS = {
    "MT-ATP6", "MT-ATP8", "MT-CO1", "MT-CO2", "MT-CO3", "MT-CYB",  "MT-ND1",
    "MT-ND2",  "MT-ND3",  "MT-ND4L", "MT-ND4", "MT-ND5", "MT-ND6"};

const std::array<const char*, RNA_GENE_COUNT> RNA_GENE_SYMBOLS = {
    "MT-TF", "MT-TV", "MT-TL1", "MT-TI", "MT-TQ", "MT-TM", "MT-TW", "MT-TA",
    "MT-TN", "MT-TC", "MT-TY", "MT-TS1", "MT-TD", "MT-TK", "MT-TG", "MT-TR",
    "MT-TH", "MT-TS2", "MT-TL2", "MT-TE", "MT-TT", "MT-TP", "MT-RNR1", "MT-RNR2"};

ProteinReadings built_in_protein_readings() {
    ProteinReadings readings{};
    readings[ND6_ROW].reverse = true;
    return readings;
}

bool Workspace::is_dloop(int32_t p) const {
    const int32_t s = region_table[DLOOP_START_SLOT];
    const int32_t e = region_table[DLOOP_END_SLOT];
    if (s > e) {
        // Runs from s through the end of the sequence and on from 1 to e.
        if (s <= p && p <= reference_length()) return true;
        return 1 <= p && p <= e;
    }
    return s <= p && p <= e;
}

}  // namespace corvella
