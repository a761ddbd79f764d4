#include "classify/protein_reports.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "classify/genetic_code.h"
#include "classify/variant_text.h"
#include "core/polymorphism_list.h"

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

// Writes `label` at `column` of `row`, then the variant texts one column
// further each; returns the column of the last cell written.
int32_t put_labelled_variants(std::vector<Cell>& cells, int32_t row, int32_t column, const std::string& label,
                              const Workspace& ws, const std::vector<VariantKey>& variants) {
    cells.push_back({row, column, label});
    for (const VariantKey& v : variants) cells.push_back({row, ++column, variant_text(ws, v.position, v.base)});
    return column;
}

}  // namespace

Report protein_summary_report(const Workspace& ws, const ProteinCounts& counts, ReportFormat format) {
    const auto rows = protein_grid_rows(counts);
    const ProteinAnalysis analysis = check_overlap_positions(ws, ws.variant_tally);
    Report report;
    if (format == ReportFormat::Text) {
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
    std::vector<Cell>& cells = report.cells;
    cells.push_back({1, 1, "Gene"});
    cells.push_back({1, 2, "Syn"});
    cells.push_back({1, 3, "N-Syn"});
    for (size_t r = 0; r < rows.size(); ++r)
        for (int32_t c = 0; c < 3; ++c)
            cells.push_back({static_cast<int32_t>(r) + 2, c + 1, rows[r][static_cast<size_t>(c)]});
    int32_t row = 17;  // row 16 stays empty
    for (const ProteinOverlapGroup& g : analysis.protein_overlap_groups)
        put_labelled_variants(cells, row++, 1, overlap_label(g), ws, g.variants);
    if (!analysis.stop_variants.empty()) put_labelled_variants(cells, row, 1, "STOP", ws, analysis.stop_variants);
    return report;
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
    Report report;
    const bool workbook = format == ReportFormat::Workbook;
    if (workbook) {
        for (int32_t c = 0; c < 13; ++c) report.cells.push_back({1, c + 1, PER_POSITION_HEADERS[c]});
        if (progress) progress->start(static_cast<int32_t>(ws.variant_tally.size()));
    } else {
        for (int c = 0; c < 13; ++c) report.text += std::string(c ? "\t" : "") + PER_POSITION_HEADERS[c];
        report.text += "\n";
    }
    const int64_t n = static_cast<int64_t>(ws.variant_tally.size());
    int64_t k = 0;
    int32_t row = 2;
    for (const auto& [key, count] : ws.variant_tally) {
        for (int g = 0; g < PROTEIN_GENE_COUNT; ++g) {
            if (!ws.in_protein_gene(g, key.position)) continue;
            const auto columns = line_result_syn(ws, key, g);
            if (workbook) {
                for (size_t c = 0; c < columns.size(); ++c)
                    report.cells.push_back({row, static_cast<int32_t>(c) + 1, columns[c]});
                report.cells.push_back({row, 13, std::to_string(count)});
                ++row;
            } else {
                for (const std::string& text : columns) report.text += text + "\t";
                report.text += std::to_string(count) + "\n";
            }
        }
        ++k;
        if (workbook && progress) progress->step(progress_percent(k, n));
    }
    if (workbook && progress) progress->finish();
    return report;
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

void append_text_row(std::string& text, const std::string& name, const std::array<int32_t, PROTEIN_GENE_COUNT>& c) {
    text += name + "\t";
    for (int32_t v : c) text += std::to_string(v) + "\t";
    text += std::to_string(total_of(c)) + "\n";
}

void put_header_row(std::vector<Cell>& cells, int32_t row) {
    cells.push_back({row, 1, "Sequence"});
    for (int32_t g = 0; g < PROTEIN_GENE_COUNT; ++g)
        cells.push_back({row, g + 2, PROTEIN_GENE_NAMES[static_cast<size_t>(g)]});
    cells.push_back({row, 15, "Total"});
}

void put_count_row(std::vector<Cell>& cells, int32_t row, const std::string& name,
                   const std::array<int32_t, PROTEIN_GENE_COUNT>& c) {
    cells.push_back({row, 1, name});
    for (int32_t g = 0; g < PROTEIN_GENE_COUNT; ++g)
        cells.push_back({row, g + 2, std::to_string(c[static_cast<size_t>(g)])});
    cells.push_back({row, 15, std::to_string(total_of(c))});
}

// print_info_overlap_stop_pos_sample: the sample's findings along its
// synonymous row. The column counter starts at 16 and each write advances it
// first; one column stays empty after each group, and one more before "STOP".
void print_info_overlap_stop_pos_sample(std::vector<Cell>& cells, int32_t row, const Workspace& ws,
                                        const ProteinAnalysis& analysis) {
    int32_t column = 16;
    for (const ProteinOverlapGroup& g : analysis.protein_overlap_groups)
        column = put_labelled_variants(cells, row, column + 1, overlap_label(g), ws, g.variants) + 1;
    ++column;
    if (!analysis.stop_variants.empty()) put_labelled_variants(cells, row, column, "STOP", ws, analysis.stop_variants);
}

}  // namespace

Report protein_per_sample_report(const Workspace& ws, ReportFormat format, ProgressSink* progress) {
    const size_t n = ws.sample_positions.size();
    Report report;
    if (format == ReportFormat::Text) {
        // Both tables list every sample, so the counts are kept between them.
        std::vector<ProteinCounts> counts;
        counts.reserve(n);
        for (size_t j = 0; j < n; ++j) counts.push_back(classify_sample(ws, j).counts);
        const std::string header = per_sample_text_header();
        std::string& t = report.text;
        t = "Synonymous\n" + header;
        for (size_t j = 0; j < n; ++j) append_text_row(t, sample_name(ws, j), counts[j].synonymous);
        t += "\n\nNon-Synonymous\n" + header;
        for (size_t j = 0; j < n; ++j) append_text_row(t, sample_name(ws, j), counts[j].non_synonymous);
        return report;
    }
    std::vector<Cell>& cells = report.cells;
    const int32_t rows = static_cast<int32_t>(n);
    cells.reserve(32 * n + 32);  // two rows of 15 per sample, a few findings
    cells.push_back({1, 1, "Synonymous"});
    put_header_row(cells, 2);
    cells.push_back({rows + 5, 1, "Non-Synonymous"});
    put_header_row(cells, rows + 6);
    if (progress) progress->start(rows);
    for (size_t j = 0; j < n; ++j) {
        const SampleResult r = classify_sample(ws, j);
        const std::string name = sample_name(ws, j);
        const int32_t row = static_cast<int32_t>(j) + 3;
        put_count_row(cells, row, name, r.counts.synonymous);
        put_count_row(cells, rows + 7 + static_cast<int32_t>(j), name, r.counts.non_synonymous);
        print_info_overlap_stop_pos_sample(cells, row, ws, r.analysis);
        if (progress) progress->step(progress_percent(static_cast<int64_t>(j), static_cast<int64_t>(n)));
    }
    if (progress) progress->finish();
    return report;
}

}  // namespace corvella
