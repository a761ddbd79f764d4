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

std::vector<VariantCarriers> count_variant_carriers(const Workspace& ws) {
    std::vector<VariantCarriers> carriers(ws.variant_tally.size());
    const TallyIndex index(ws.variant_tally);
    size_t items = 0;
    for (const auto& positions : ws.sample_positions) items += positions.size();
    const bool levels = !ws.sample_levels.empty() && ws.sample_levels.size() == items;
    // The sample that last counted each key, and the level it counted with.
    std::vector<int64_t> last_sample(carriers.size(), -1);
    std::vector<float> counted_level(carriers.size(), 0);
    size_t item = 0;
    for (size_t j = 0; j < ws.sample_positions.size(); ++j) {
        const auto& positions = ws.sample_positions[j];
        const size_t bases = j < ws.sample_bases.size() ? ws.sample_bases[j].size() : 0;
        for (size_t i = 0; i < positions.size(); ++i, ++item) {
            if (i >= bases) continue;  // a damaged entry: the tally has no base for it either
            const int64_t k = index.find(positions[i], ws.sample_bases[j][i]);
            if (k < 0) continue;
            const float level = levels ? ws.sample_levels[item] : 1.0f;
            VariantCarriers& c = carriers[static_cast<size_t>(k)];
            float& counted = counted_level[static_cast<size_t>(k)];
            if (last_sample[static_cast<size_t>(k)] == static_cast<int64_t>(j)) {
                if (level <= counted) continue;
                // The same variant again in this sample, higher: recount it.
                if (counted < HOMOPLASMIC_LEVEL && level >= HOMOPLASMIC_LEVEL) {
                    --c.heteroplasmic;
                    ++c.homoplasmic;
                }
            } else {
                last_sample[static_cast<size_t>(k)] = static_cast<int64_t>(j);
                ++c.samples;
                ++(level >= HOMOPLASMIC_LEVEL ? c.homoplasmic : c.heteroplasmic);
            }
            counted = level;
            c.max_level = std::max(c.max_level, level);
        }
    }
    return carriers;
}

const std::vector<std::string>& variant_table_header() {
    static const std::vector<std::string> header = {
        "Position",       "Ref",          "Alt",           "Variant",       "HGVS",         "Samples",
        "Occurrences",    "Frequency",    "Homoplasmic",   "Heteroplasmic", "Max level",    "Region",
        "Symbol",         "Region type",  "Consequence",   "Codon position", "Ref codon",   "Alt codon",
        "Ref aa",         "Alt aa",       "AA position",   "Polarity",      "HGVS coding",  "HGVS protein",
        "tRNA structure", "rRNA structure"};
    return header;
}

Report variant_table_report(const Workspace& ws, ReportFormat format, ProgressSink* progress) {
    const std::vector<VariantCarriers> carriers = count_variant_carriers(ws);
    const auto sample_count = static_cast<double>(ws.sample_positions.size());
    size_t k = 0;
    Report report = tally_report(
        ws, format, progress, variant_table_header(), [&](const VariantKey& key, int32_t count) {
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
                rows.push_back(std::move(row));
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
