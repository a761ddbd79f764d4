#include "classify/protein_reports.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

#include "classify/genetic_code.h"
#include "classify/variant_text.h"
#include "input/polymorphism_list.h"

namespace corvella {

namespace {

const char* const PER_POSITION_HEADERS[13] = {
    "Position",     "Base Change", "Gene",
    "Syn/Non-Syn",  "Codon",       "New Codon",
    "Codon Position", "Amino acid", "New amino acid",
    "Amino acid position in protein", "Polarity/Acidity", "New Polarity/Acidity",
    "Frequency"};

std::string overlap_label(const ProteinOverlapGroup& g) {
    return std::string(PROTEIN_GENE_NAMES[static_cast<size_t>(g.first_gene)]) + "-" +
           PROTEIN_GENE_NAMES[static_cast<size_t>(g.second_gene)];
}

std::string joined_variants(const Workspace& ws, const std::vector<VariantKey>& variants) {
    std::string text;
    for (size_t i = 0; i < variants.size(); ++i) {
        if (i > 0) text += ' ';
        text += variant_text(ws, variants[i].position, variants[i].base);
    }
    return text;
}

// Puts `label` at `column` of a row, then the variant texts one column
// further each; returns the column of the last cell put.
int32_t put_labelled_variants(RowCells& cells, int32_t column, const std::string& label, const Workspace& ws,
                              const std::vector<VariantKey>& variants) {
    cells.push_back({column, label});
    for (const VariantKey& v : variants) cells.push_back({++column, variant_text(ws, v.position, v.base)});
    return column;
}

}  // namespace

Report protein_summary_report(const Workspace& ws, const ProteinCounts& counts, ReportFormat format) {
    if (format == ReportFormat::Workbook)
        return collect_cells([&](RowSink& sink) { protein_summary_rows(ws, counts, sink); });
    const auto rows = protein_grid_rows(counts);
    const ProteinAnalysis analysis = check_overlap_positions(ws, ws.variant_tally);
    Report report;
    std::string& t = report.text;
    t = "Gene\tSyn\tN-Syn\n";
    for (const auto& r : rows) t += r[0] + "\t" + r[1] + "\t" + r[2] + "\n";
    t += "\n";
    for (const ProteinOverlapGroup& g : analysis.protein_overlap_groups)
        t += overlap_label(g) + " (" + joined_variants(ws, g.variants) + ")\n";
    if (!analysis.stop_variants.empty()) t += "STOP (" + joined_variants(ws, analysis.stop_variants) + ")\n";
    t += "\n";
    return report;
}

void protein_summary_rows(const Workspace& ws, const ProteinCounts& counts, RowSink& sink) {
    const auto rows = protein_grid_rows(counts);
    const ProteinAnalysis analysis = check_overlap_positions(ws, ws.variant_tally);
    const auto& groups = analysis.protein_overlap_groups;
    const bool stops = !analysis.stop_variants.empty();
    // The grid in rows 1 to 15, row 16 empty, the findings from row 17.
    SheetExtent extent{static_cast<int32_t>(rows.size()) + 1, 3};
    if (!groups.empty() || stops)
        extent.rows = static_cast<int32_t>(rows.size()) + 2 + static_cast<int32_t>(groups.size()) + (stops ? 1 : 0);
    for (const ProteinOverlapGroup& g : groups)
        extent.columns = std::max(extent.columns, 1 + static_cast<int32_t>(g.variants.size()));
    if (stops) extent.columns = std::max(extent.columns, 1 + static_cast<int32_t>(analysis.stop_variants.size()));
    if (!sink.begin(extent)) return;

    if (!sink.row(1, {{1, "Gene"}, {2, "Syn"}, {3, "N-Syn"}})) return;
    for (size_t r = 0; r < rows.size(); ++r)
        if (!sink.row(static_cast<int32_t>(r) + 2, {{1, rows[r][0]}, {2, rows[r][1]}, {3, rows[r][2]}})) return;
    int32_t row = static_cast<int32_t>(rows.size()) + 3;  // row 16 stays empty
    RowCells cells;
    for (const ProteinOverlapGroup& g : groups) {
        cells.clear();
        put_labelled_variants(cells, 1, overlap_label(g), ws, g.variants);
        if (!sink.row(row++, cells)) return;
    }
    if (stops) {
        cells.clear();
        put_labelled_variants(cells, 1, "STOP", ws, analysis.stop_variants);
        if (!sink.row(row, cells)) return;
    }
    sink.end();
}

std::array<std::string, 12> line_result_syn(const Workspace& ws, const VariantKey& key, int gene) {
    CodonChange c = build_codon_change(ws, gene, key.position, key.base);
    const std::string ref_class = polarityAcidity(c.ref_amino_acid);
    const std::string new_class = polarityAcidity(c.new_amino_acid);
    replace_T_U(c.ref_codon);
    replace_T_U(c.new_codon);
    return {variant_text(ws, key.position, key.base),
            base_change_text(ws, key.position, key.base),
            PROTEIN_GENE_NAMES[static_cast<size_t>(gene)],
            c.synonymous ? "Syn" : "Non-Syn",
            c.ref_codon,
            c.new_codon,
            std::to_string(c.codon_position),
            c.ref_amino_acid,
            c.new_amino_acid,
            std::to_string(c.amino_acid_position),
            ref_class,
            new_class};
}

Report protein_per_position_report(const Workspace& ws, ReportFormat format, ProgressSink* progress) {
    if (format == ReportFormat::Workbook)
        return collect_cells([&](RowSink& sink) { protein_per_position_rows(ws, sink, progress); });
    Report report;
    for (int c = 0; c < 13; ++c) report.text += std::string(c ? "\t" : "") + PER_POSITION_HEADERS[c];
    report.text += "\n";
    for (const auto& [key, count] : ws.variant_tally) {
        for (int g = 0; g < PROTEIN_GENE_COUNT; ++g) {
            if (!ws.in_protein_gene(g, key.position)) continue;
            for (const std::string& text : line_result_syn(ws, key, g)) report.text += text + "\t";
            report.text += std::to_string(count) + "\n";
        }
    }
    return report;
}

void protein_per_position_rows(const Workspace& ws, RowSink& sink, ProgressSink* progress) {
    // One row per (key, gene holding its position), below the header.
    int32_t rows = 1;
    for (const auto& entry : ws.variant_tally)
        for (int g = 0; g < PROTEIN_GENE_COUNT; ++g) rows += ws.in_protein_gene(g, entry.first.position) ? 1 : 0;
    if (!sink.begin({rows, 13})) return;

    RowCells cells;
    for (int32_t c = 0; c < 13; ++c) cells.push_back({c + 1, PER_POSITION_HEADERS[c]});
    if (!sink.row(1, cells)) return;
    if (progress) progress->start(static_cast<int32_t>(ws.variant_tally.size()));
    const int64_t n = static_cast<int64_t>(ws.variant_tally.size());
    int64_t k = 0;
    int32_t row = 2;
    for (const auto& [key, count] : ws.variant_tally) {
        for (int g = 0; g < PROTEIN_GENE_COUNT; ++g) {
            if (!ws.in_protein_gene(g, key.position)) continue;
            const auto columns = line_result_syn(ws, key, g);
            cells.clear();
            for (size_t c = 0; c < columns.size(); ++c) cells.push_back({static_cast<int32_t>(c) + 1, columns[c]});
            cells.push_back({13, std::to_string(count)});
            if (!sink.row(row++, cells)) return;
        }
        ++k;
        if (progress) progress->step(progress_percent(k, n));
    }
    if (progress) progress->finish();
    sink.end();
}

namespace {

struct SampleResult {
    ProteinCounts counts;
    ProteinAnalysis analysis;
};

SampleResult classify_sample(const Workspace& ws, size_t j) {
    SampleResult result;
    const auto& positions = ws.sample_positions[j];
    const TextView bases = j < ws.sample_bases.size() ? ws.sample_bases[j] : TextView();
    // The bases list runs parallel to the positions; a shorter one (never
    // made by the readers) ends the sample rather than being read past.
    const size_t items = std::min(positions.size(), bases.size());
    for (size_t i = 0; i < items; ++i)
        analyse_protein_variant(ws, VariantKey{positions[i], bases[i]}, result.analysis, &result.counts);
    return result;
}

// The memo slot of a variant of one of the four bases inside the reference
// (position - 1) * 4 + base, or -1 for any other.
int64_t memo_slot(const Workspace& ws, const VariantKey& key) {
    int b = -1;
    switch (key.base) {
        case 'A': b = 0; break;
        case 'C': b = 1; break;
        case 'G': b = 2; break;
        case 'T': b = 3; break;
        default: return -1;
    }
    if (key.position < 1 || key.position > ws.reference_length()) return -1;
    return static_cast<int64_t>(key.position - 1) * 4 + b;
}

// The counts of every sample for the text tables. What a variant adds to a
// sample's counts (one count in each protein gene that holds it) depends on
// the variant alone, so each (position, base) is classified once and the
// counts of a sample are only added up; a variant held by more genes than a
// memo entry keeps is classified each time.
class SampleCounts {
public:
    explicit SampleCounts(const Workspace& ws) : ws_(ws), memo_(static_cast<size_t>(ws.reference_length()) * 4) {}

    ProteinCounts of(size_t j) {
        ProteinCounts counts;
        const auto& positions = ws_.sample_positions[j];
        const TextView bases = j < ws_.sample_bases.size() ? ws_.sample_bases[j] : TextView();
        const size_t items = std::min(positions.size(), bases.size());
        for (size_t i = 0; i < items; ++i) {
            const VariantKey key{positions[i], bases[i]};
            const Added* added = lookup(key);
            if (added == nullptr) {
                ProteinAnalysis unused;
                analyse_protein_variant(ws_, key, unused, &counts);
                continue;
            }
            for (uint8_t k = 0; k < added->n; ++k) {
                const uint8_t g = added->gene[k];
                ++((g & SYNONYMOUS) != 0 ? counts.synonymous[g & GENE] : counts.non_synonymous[g & GENE]);
            }
        }
        return counts;
    }

private:
    // n is the number of genes, or UNKNOWN before the variant is classified,
    // or TOO_MANY; each gene is its number, with SYNONYMOUS set when the
    // change is synonymous there. Four bytes, so the memo stays in cache.
    static constexpr uint8_t UNKNOWN = 0xff;
    static constexpr uint8_t TOO_MANY = 0xfe;
    static constexpr uint8_t SYNONYMOUS = 0x80;
    static constexpr uint8_t GENE = 0x7f;
    struct Added {
        uint8_t n = UNKNOWN;
        std::array<uint8_t, 3> gene{};
    };

    const Added* lookup(const VariantKey& key) {
        const int64_t slot = memo_slot(ws_, key);
        if (slot < 0) return nullptr;
        Added& a = memo_[static_cast<size_t>(slot)];
        if (a.n == UNKNOWN) {
            a.n = 0;
            ProteinCounts one;
            ProteinAnalysis unused;
            analyse_protein_variant(ws_, key, unused, &one);
            for (size_t g = 0; g < PROTEIN_GENE_COUNT && a.n != TOO_MANY; ++g) {
                for (const bool syn : {true, false}) {
                    const int32_t c = syn ? one.synonymous[g] : one.non_synonymous[g];
                    if (c == 0) continue;
                    if (c > 1 || a.n == a.gene.size()) {
                        a.n = TOO_MANY;
                        break;
                    }
                    a.gene[a.n++] = static_cast<uint8_t>(g | (syn ? SYNONYMOUS : 0));
                }
            }
        }
        return a.n == TOO_MANY ? nullptr : &a;
    }

    const Workspace& ws_;
    std::vector<Added> memo_;
};

int32_t total_of(const std::array<int32_t, PROTEIN_GENE_COUNT>& counts) {
    int32_t total = 0;
    for (int32_t c : counts) total += c;
    return total;
}

std::string per_sample_text_header() {
    std::string header = "Sequence";
    for (const char* name : PROTEIN_GENE_NAMES) header += std::string("\t") + name;
    return header + "\tTotal\n";
}

void append_text_row(std::string& text, std::string_view name, const std::array<int32_t, PROTEIN_GENE_COUNT>& c) {
    text += name;
    text += '\t';
    for (int32_t v : c) {
        append_decimal(text, v);
        text += '\t';
    }
    append_decimal(text, total_of(c));
    text += '\n';
}

RowCells header_row() {
    RowCells cells{{1, "Sequence"}};
    for (int32_t g = 0; g < PROTEIN_GENE_COUNT; ++g) cells.push_back({g + 2, PROTEIN_GENE_NAMES[static_cast<size_t>(g)]});
    cells.push_back({15, "Total"});
    return cells;
}

void put_count_row(RowCells& cells, const std::string& name, const std::array<int32_t, PROTEIN_GENE_COUNT>& c) {
    cells.clear();
    cells.push_back({1, name});
    for (int32_t g = 0; g < PROTEIN_GENE_COUNT; ++g) cells.push_back({g + 2, std::to_string(c[static_cast<size_t>(g)])});
    cells.push_back({15, std::to_string(total_of(c))});
}

// print_info_overlap_stop_pos_sample: the sample's findings along its
// synonymous row. The column counter starts at 16 and each write advances it
// first; one column stays empty after each group, and one more before "STOP".
void print_info_overlap_stop_pos_sample(RowCells& cells, const Workspace& ws, const ProteinAnalysis& analysis) {
    int32_t column = 16;
    for (const ProteinOverlapGroup& g : analysis.protein_overlap_groups)
        column = put_labelled_variants(cells, column + 1, overlap_label(g), ws, g.variants) + 1;
    ++column;
    if (!analysis.stop_variants.empty()) put_labelled_variants(cells, column, "STOP", ws, analysis.stop_variants);
}

// The last column that print_info_overlap_stop_pos_sample writes for a
// sample, found without classifying the sample: what one variant adds to
// the findings (its gene pair when it lies where two genes overlap, and
// how many of its classifications touch a stop codon) depends on the
// variant alone, so it is worked out once per (position, base) by the same
// analysis and only added up per sample.
class FindingsWidth {
public:
    explicit FindingsWidth(const Workspace& ws)
        : ws_(ws), memo_(static_cast<size_t>(ws.reference_length()) * 4) {}

    int32_t last_column(size_t sample) {
        const auto& positions = ws_.sample_positions[sample];
        const std::string_view bases =
            sample < ws_.sample_bases.size() ? std::string_view(ws_.sample_bases[sample]) : std::string_view();
        const size_t items = std::min(positions.size(), bases.size());
        pairs_.clear();
        int32_t overlap_variants = 0;
        int32_t stops = 0;
        for (size_t i = 0; i < items; ++i) {
            const Effect e = effect(VariantKey{positions[i], bases[i]});
            stops += e.stops;
            if (e.pair < 0) continue;
            ++overlap_variants;
            if (std::find(pairs_.begin(), pairs_.end(), e.pair) == pairs_.end()) pairs_.push_back(e.pair);
        }
        const int32_t groups = static_cast<int32_t>(pairs_.size());
        const int32_t after_groups = 16 + overlap_variants + 2 * groups;
        if (stops > 0) return after_groups + 1 + stops;
        return groups > 0 ? after_groups - 1 : 15;
    }

private:
    struct Effect {
        int16_t pair = -1;  // first gene * 13 + second gene, or -1
        int16_t stops = 0;
        bool known = false;
    };

    Effect effect(const VariantKey& key) {
        const int64_t slot = memo_slot(ws_, key);
        if (slot < 0) return analyse(key);
        Effect& e = memo_[static_cast<size_t>(slot)];
        if (!e.known) e = analyse(key);
        return e;
    }

    Effect analyse(const VariantKey& key) const {
        ProteinAnalysis a;
        analyse_protein_variant(ws_, key, a, nullptr);
        Effect e;
        e.known = true;
        e.stops = static_cast<int16_t>(a.stop_variants.size());
        if (!a.protein_overlap_groups.empty()) {
            const ProteinOverlapGroup& g = a.protein_overlap_groups.front();
            e.pair = static_cast<int16_t>(g.first_gene * PROTEIN_GENE_COUNT + g.second_gene);
        }
        return e;
    }

    const Workspace& ws_;
    std::vector<Effect> memo_;
    std::vector<int16_t> pairs_;
};

}  // namespace

Report protein_per_sample_report(const Workspace& ws, ReportFormat format, ProgressSink* progress) {
    if (format == ReportFormat::Workbook)
        return collect_cells([&](RowSink& sink) { protein_per_sample_rows(ws, sink, progress); });
    const size_t n = ws.sample_positions.size();
    // Both tables list every sample: the non-synonymous one is written beside
    // the synonymous one and joined after it.
    const std::string header = per_sample_text_header();
    const size_t rows_bytes = ws.sample_names.items().size() + n * (2 * (PROTEIN_GENE_COUNT + 1) + 3);
    Report report;
    std::string& t = report.text;
    t.reserve(2 * rows_bytes + 2 * header.size() + 64);
    t += "Synonymous\n";
    t += header;
    std::string non_synonymous;
    non_synonymous.reserve(rows_bytes);
    SampleCounts sample_counts(ws);
    for (size_t j = 0; j < n; ++j) {
        const ProteinCounts counts = sample_counts.of(j);
        append_text_row(t, sample_name(ws, j), counts.synonymous);
        append_text_row(non_synonymous, sample_name(ws, j), counts.non_synonymous);
    }
    t += "\n\nNon-Synonymous\n";
    t += header;
    t += non_synonymous;
    return report;
}

void protein_per_sample_rows(const Workspace& ws, RowSink& sink, ProgressSink* progress) {
    const size_t n = ws.sample_positions.size();
    const int32_t rows = static_cast<int32_t>(n);
    // Synonymous title and header in rows 1 and 2, a row per sample from 3;
    // two empty rows; the non-synonymous title, header and rows below.
    SheetExtent extent{2 * rows + 6, 15};
    FindingsWidth width(ws);
    for (size_t j = 0; j < n; ++j) extent.columns = std::max(extent.columns, width.last_column(j));
    if (!sink.begin(extent)) return;

    if (!sink.row(1, {{1, "Synonymous"}}) || !sink.row(2, header_row())) return;
    if (progress) progress->start(rows);
    // The non-synonymous rows come after every synonymous one: their counts
    // wait here, 13 numbers a sample, not their cells.
    std::vector<std::array<int32_t, PROTEIN_GENE_COUNT>> non_synonymous;
    non_synonymous.reserve(n);
    RowCells cells;
    for (size_t j = 0; j < n; ++j) {
        const SampleResult r = classify_sample(ws, j);
        put_count_row(cells, sample_name(ws, j), r.counts.synonymous);
        print_info_overlap_stop_pos_sample(cells, ws, r.analysis);
        if (!sink.row(static_cast<int32_t>(j) + 3, cells)) return;
        non_synonymous.push_back(r.counts.non_synonymous);
        if (progress) progress->step(progress_percent(static_cast<int64_t>(j), static_cast<int64_t>(n)));
    }
    if (progress) progress->finish();
    if (!sink.row(rows + 5, {{1, "Non-Synonymous"}}) || !sink.row(rows + 6, header_row())) return;
    for (size_t j = 0; j < n; ++j) {
        put_count_row(cells, sample_name(ws, j), non_synonymous[j]);
        if (!sink.row(rows + 7 + static_cast<int32_t>(j), cells)) return;
    }
    sink.end();
}

}  // namespace corvella
