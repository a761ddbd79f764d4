#include "classify/gene_table.h"

#include <algorithm>
#include <cstdio>

#include "classify/report_table.h"
#include "classify/rrna_classification.h"
#include "classify/variant_table.h"
#include "core/trna_structure.h"

namespace corvella {

namespace {

constexpr char BASES[4] = {'A', 'C', 'G', 'T'};

// The positions of a region in reading order along the reference; the
// D-loop runs across the origin when its start is above its end.
std::vector<int32_t> region_positions(const Workspace& ws, const VariantRegion& region) {
    int32_t start = 0, end = 0;
    switch (region.type) {
        case RegionType::Protein: start = ws.protein_start(region.row); end = ws.protein_end(region.row); break;
        case RegionType::Trna:
        case RegionType::Rrna: start = ws.rna_start(region.row); end = ws.rna_end(region.row); break;
        case RegionType::DLoop:
            start = ws.region_table[DLOOP_START_SLOT];
            end = ws.region_table[DLOOP_END_SLOT];
            break;
        case RegionType::NonCoding: break;
    }
    std::vector<int32_t> positions;
    if (start <= 0 || end <= 0) return positions;
    if (region.type == RegionType::DLoop && start > end) {
        for (int32_t p = start; p <= ws.reference_length(); ++p) positions.push_back(p);
        for (int32_t p = 1; p <= end; ++p) positions.push_back(p);
    } else {
        for (int32_t p = start; p <= end; ++p) positions.push_back(p);
    }
    return positions;
}

// Where a position sits in the structure of its RNA: stem, loop (tRNA) or
// non-stem (rRNA), or nothing.
enum class Place { None, Stem, Loop, NonStem };

Place structure_place(const Workspace& ws, const VariantRegion& region, int32_t p) {
    if (region.type == RegionType::Trna) {
        const auto slot = trna_slot(region.row, p);
        if (!slot) return Place::None;
        const TrnaGroup group = TRNA_SLOT_GROUPS[static_cast<size_t>(*slot)];
        if (group == TrnaGroup::Stem) return Place::Stem;
        return group == TrnaGroup::Loop ? Place::Loop : Place::None;
    }
    if (region.type == RegionType::Rrna) {
        const auto place = rrna_place_in(ws, region.row == RRNA_12S_ROW ? Rrna::S12 : Rrna::S16, p);
        if (!place) return Place::None;
        return place->stem ? Place::Stem : Place::NonStem;
    }
    return Place::None;
}

void add_place(GeneTableRow& row, Place place, int32_t possible, int32_t observed) {
    switch (place) {
        case Place::Stem: row.possible_stem += possible; row.observed_stem += observed; break;
        case Place::Loop: row.possible_loop += possible; row.observed_loop += observed; break;
        case Place::NonStem: row.possible_non_stem += possible; row.observed_non_stem += observed; break;
        case Place::None: break;
    }
}

GeneTableRow count_region(const Workspace& ws, const VariantRegion& region) {
    GeneTableRow row;
    row.region = region;
    row.structure = ws.human_reference && (region.type == RegionType::Trna || region.type == RegionType::Rrna);
    const std::vector<int32_t> positions = region_positions(ws, region);
    row.length = static_cast<int32_t>(positions.size());
    row.possible_all = 3 * row.length;
    for (const int32_t p : positions) {
        const char ref = p <= ws.reference_length() ? ws.reference_letter(p) : 'Z';
        int32_t observed_here = 0;
        for (auto it = ws.variant_tally.lower_bound(VariantKey{p, 0});
             it != ws.variant_tally.end() && it->first.position == p; ++it)
            if (it->first.base != ref) ++observed_here;
        row.observed_all += observed_here;
        if (row.structure) add_place(row, structure_place(ws, region, p), 3, observed_here);
        if (region.type != RegionType::Protein) continue;
        for (const char b : BASES) {
            if (b == ref) continue;
            const int c = change_class(protein_change(ws, region.row, p, b).consequence);
            if (c < 0) continue;
            ++row.possible[static_cast<size_t>(c)];
            if (ws.variant_tally.count(VariantKey{p, b})) ++row.observed[static_cast<size_t>(c)];
        }
    }
    return row;
}

std::string ratio(double numerator, double denominator) {
    if (denominator == 0) return "";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.4f", numerator / denominator);
    return buffer;
}

std::string number(int32_t n) { return std::to_string(n); }

}  // namespace

int change_class(const CodonChange& change) { return change_class(codon_consequence(change)); }

int change_class(CodonConsequence consequence) {
    switch (consequence) {
        case CodonConsequence::Synonymous:
        case CodonConsequence::StartRetained:
        case CodonConsequence::StopRetained: return static_cast<int>(ChangeClass::Synonymous);
        case CodonConsequence::StartLost:
        case CodonConsequence::Missense: return static_cast<int>(ChangeClass::Missense);
        case CodonConsequence::StopGained: return static_cast<int>(ChangeClass::StopGained);
        case CodonConsequence::StopLost: return static_cast<int>(ChangeClass::StopLost);
        case CodonConsequence::Incomplete: break;
    }
    return -1;
}

std::vector<GeneTableRow> gene_table_rows(const Workspace& ws) {
    std::vector<GeneTableRow> rows;
    for (int g = 0; g < PROTEIN_GENE_COUNT; ++g) rows.push_back(count_region(ws, {RegionType::Protein, g}));
    for (int k = 0; k < RNA_GENE_COUNT; ++k)
        rows.push_back(count_region(ws, {k < TRNA_COUNT ? RegionType::Trna : RegionType::Rrna, k}));
    rows.push_back(count_region(ws, {RegionType::DLoop, -1}));
    return rows;
}

std::vector<VariantCarriers> gene_group_calls(const Workspace& ws, const SampleGroups& groups,
                                              const std::vector<GeneTableRow>& rows) {
    const std::vector<VariantCarriers> all = count_variant_carriers(ws);
    const std::vector<VariantCarriers> by_group = count_group_carriers(ws, groups);
    const size_t group_count = table_group_names(groups).size();
    const size_t keys = all.size();
    std::vector<VariantKey> order;
    order.reserve(keys);
    for (const auto& entry : ws.variant_tally) order.push_back(entry.first);
    std::vector<VariantCarriers> calls(group_count * rows.size());
    for (size_t r = 0; r < rows.size(); ++r) {
        for (const int32_t p : region_positions(ws, rows[r].region)) {
            const char ref = p <= ws.reference_length() ? ws.reference_letter(p) : 'Z';
            for (auto it = std::lower_bound(order.begin(), order.end(), VariantKey{p, 0});
                 it != order.end() && it->position == p; ++it) {
                if (it->base == ref) continue;
                const auto k = static_cast<size_t>(it - order.begin());
                for (size_t g = 0; g < group_count; ++g) {
                    const VariantCarriers& c = g == 0 ? all[k] : by_group[(g - 1) * keys + k];
                    VariantCarriers& sum = calls[g * rows.size() + r];
                    sum.samples += c.samples;
                    sum.homoplasmic += c.homoplasmic;
                    sum.heteroplasmic += c.heteroplasmic;
                    sum.het_calls += c.het_calls;
                    sum.max_level = std::max(sum.max_level, c.max_level);
                }
            }
        }
    }
    return calls;
}

const std::vector<std::string>& gene_table_header() {
    static const std::vector<std::string> header = with_group_columns({
        "Region", "Symbol", "Region type", "Length",
        "Possible synonymous", "Possible missense", "Possible stop gained", "Possible stop lost",
        "Observed synonymous", "Observed missense", "Observed stop gained", "Observed stop lost",
        "Fraction synonymous", "Fraction missense", "Fraction stop gained", "Fraction stop lost",
        "pN/pS", "Possible", "Observed", "Fraction observed",
        "Possible stem", "Observed stem", "Possible loop", "Observed loop",
        "Possible non-stem", "Observed non-stem"});
    return header;
}

Report gene_table_report(const Workspace& ws, ReportFormat format) {
    return gene_table_report(ws, SampleGroups{}, format);
}

Report gene_table_report(const Workspace& ws, const SampleGroups& groups, ReportFormat format) {
    ReportTable report(format);
    report.row(1, gene_table_header());
    int32_t workbook_row = 2;
    const std::vector<GeneTableRow> rows = gene_table_rows(ws);
    const std::vector<VariantCarriers> calls = gene_group_calls(ws, groups, rows);
    const std::vector<std::string> group_names = table_group_names(groups);
    const std::vector<int64_t> group_sizes = table_group_sizes(ws, groups);
    for (size_t row_index = 0; row_index < rows.size(); ++row_index) {
        const GeneTableRow& r = rows[row_index];
        std::vector<std::string> f = {variant_region_name(r.region), variant_region_symbol(ws, r.region),
                                      region_type_name(r.region.type),
                                      number(r.length)};
        const bool protein = r.region.type == RegionType::Protein;
        for (const auto* counts : {&r.possible, &r.observed})
            for (const int32_t n : *counts) f.push_back(protein ? number(n) : "");
        for (size_t c = 0; c < CHANGE_CLASS_COUNT; ++c)
            f.push_back(protein ? ratio(r.observed[c], r.possible[c]) : "");
        const size_t syn = static_cast<size_t>(ChangeClass::Synonymous);
        const size_t mis = static_cast<size_t>(ChangeClass::Missense);
        std::string pn_ps;
        if (protein && r.possible[syn] > 0 && r.possible[mis] > 0 && r.observed[syn] > 0)
            pn_ps = ratio(static_cast<double>(r.observed[mis]) / r.possible[mis],
                          static_cast<double>(r.observed[syn]) / r.possible[syn]);
        f.push_back(pn_ps);
        f.insert(f.end(), {number(r.possible_all), number(r.observed_all), ratio(r.observed_all, r.possible_all)});
        const bool trna = r.structure && r.region.type == RegionType::Trna;
        const bool rrna = r.structure && r.region.type == RegionType::Rrna;
        f.push_back(r.structure ? number(r.possible_stem) : "");
        f.push_back(r.structure ? number(r.observed_stem) : "");
        f.push_back(trna ? number(r.possible_loop) : "");
        f.push_back(trna ? number(r.observed_loop) : "");
        f.push_back(rrna ? number(r.possible_non_stem) : "");
        f.push_back(rrna ? number(r.observed_non_stem) : "");
        for (size_t g = 0; g < group_names.size(); ++g) {
            std::vector<std::string> grouped = f;
            const std::vector<std::string> extra =
                group_columns(group_names[g], calls[g * rows.size() + row_index], group_sizes[g]);
            grouped.insert(grouped.end(), extra.begin(), extra.end());
            report.row(workbook_row++, grouped);
        }
    }
    Report taken = report.take();
    mark_number_columns(taken.cells, 2);
    return taken;
}

}  // namespace corvella
