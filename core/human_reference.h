// The built-in human mitochondrial reference: GenBank AC_000021 (the revised
// Cambridge Reference Sequence, 16,569 letters with the single N at 3107)
// and the coordinates of its 13 protein genes, 24 RNA genes and D-loop.
#pragma once

#include <array>
#include <string>

#include "core/workspace.h"

namespace corvella {

constexpr int HUMAN_REFERENCE_LENGTH = 16569;
constexpr int HUMAN_REFERENCE_PIECE_COUNT = 17;
extern const char* const HUMAN_REFERENCE_PIECES[HUMAN_REFERENCE_PIECE_COUNT];

// The 76 region-table slots of the built-in reference. The D-loop runs
// from 16024 across the origin to 576.
extern const std::array<int32_t, REGION_SLOT_COUNT> HUMAN_REGION_TABLE;

// The whole built-in sequence as one string.
std::string human_reference_sequence();

// Writes the built-in sequence and the 76 coordinates into the workspace;
// nothing else changes (the flag belongs to the menu command).
void use_human_ref_data(Workspace& ws);

}  // namespace corvella
