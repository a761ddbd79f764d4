#include "output/html_report.h"

#include <gtest/gtest.h>

#include "output/multiqc.h"

namespace corvella {
namespace {

size_t count_of(const std::string& text, const std::string& word) {
    size_t n = 0;
    for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + word.size())) ++n;
    return n;
}

TEST(HtmlReport, TextTablesBecomeRowsOfCells) {
    struct Case {
        const char* text;
        std::vector<std::string> header;
        std::vector<std::vector<std::string>> rows;
    };
    const Case cases[] = {
        {"A\tB\r\n1\t2\r\n3\t\r\n", {"A", "B"}, {{"1", "2"}, {"3", ""}}},
        {"A\tB\n1\t2", {"A", "B"}, {{"1", "2"}}},  // no line end after the last row
        {"Gene\n\nND1\n", {"Gene"}, {{"ND1"}}},     // an empty line is no row
        {"", {}, {}},
    };
    for (const Case& c : cases) {
        const HtmlTable t = html_table_from_text("t", "T", c.text);
        EXPECT_EQ(t.header, c.header) << c.text;
        EXPECT_EQ(t.rows, c.rows) << c.text;
    }
}

TEST(HtmlReport, TheMostFrequentVariantsAreKeptWholeInTableOrder) {
    HtmlTable t;
    t.header = {"Position", "Alt", "Samples", "Region"};
    // 8527G has two rows (two genes); 73G and 16519C tie at 5 samples.
    t.rows = {{"73", "G", "5", "D-loop"},     {"150", "T", "1", "D-loop"},  {"8527", "G", "9", "ATP8"},
              {"8527", "G", "9", "ATP6"},     {"8527", "T", "2", "ATP8"},   {"8527", "T", "2", "ATP6"},
              {"16519", "C", "5", "D-loop"}};
    struct Case {
        size_t limit;
        std::vector<std::string> kept;  // Position+Alt+Region of each row kept
        bool noted;
    };
    const Case cases[] = {
        {10, {"73GD-loop", "150TD-loop", "8527GATP8", "8527GATP6", "8527TATP8", "8527TATP6", "16519CD-loop"}, false},
        {5, {"73GD-loop", "150TD-loop", "8527GATP8", "8527GATP6", "8527TATP8", "8527TATP6", "16519CD-loop"}, false},
        {3, {"73GD-loop", "8527GATP8", "8527GATP6", "16519CD-loop"}, true},
        {2, {"73GD-loop", "8527GATP8", "8527GATP6"}, true},  // of the tie, the first in table order
        {1, {"8527GATP8", "8527GATP6"}, true},
    };
    for (const Case& c : cases) {
        HtmlTable copy = t;
        keep_most_frequent_variants(copy, c.limit, "variants.txt beside this page");
        std::vector<std::string> kept;
        for (const auto& row : copy.rows) kept.push_back(row[0] + row[1] + row[3]);
        EXPECT_EQ(kept, c.kept) << c.limit;
        EXPECT_EQ(!copy.note.empty(), c.noted) << c.limit;
        if (c.noted) {
            EXPECT_NE(copy.note.find("of 5 distinct variants"), std::string::npos) << copy.note;
            EXPECT_NE(copy.note.find("variants.txt beside this page"), std::string::npos) << copy.note;
        }
    }
}

TEST(HtmlReport, PageEscapesTextsAndInlinesTheFigures) {
    HtmlReport r;
    r.title = "Cohort <b>&</b>";
    r.facts = {{"Samples", "3"}};
    r.inputs = {"/data/a&b.vcf", "c.txt"};
    r.import_summary = "3 samples <kept>";
    r.figures = {{"Map", "<?xml version=\"1.0\"?>\n<!-- made -->\n<svg xmlns=\"http://www.w3.org/2000/svg\"><rect/></svg>"}};
    HtmlTable t = html_table_from_text("variants", "Variant table", "Position\tName\n1\t<script>x</script>\n");
    r.tables = {t};
    const std::string page = html_report(r);
    EXPECT_EQ(page.rfind("<!DOCTYPE html>", 0), 0u);
    // The SVG goes in from its element on, without the XML prolog.
    for (const char* part : {"<title>Cohort &lt;b&gt;&amp;&lt;/b&gt;</title>", "/data/a&amp;b.vcf<br>c.txt",
                             "3 samples &lt;kept&gt;", "<td>&lt;script&gt;x&lt;/script&gt;</td>",
                             "<figure class=\"wide\"><svg xmlns", "id=\"variants-filter\"", "@media print"}) {
        EXPECT_NE(page.find(part), std::string::npos) << part;
    }
    EXPECT_EQ(page.find("<?xml"), std::string::npos);
    EXPECT_EQ(count_of(page, "<script>"), 1u);  // the page's own, after the tables
}

TEST(Multiqc, JsonStringsAndTheTableHeader) {
    struct Case {
        std::string text, json;
    };
    const Case cases[] = {{"S1", "\"S1\""},
                          {"a\"b\\c", "\"a\\\"b\\\\c\""},
                          {"tab\there\nline", "\"tab\\there\\nline\""},
                          {std::string("bell\x07"), "\"bell\\u0007\""}};
    for (const Case& c : cases) EXPECT_EQ(json_string(c.text), c.json) << c.text;

    const MultiqcSection section{"corvella_genes", "It's the gene table", "Per gene"};
    const std::string tsv = multiqc_table_tsv(section, "Gene\tSyn\r\nND1\t3\r\n");
    EXPECT_EQ(tsv,
              "# id: 'corvella_genes'\n# section_name: 'It''s the gene table'\n# description: 'Per gene'\n"
              "# plot_type: 'table'\n# pconfig:\n#     id: 'corvella_genes_table'\n#     title: 'It''s the gene "
              "table'\nGene\tSyn\nND1\t3\n");
    const std::string json = multiqc_bargraph_json(section, {"syn", "tRNA"}, {{"S\"1", {2, 0}}, {"S2", {1}}}, "Variants");
    EXPECT_NE(json.find("\"S\\\"1\": {\"syn\": 2, \"tRNA\": 0}"), std::string::npos) << json;
    EXPECT_NE(json.find("\"S2\": {\"syn\": 1, \"tRNA\": 0}"), std::string::npos) << json;
    EXPECT_NE(json.find("\"plot_type\": \"bargraph\""), std::string::npos);
}

}  // namespace
}  // namespace corvella
