// One self-contained HTML page of a cohort: what was read, the genome map
// and the charts as inline SVG, the gene table (and any other whole table,
// such as population statistics) and the variant table, sortable by any
// column and filtered by a text box. Every script, style and picture is in
// the page: opening it makes no network request.
#pragma once

#include <string>
#include <vector>

namespace corvella {

struct HtmlTable {
    std::string id;     // the element id ("variants")
    std::string title;  // its heading
    std::string note;   // a line under the heading; may be empty
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
};

struct HtmlFigure {
    std::string title;
    std::string svg;  // a whole SVG document; its XML prolog is dropped
};

struct HtmlReport {
    std::string title;  // "Corvella report: 6 samples"
    // What was read: each a (name, value) line ("Reference", "AC_000021,
    // 16,569 bases").
    std::vector<std::pair<std::string, std::string>> facts;
    std::vector<std::string> inputs;
    std::string import_summary;  // the reader's summary lines; may be empty
    std::vector<HtmlFigure> figures;
    std::vector<HtmlTable> tables;  // in page order; the last one is filtered and sorted like the others
};

// The variant table holds at most this many distinct variants.
constexpr size_t HTML_VARIANT_LIMIT = 5000;

// A text for HTML, SVG or XML: &, <, > and " as entities.
std::string markup_escaped(const std::string& text);

// The page. Texts are escaped; figures are put in as they are.
std::string html_report(const HtmlReport& report);

// The rows of a tab-separated text table (CR LF or LF line ends): the first
// line is the header.
HtmlTable html_table_from_text(const std::string& id, const std::string& title, const std::string& text);

// Keeps the rows of the `limit` distinct variants carried by the most
// samples (by the header's "Samples" column; ties in table order), in table
// order, and says so in the note with where the whole table is. A table of
// `limit` variants or fewer is kept whole.
void keep_most_frequent_variants(HtmlTable& table, size_t limit, const std::string& whole_table);

}  // namespace corvella
