#include "core/human_reference.h"

namespace corvella {

// clang-format off
const std::array<int32_t, REGION_SLOT_COUNT> HUMAN_REGION_TABLE = {
    // protein starts, rows 0..12: ATP6 ATP8 COX1 COX2 COX3 CYTB ND1 ND2 ND3 ND4L ND4 ND5 ND6
    8527, 8366, 5904, 7586, 9207, 14747, 3307, 4470, 10059, 10470, 10760, 12337, 14149,
    // protein ends
    9207, 8572, 7445, 8269, 9990, 15887, 4262, 5511, 10404, 10766, 12137, 14148, 14673,
    // RNA starts, rows 0..23
    577, 1602, 3230, 4263, 4329, 4402, 5512, 5587, 5657, 5761, 5826, 7446,
    7518, 8295, 9991, 10405, 12138, 12207, 12266, 14674, 15888, 15956, 648, 1671,
    // RNA ends
    647, 1670, 3304, 4331, 4400, 4469, 5579, 5655, 5729, 5826, 5891, 7514,
    7585, 8364, 10058, 10469, 12206, 12265, 12336, 14742, 15953, 16023, 1601, 3229,
    // D-loop start and end (across the origin)
    16024, 576};
// clang-format on

std::string human_reference_sequence() {
    std::string seq;
    seq.reserve(HUMAN_REFERENCE_LENGTH);
    for (const char* piece : HUMAN_REFERENCE_PIECES) seq += piece;
    return seq;
}

void use_human_ref_data(Workspace& ws) {
    ws.ref_sequence = human_reference_sequence();
    ws.region_table = HUMAN_REGION_TABLE;
    ws.protein_reading = built_in_protein_readings();
    ws.reference_accession = "AC_000021";
    ws.reference_version.clear();
    for (int k = 0; k < PROTEIN_GENE_COUNT; ++k) ws.protein_symbols[static_cast<size_t>(k)] = PROTEIN_GENE_SYMBOLS[static_cast<size_t>(k)];
    for (int k = 0; k < RNA_GENE_COUNT; ++k) ws.rna_symbols[static_cast<size_t>(k)] = RNA_GENE_SYMBOLS[static_cast<size_t>(k)];
}

}  // namespace corvella
