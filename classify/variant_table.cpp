#include "classify/variant_table.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "classify/report_table.h"
#include "classify/variant_annotation.h"
#include "classify/variant_text.h"

namespace corvella {

namespace {

// Finds the tally index of a (position, base) item: a table by position for
// the span of the tally (at most a genome's length apart from a network
// reading's stray positions), a binary search outside it.
class TallyIndex {
public:
    explicit TallyIndex(const VariantTally& tally) {
        keys_.reserve(tally.size());
        for (const auto& entry : tally) keys_.push_back(entry.first);
        if (keys_.empty()) return;
        first_ = std::max<int64_t>(keys_.front().position, 0);
        const int64_t last = std::min<int64_t>(keys_.back().position, first_ + MAX_SPAN);
        if (last < first_) return;
        begin_.assign(static_cast<size_t>(last - first_ + 2), 0);
        size_t k = 0;
        for (int64_t p = first_; p <= last + 1; ++p) {
            while (k < keys_.size() && keys_[k].position < p) ++k;
            begin_[static_cast<size_t>(p - first_)] = static_cast<uint32_t>(k);
        }
    }

    // The index of the key, or -1 when the tally does not hold it.
    int64_t find(int32_t p, char base) const {
        const int64_t offset = static_cast<int64_t>(p) - first_;
        if (offset >= 0 && offset + 1 < static_cast<int64_t>(begin_.size())) {
            for (uint32_t k = begin_[static_cast<size_t>(offset)]; k < begin_[static_cast<size_t>(offset) + 1]; ++k)
                if (keys_[k].base == base) return k;
            return -1;
        }
        const VariantKey key{p, base};
        const auto it = std::lower_bound(keys_.begin(), keys_.end(), key);
        return it != keys_.end() && *it == key ? it - keys_.begin() : -1;
    }

private:
    static constexpr int64_t MAX_SPAN = 1 << 20;
    std::vector<VariantKey> keys_;
    int64_t first_ = 0;
    std::vector<uint32_t> begin_;
};

bool is_base(char c) { return c == 'A' || c == 'C' || c == 'G' || c == 'T'; }

std::string fixed(double value, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

}  // namespace

namespace {

// Where a call of this level counts: 2 AC_hom, 1 AC_het, 0 neither.
int level_class(float level) { return level >= HOMOPLASMIC_LEVEL ? 2 : level >= HETEROPLASMIC_LEVEL ? 1 : 0; }

void count_call(VariantCarriers& c, float level, int sign) {
    const int k = level_class(level);
    (k == 2 ? c.homoplasmic : c.heteroplasmic) += sign;
    if (k == 1) c.het_calls += sign;
}

// The carriers of every key in every group; `group_of` gives each sample's
// group (nullptr: all in group 0).
std::vector<VariantCarriers> count_carriers(const Workspace& ws, const std::vector<uint32_t>* group_of,
                                            size_t group_count) {
    const size_t keys = ws.variant_tally.size();
    std::vector<VariantCarriers> carriers(keys * group_count);
    const TallyIndex index(ws.variant_tally);
    size_t items = 0;
    for (const auto& positions : ws.sample_positions) items += positions.size();
    const bool levels = !ws.sample_levels.empty() && ws.sample_levels.size() == items;
    // The sample that last counted each key, and the level it counted with.
    // Samples come one after the other, so one entry per key is enough.
    std::vector<int64_t> last_sample(keys, -1);
    std::vector<float> counted_level(keys, 0);
    size_t item = 0;
    for (size_t j = 0; j < ws.sample_positions.size(); ++j) {
        const auto& positions = ws.sample_positions[j];
        const size_t bases = j < ws.sample_bases.size() ? ws.sample_bases[j].size() : 0;
        const size_t group = group_of && j < group_of->size() ? (*group_of)[j] : 0;
        if (group >= group_count) {
            item += positions.size();
            continue;
        }
        for (size_t i = 0; i < positions.size(); ++i, ++item) {
            if (i >= bases) continue;  // a damaged entry: the tally has no base for it either
            const int64_t k = index.find(positions[i], ws.sample_bases[j][i]);
            if (k < 0) continue;
            const float level = levels ? ws.sample_levels[item] : 1.0f;
            VariantCarriers& c = carriers[group * keys + static_cast<size_t>(k)];
            float& counted = counted_level[static_cast<size_t>(k)];
            if (last_sample[static_cast<size_t>(k)] == static_cast<int64_t>(j)) {
                if (level <= counted) continue;
                // The same variant again in this sample, higher: recount it.
                count_call(c, counted, -1);
            } else {
                last_sample[static_cast<size_t>(k)] = static_cast<int64_t>(j);
                ++c.samples;
            }
            count_call(c, level, +1);
            counted = level;
            c.max_level = std::max(c.max_level, level);
        }
    }
    return carriers;
}

}  // namespace

std::vector<VariantCarriers> count_variant_carriers(const Workspace& ws) { return count_carriers(ws, nullptr, 1); }

std::vector<VariantCarriers> count_group_carriers(const Workspace& ws, const SampleGroups& groups) {
    if (groups.of_sample.empty()) return count_carriers(ws, nullptr, 1);
    return count_carriers(ws, &groups.of_sample, groups.names.size());
}

std::vector<std::string> table_group_names(const SampleGroups& groups) {
    std::vector<std::string> names = {ALL_GROUP};
    if (!groups.of_sample.empty()) names.insert(names.end(), groups.names.begin(), groups.names.end());
    return names;
}

std::vector<int64_t> table_group_sizes(const Workspace& ws, const SampleGroups& groups) {
    std::vector<int64_t> sizes = {static_cast<int64_t>(ws.sample_positions.size())};
    if (groups.of_sample.empty()) return sizes;
    sizes.resize(1 + groups.names.size(), 0);
    for (const uint32_t g : groups.of_sample)
        if (g < groups.names.size()) ++sizes[1 + g];
    return sizes;
}

const std::vector<std::string>& group_columns_header() {
    static const std::vector<std::string> header = {"Group", "AC_hom", "AC_het", "AF_hom", "AF_het", "max_hl"};
    return header;
}

std::vector<std::string> group_columns(const std::string& group, const VariantCarriers& c, int64_t n) {
    const auto share = [n](int32_t count) { return n > 0 ? fixed(static_cast<double>(count) / n, 6) : ""; };
    return {group,
            std::to_string(c.homoplasmic),
            std::to_string(c.het_calls),
            share(c.homoplasmic),
            share(c.het_calls),
            c.samples > 0 ? fixed(c.max_level, 3) : ""};
}

const std::vector<std::string>& variant_table_header() {
    static const std::vector<std::string> header = {
        "Position",       "Ref",          "Alt",           "Variant",       "HGVS",         "Samples",
        "Occurrences",    "Frequency",    "Homoplasmic",   "Heteroplasmic", "Max level",    "Region",
        "Symbol",         "Region type",  "Consequence",   "Codon position", "Ref codon",   "Alt codon",
        "Ref aa",         "Alt aa",       "AA position",   "Polarity",      "HGVS coding",  "HGVS protein",
        "tRNA structure", "rRNA structure"};
    static const std::vector<std::string> with_groups = [] {
        std::vector<std::string> h = header;
        h.insert(h.end(), group_columns_header().begin(), group_columns_header().end());
        return h;
    }();
    return with_groups;
}

Report variant_table_report(const Workspace& ws, ReportFormat format, ProgressSink* progress) {
    return variant_table_report(ws, SampleGroups{}, format, progress);
}

Report variant_table_report(const Workspace& ws, const SampleGroups& groups, ReportFormat format,
                            ProgressSink* progress) {
    const std::vector<VariantCarriers> carriers = count_variant_carriers(ws);
    const std::vector<VariantCarriers> by_group = count_group_carriers(ws, groups);
    const std::vector<std::string> group_names = table_group_names(groups);
    const std::vector<int64_t> group_sizes = table_group_sizes(ws, groups);
    const size_t keys = carriers.size();
    const auto sample_count = static_cast<double>(ws.sample_positions.size());
    size_t k = 0;
    Report report = tally_report(
        ws, format, progress, variant_table_header(), [&](const VariantKey& key, int32_t count) {
            const size_t key_index = k;
            const VariantCarriers& c = carriers[k++];
            std::vector<std::vector<std::string>> rows;
            const TableVariant v = table_variant(ws, key);
            if (v.annotations.empty()) return rows;
            const std::vector<std::string> variant = {
                std::to_string(key.position),
                v.ref,
                v.alt,
                v.text,
                v.annotations.front().hgvs_genomic,
                std::to_string(c.samples),
                std::to_string(count),
                fixed(sample_count > 0 ? c.samples / sample_count : 0.0, 6),
                std::to_string(c.homoplasmic),
                std::to_string(c.heteroplasmic),
                fixed(c.max_level, 3)};
            for (const VariantAnnotation& a : v.annotations) {
                std::vector<std::string> row = variant;
                row.insert(row.end(), {a.region_name, a.symbol, region_type_name(a.region.type), a.consequence,
                                       a.codon_position, a.ref_codon, a.alt_codon, a.ref_aa, a.alt_aa,
                                       a.aa_position, a.polarity, a.hgvs_coding, a.hgvs_protein, a.trna_structure,
                                       a.rrna_structure});
                for (size_t g = 0; g < group_names.size(); ++g) {
                    // "all" always; a group only where its samples carry the variant.
                    const VariantCarriers& in_group = g == 0 ? c : by_group[(g - 1) * keys + key_index];
                    if (g > 0 && in_group.samples == 0) continue;
                    std::vector<std::string> grouped = row;
                    const std::vector<std::string> extra = group_columns(group_names[g], in_group, group_sizes[g]);
                    grouped.insert(grouped.end(), extra.begin(), extra.end());
                    rows.push_back(std::move(grouped));
                }
            }
            return rows;
        });
    mark_number_columns(report.cells, 2);
    return report;
}

TableVariant table_variant(const Workspace& ws, const VariantKey& key) {
    TableVariant v;
    const char ref = reference_letter_or_z(ws, key.position);
    if (!is_base(ref) || !is_base(key.base)) return v;
    v.ref = std::string(1, ref);
    if (key.base == ref) {
        // What a list writes 309.1C: the base inserted after the position.
        v.alt = v.ref + key.base;
        v.text = std::to_string(key.position) + ".1" + key.base;
        v.annotations = annotate_allele(ws, key.position, v.ref, v.alt);
    } else {
        v.alt = std::string(1, key.base);
        v.text = variant_text(ws, key.position, key.base);
        v.annotations = annotate_variant(ws, key.position, key.base);
    }
    return v;
}

}  // namespace corvella
