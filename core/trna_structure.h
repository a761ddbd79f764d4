// The cloverleaf model of the 22 human mitochondrial tRNAs, numbered on the
// built-in human reference: 15 structural slots per tRNA, 5' to 3', each a
// closed range of reference positions. For the tRNAs read from the other
// strand the coordinates fall from slot 0 to slot 14. tRNA-Ser(AGY) has no
// D-stem: its slots 1, 2, 4 and 5 are empty (0..0).
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "core/workspace.h"

namespace corvella {

constexpr int TRNA_SLOT_COUNT = 15;

struct PositionRange {
    int32_t first;  // closed range first..last; 0..0 holds no position
    int32_t last;
};

extern const std::array<std::array<PositionRange, TRNA_SLOT_COUNT>, TRNA_COUNT> TRNA_STRUCTURE;
// "Acc-stem", "other positions", "D-stem", "D-loop", ... by slot.
extern const std::array<const char*, TRNA_SLOT_COUNT> TRNA_SLOT_NAMES;
// Report names: RNA gene names with the codon-family suffix on rows 2, 11, 17, 18.
extern const std::array<const char*, TRNA_COUNT> TRNA_NAMES;

// The four groups the summary counts by, and the nine per-sample categories.
enum class TrnaGroup { Stem = 0, Loop = 1, VarRegion = 2, Other = 3 };
enum class TrnaCategory {
    AccStem = 0, DStem, AcStem, TStem, DLoop, AnticdLoop, TLoop, VarRegion, Other
};
extern const std::array<TrnaGroup, TRNA_SLOT_COUNT> TRNA_SLOT_GROUPS;
extern const std::array<TrnaCategory, TRNA_SLOT_COUNT> TRNA_SLOT_CATEGORIES;

// The first slot, in slot order, of tRNA row s (0..21) whose range holds p.
// Does not look at the region table; callers test the gene range.
std::optional<int> trna_slot(int s, int32_t p);

}  // namespace corvella
