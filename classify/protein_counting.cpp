#include "classify/protein_counting.h"

#include "classify/genetic_code.h"
#include "classify/variant_text.h"

namespace corvella {

CurrentVariant current_variant(const Workspace& ws, const VariantKey& key) {
    CurrentVariant v;
    v.position = key.position;
    v.reference_base = reference_letter_or_z(ws, key.position);
    v.new_base = key.base;
    return v;
}

int protein_locus(const Workspace& ws, int32_t p) {
    int found = PROTEIN_LOCUS_NONE;
    for (int g = 0; g < PROTEIN_GENE_COUNT; ++g) {
        if (!ws.in_protein_gene(g, p)) continue;
        if (found != PROTEIN_LOCUS_NONE) return PROTEIN_LOCUS_OVERLAP;
        found = g;
    }
    return found;
}

bool is_synonymous(const Workspace& ws, int gene, const CurrentVariant& v,
                   std::vector<VariantKey>& stop_variants) {
    const CodonChange c = build_codon_change(ws, gene, v.position, v.new_base);
    if (c.ref_amino_acid == "STOP" || c.new_amino_acid == "STOP")
        stop_variants.push_back(VariantKey{v.position, v.new_base});
    return c.synonymous;
}

namespace {

void add_to_counts(ProteinCounts& counts, int gene, bool synonymous) {
    if (synonymous)
        ++counts.synonymous[static_cast<size_t>(gene)];
    else
        ++counts.non_synonymous[static_cast<size_t>(gene)];
}

// Files the variant under its gene pair, creating the group at the end of the
// list when the pair is new. At most a handful of pairs exist, so the linear
// search stays cheap even over many samples.
void file_overlap(std::vector<ProteinOverlapGroup>& groups, int first, int second, const VariantKey& key) {
    for (ProteinOverlapGroup& g : groups) {
        if (g.first_gene == first && g.second_gene == second) {
            g.variants.push_back(key);
            return;
        }
    }
    groups.push_back(ProteinOverlapGroup{first, second, {key}});
}

}  // namespace

ProteinCounts count_protein_variants(const Workspace& ws, const VariantTally& tally) {
    ProteinCounts counts;
    std::vector<VariantKey> stops_not_kept;  // the counting reports no stops
    for (const auto& entry : tally) {
        const CurrentVariant v = current_variant(ws, entry.first);
        for (int g = 0; g < PROTEIN_GENE_COUNT; ++g) {
            if (!ws.in_protein_gene(g, v.position)) continue;
            add_to_counts(counts, g, is_synonymous(ws, g, v, stops_not_kept));
        }
        stops_not_kept.clear();
    }
    return counts;
}

void analyse_protein_variant(const Workspace& ws, const VariantKey& key, ProteinAnalysis& analysis,
                             ProteinCounts* counts) {
    const int l = protein_locus(ws, key.position);
    if (l == PROTEIN_LOCUS_NONE) return;
    const CurrentVariant v = current_variant(ws, key);
    if (l != PROTEIN_LOCUS_OVERLAP) {
        const bool syn = is_synonymous(ws, l, v, analysis.stop_variants);
        if (counts) add_to_counts(*counts, l, syn);
        return;
    }
    // With three or more genes at one position the last of them becomes the
    // second gene of the group.
    int first = -1;
    int second = -1;
    for (int g = 0; g < PROTEIN_GENE_COUNT; ++g) {
        if (!ws.in_protein_gene(g, key.position)) continue;
        if (first < 0)
            first = g;
        else
            second = g;
        const bool syn = is_synonymous(ws, g, v, analysis.stop_variants);
        if (counts) add_to_counts(*counts, g, syn);
    }
    file_overlap(analysis.protein_overlap_groups, first, second, key);
}

ProteinAnalysis check_overlap_positions(const Workspace& ws, const VariantTally& tally) {
    ProteinAnalysis analysis;
    for (const auto& entry : tally) analyse_protein_variant(ws, entry.first, analysis, nullptr);
    return analysis;
}

std::vector<std::array<std::string, 3>> protein_grid_rows(const ProteinCounts& counts) {
    std::vector<std::array<std::string, 3>> rows;
    rows.reserve(PROTEIN_GENE_COUNT + 1);
    int64_t syn_total = 0;
    int64_t non_syn_total = 0;
    for (size_t g = 0; g < PROTEIN_GENE_COUNT; ++g) {
        rows.push_back({PROTEIN_GENE_NAMES[g], std::to_string(counts.synonymous[g]),
                        std::to_string(counts.non_synonymous[g])});
        syn_total += counts.synonymous[g];
        non_syn_total += counts.non_synonymous[g];
    }
    rows.push_back({"TOTAL", std::to_string(syn_total), std::to_string(non_syn_total)});
    return rows;
}

ChartSpec protein_chart_spec(const ProteinCounts& counts) {
    ChartSpec spec;
    spec.title = "Synonymous and Non Synonymous Positions per Protein";
    spec.title_rgb = CHART_BLUE;
    spec.title_font = "Arial";
    spec.left_axis_title = "No. of Positions";
    spec.legend_visible = true;
    spec.rotate_labels = true;
    ChartSeries syn{"Syn", CHART_BLUE, {}};
    ChartSeries non_syn{"Non-Syn", CHART_RED, {}};
    for (size_t g = 0; g < PROTEIN_GENE_COUNT; ++g) {
        const double x = static_cast<double>(g + 1);
        syn.points.push_back({x, static_cast<double>(counts.synonymous[g]), PROTEIN_GENE_NAMES[g]});
        non_syn.points.push_back({x, static_cast<double>(counts.non_synonymous[g]), PROTEIN_GENE_NAMES[g]});
    }
    spec.series.push_back(std::move(syn));
    spec.series.push_back(std::move(non_syn));
    return spec;
}

}  // namespace corvella
