// Sorts variants of the 12S and 16S rRNA genes into stem and non-stem
// positions of their secondary structure. The stem lists count from each
// gene's start in the region table (the start is position 1); they fit the
// built-in human reference (12S 648..1601, 16S 1671..3229).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/workspace.h"
#include "output/chart_spec.h"

namespace corvella {

// Strictly ascending gene-relative positions (1 = the gene's start).
extern const std::array<int32_t, 418> STEMS_12S;
extern const std::array<int32_t, 604> STEMS_16S;

enum class Rrna { S12 = 0, S16 = 1 };
constexpr std::array<Rrna, 2> RRNAS = {Rrna::S12, Rrna::S16};

const char* rrna_name(Rrna r);        // "12S", "16S"
const char* stem_word(bool stem);     // "Stem", "Non-stem"

struct RrnaPlace {
    Rrna rrna;
    bool stem;
};

// The place of p in one rRNA gene, or none when p lies outside that gene.
std::optional<RrnaPlace> rrna_place_in(const Workspace& ws, Rrna r, int32_t p);
// The places of p in the 12S gene, then the 16S gene; each gene is tested on
// its own, so overlapping genes would give two places.
std::vector<RrnaPlace> rrna_place(const Workspace& ws, int32_t p);

struct RrnaStemCounts {
    int32_t stem = 0;
    int32_t non_stem = 0;
    void add(bool is_stem) { ++(is_stem ? stem : non_stem); }
};

// 12S stem, 12S non-stem, 16S stem, 16S non-stem.
struct RrnaCounts {
    std::array<RrnaStemCounts, 2> by_rrna{};
    RrnaStemCounts& operator[](Rrna r) { return by_rrna[static_cast<size_t>(r)]; }
    const RrnaStemCounts& operator[](Rrna r) const { return by_rrna[static_cast<size_t>(r)]; }
};

// Each distinct variant (tally key) counts once per rRNA gene that holds it.
RrnaCounts count_rrna_regions(const Workspace& ws);

struct RrnaPositionRow {
    std::string position_text;  // 1438, or 651C for a transversion
    std::string base_change;    // reference letter, "-", new base
    Rrna rrna;
    bool stem;
    int32_t count;              // occurrences of the variant over all samples
};
std::vector<RrnaPositionRow> rrna_position_rows(const Workspace& ws, int32_t p, char base,
                                                int32_t count);

// Stem and non-stem counts of one sample-list entry in one rRNA; positions
// outside the gene are skipped, the new bases are not looked at.
RrnaStemCounts count_sample_rrna(const Workspace& ws, PositionView positions,
                                 Rrna r);

// The window's grid and the summary report: rows "Stem" and "Non-stem",
// each with its label, the 12S count and the 16S count as decimal text.
struct RrnaSummaryGrid {
    std::array<std::array<std::string, 3>, 2> rows;
};
RrnaSummaryGrid rrna_summary_grid(const RrnaCounts& counts);

// "Number of positions per rRNA region": "12S" in blue and "16S" in red,
// each with the bars "Stem" and "Non-stem"; legend shown.
ChartSpec rrna_chart(const RrnaCounts& counts);

}  // namespace corvella
