#include "classify/variant_table.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <tuple>

#include "classify/hgvs_edit.h"
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

// Counts each sample once per key, at the highest level it lists the key
// with. Samples come one after the other, so the sample that last counted
// each key, and the level it counted with, are enough.
class OncePerSample {
public:
    explicit OncePerSample(size_t keys) : last_sample_(keys, -1), counted_(keys, 0) {}
    void add(VariantCarriers& c, size_t key, int64_t sample, float level) {
        float& counted = counted_[key];
        if (last_sample_[key] == sample) {
            if (level <= counted) return;
            // The same variant again in this sample, higher: recount it.
            count_call(c, counted, -1);
        } else {
            last_sample_[key] = sample;
            ++c.samples;
        }
        count_call(c, level, +1);
        counted = level;
        c.max_level = std::max(c.max_level, level);
    }

private:
    std::vector<int64_t> last_sample_;
    std::vector<float> counted_;
};

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
    OncePerSample once(keys);
    const std::vector<int64_t>& dots = ws.sample_indels.dot_items;  // ascending
    size_t next_dot = 0;
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
            while (next_dot < dots.size() && dots[next_dot] < static_cast<int64_t>(item)) ++next_dot;
            if (next_dot < dots.size() && dots[next_dot] == static_cast<int64_t>(item)) continue;
            const int64_t k = index.find(positions[i], ws.sample_bases[j][i]);
            if (k < 0) continue;
            ++carriers[group * keys + static_cast<size_t>(k)].occurrences;
            const float level = levels ? ws.sample_levels[item] : 1.0f;
            once.add(carriers[group * keys + static_cast<size_t>(k)], static_cast<size_t>(k), static_cast<int64_t>(j), level);
        }
    }
    return carriers;
}

// The insertions and deletions of the cohort as the table writes them. The
// calls of one change are one entry however their files spelled it (310insC
// and 309insC in a run of C's, 309.1C and 309insC): the change moved 3', as
// HGVS and the field's names write it, is the key. An entry is written there
// as a VCF writes it, with the reference letter before it as the anchor
// (after it at position 1), and as a list token: m.309dup is 309 C CC
// "309insC", m.523_524del is 522 CAC C "523delAC".
struct TableIndel {
    SequenceEdit edit;  // moved 3'
    int32_t position = 0;
    std::string ref, alt, text;
    int32_t occurrences = 0;
};

// One call of an entry by one sample entry.
struct EntryCall {
    uint32_t entry;
    uint32_t row;
    float level;
};

struct CohortIndels {
    std::vector<TableIndel> entries;  // by position, then REF and ALT
    std::vector<EntryCall> calls;     // by sample entry
};

SequenceEdit store_edit(const Indel& indel) {
    if (indel.deleted > 0) return {static_cast<size_t>(indel.position) - 1, static_cast<size_t>(indel.deleted), {}};
    return {static_cast<size_t>(indel.position), 0, indel.inserted};
}

void write_vcf_form(const std::string& sequence, TableIndel& t) {
    const SequenceEdit& e = t.edit;
    const std::string removed = sequence.substr(e.start, e.length);
    if (e.start == 0) {
        // Nothing before it: the letter after it is the anchor.
        const char after = sequence[e.length];
        t.position = 1;
        t.ref = removed + after;
        t.alt = e.inserted + after;
    } else {
        const char before = sequence[e.start - 1];
        t.position = static_cast<int32_t>(e.start);
        t.ref = before + removed;
        t.alt = before + e.inserted;
    }
    t.text = e.length > 0 ? std::to_string(e.start + 1) + "del" + removed : std::to_string(e.start) + "ins" + e.inserted;
}

CohortIndels cohort_indels(const Workspace& ws) {
    CohortIndels out;
    const IndelCalls& store = ws.sample_indels;
    const std::string& sequence = ws.ref_sequence;
    std::vector<bool> called(store.indels.size(), false);
    for (const IndelCall& c : store.calls)
        if (c.indel < called.size()) called[c.indel] = true;
    // Each called indel as the table writes it; one change is one VCF form.
    std::vector<TableIndel> as_written(store.indels.size());
    std::map<std::tuple<int32_t, std::string, std::string>, uint32_t> rows;  // the row of each, in table order
    for (size_t i = 0; i < store.indels.size(); ++i) {
        const SequenceEdit raw = store_edit(store.indels[i]);
        if (!called[i] || raw.start + raw.length > sequence.size() || (raw.length == 0 && raw.inserted.empty())) continue;
        TableIndel& t = as_written[i];
        t.edit = shift_3prime(sequence, raw);
        write_vcf_form(sequence, t);
        rows.emplace(std::make_tuple(t.position, t.ref, t.alt), 0);
    }
    uint32_t next = 0;
    for (auto& entry : rows) entry.second = next++;
    out.entries.resize(rows.size());
    std::vector<int64_t> row_of(store.indels.size(), -1);
    for (size_t i = 0; i < store.indels.size(); ++i) {
        const TableIndel& t = as_written[i];
        if (t.ref.empty()) continue;
        const uint32_t row = rows.at(std::make_tuple(t.position, t.ref, t.alt));
        row_of[i] = row;
        out.entries[row] = t;
    }
    for (const IndelCall& c : store.calls) {
        if (c.indel >= row_of.size() || row_of[c.indel] < 0) continue;
        const auto row = static_cast<uint32_t>(row_of[c.indel]);
        ++out.entries[row].occurrences;
        out.calls.push_back(EntryCall{c.entry, row, c.level});
    }
    return out;
}

// count_carriers for the indel entries.
std::vector<VariantCarriers> count_indel_carriers(const CohortIndels& indels, const std::vector<uint32_t>* group_of,
                                                  size_t group_count) {
    const size_t keys = indels.entries.size();
    std::vector<VariantCarriers> carriers(keys * group_count);
    OncePerSample once(keys);
    for (const EntryCall& call : indels.calls) {
        const size_t group = group_of ? (call.entry < group_of->size() ? (*group_of)[call.entry] : group_count) : 0;
        if (group >= group_count) continue;
        once.add(carriers[group * keys + call.row], call.row, call.entry, call.level);
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

std::vector<std::string> with_group_columns(std::vector<std::string> header) {
    header.insert(header.end(), group_columns_header().begin(), group_columns_header().end());
    return header;
}

const std::vector<std::string>& variant_table_header() {
    static const std::vector<std::string> header = with_group_columns({
        "Position",       "Ref",          "Alt",           "Variant",       "HGVS",         "Samples",
        "Occurrences",    "Frequency",    "Homoplasmic",   "Heteroplasmic", "Max level",    "Region",
        "Symbol",         "Region type",  "Consequence",   "Codon position", "Ref codon",   "Alt codon",
        "Ref aa",         "Alt aa",       "AA position",   "Polarity",      "HGVS coding",  "HGVS protein",
        "tRNA structure", "rRNA structure"});
    return header;
}

Report variant_table_report(const Workspace& ws, ReportFormat format, ProgressSink* progress) {
    return variant_table_report(ws, SampleGroups{}, format, progress);
}

Report variant_table_report(const Workspace& ws, const SampleGroups& groups, ReportFormat format,
                            ProgressSink* progress) {
    const std::vector<VariantCarriers> carriers = count_variant_carriers(ws);
    const std::vector<VariantCarriers> by_group = count_group_carriers(ws, groups);
    const CohortIndels indels = cohort_indels(ws);
    const std::vector<VariantCarriers> indel_carriers = count_indel_carriers(indels, nullptr, 1);
    const std::vector<VariantCarriers> indel_by_group =
        groups.of_sample.empty() ? indel_carriers
                                 : count_indel_carriers(indels, &groups.of_sample, groups.names.size());
    const std::vector<std::string> group_names = table_group_names(groups);
    const std::vector<int64_t> group_sizes = table_group_sizes(ws, groups);
    const auto sample_count = static_cast<double>(ws.sample_positions.size());

    // The tally's substitutions and the indels, by position; at one position
    // the substitutions come first. The tally's 309.1C keys are indels.
    struct Entry {
        bool indel;
        size_t index;  // tally index, or entry of `indels`
    };
    std::vector<VariantTally::const_iterator> keys;
    keys.reserve(ws.variant_tally.size());
    for (auto it = ws.variant_tally.begin(); it != ws.variant_tally.end(); ++it) keys.push_back(it);
    std::vector<Entry> entries;
    entries.reserve(keys.size() + indels.entries.size());
    for (size_t k = 0, d = 0; k < keys.size() || d < indels.entries.size();) {
        // A key whose every item is a 309.1C (or that names the reference's
        // own letter) is no substitution.
        if (k < keys.size() && (carriers[k].occurrences == 0 || keys[k]->first.base == reference_letter_or_z(ws, keys[k]->first.position))) {
            ++k;
            continue;
        }
        const bool take_indel =
            d < indels.entries.size() && (k == keys.size() || indels.entries[d].position < keys[k]->first.position);
        entries.push_back(take_indel ? Entry{true, d++} : Entry{false, k++});
    }

    const auto rows_of = [&](size_t e) {
        const Entry& entry = entries[e];
        std::vector<std::vector<std::string>> rows;
        TableVariant v;
        int32_t position = 0, occurrences = 0;
        const VariantCarriers* c = nullptr;
        std::function<const VariantCarriers&(size_t)> in_group;
        if (entry.indel) {
            const TableIndel& t = indels.entries[entry.index];
            position = t.position;
            occurrences = t.occurrences;
            v.ref = t.ref;
            v.alt = t.alt;
            v.text = t.text;
            v.annotations = annotate_allele(ws, t.position, t.ref, t.alt);
            c = &indel_carriers[entry.index];
            in_group = [&, k = entry.index](size_t g) -> const VariantCarriers& {
                return indel_by_group[g * indels.entries.size() + k];
            };
        } else {
            const VariantKey& key = keys[entry.index]->first;
            position = key.position;
            occurrences = carriers[entry.index].occurrences;
            v = table_variant(ws, key);
            c = &carriers[entry.index];
            in_group = [&, k = entry.index](size_t g) -> const VariantCarriers& { return by_group[g * keys.size() + k]; };
        }
        if (v.annotations.empty()) return rows;
        const std::vector<std::string> variant = {
            std::to_string(position),
            v.ref,
            v.alt,
            v.text,
            v.annotations.front().hgvs_genomic,
            std::to_string(c->samples),
            std::to_string(occurrences),
            fixed(sample_count > 0 ? c->samples / sample_count : 0.0, 6),
            std::to_string(c->homoplasmic),
            std::to_string(c->heteroplasmic),
            fixed(c->max_level, 3)};
        for (const VariantAnnotation& a : v.annotations) {
            std::vector<std::string> row = variant;
            row.insert(row.end(), {a.region_name, a.symbol, region_type_name(a.region.type), a.consequence,
                                   a.codon_position, a.ref_codon, a.alt_codon, a.ref_aa, a.alt_aa, a.aa_position,
                                   a.polarity, a.hgvs_coding, a.hgvs_protein, a.trna_structure, a.rrna_structure});
            for (size_t g = 0; g < group_names.size(); ++g) {
                // "all" always; a group only where its samples carry the variant.
                const VariantCarriers& group = g == 0 ? *c : in_group(g - 1);
                if (g > 0 && group.samples == 0) continue;
                std::vector<std::string> grouped = row;
                const std::vector<std::string> extra = group_columns(group_names[g], group, group_sizes[g]);
                grouped.insert(grouped.end(), extra.begin(), extra.end());
                rows.push_back(std::move(grouped));
            }
        }
        return rows;
    };
    Report report = ReportTable::build(
        format, [&](ReportTable& t) { entry_report(t, progress, variant_table_header(), entries.size(), rows_of); });
    mark_number_columns(report.cells, 2);
    return report;
}

TableVariant table_variant(const Workspace& ws, const VariantKey& key) {
    TableVariant v;
    const char ref = reference_letter_or_z(ws, key.position);
    if (!is_base(ref) || !is_base(key.base) || key.base == ref) return v;
    v.ref = std::string(1, ref);
    v.alt = std::string(1, key.base);
    v.text = variant_text(ws, key.position, key.base);
    v.annotations = annotate_variant(ws, key.position, key.base);
    return v;
}

}  // namespace corvella
