// A table's number columns are found by what they hold, so that a column
// added to the variant or gene table takes its kind without a list to keep.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "classify/gene_table.h"
#include "classify/report_table.h"
#include "classify/variant_table.h"
#include "rna_test_support.h"

namespace corvella {
namespace {

// The kind each column of a table's workbook came out with: "number",
// "text", or "mixed" when the data cells of one column disagree.
std::map<std::string, std::string> column_kinds(const Report& book) {
    std::map<int32_t, std::string> header;
    std::map<int32_t, std::string> kind;
    for (const Cell& c : book.cells) {
        if (c.row == 1) {
            header[c.column] = c.text;
            EXPECT_FALSE(c.number) << "header " << c.text;
            continue;
        }
        if (c.text.empty()) continue;
        const std::string k = c.number ? "number" : "text";
        auto [it, added] = kind.emplace(c.column, k);
        if (!added && it->second != k) it->second = "mixed";
    }
    std::map<std::string, std::string> by_name;
    for (const auto& [column, k] : kind) by_name[header[column]] = k;
    return by_name;
}

TEST(NumberColumns, AColumnIsNumericWhenEveryValueIsADecimal) {
    struct Case {
        std::vector<std::string> values;  // rows 2 on of one column
        bool numeric;
    };
    const Case cases[] = {
        {{"1", "0.5", "-2.25"}, true},
        {{"1", "", "3"}, true},       // empty cells do not decide
        {{"", ""}, false},            // nothing to go by
        {{"1", "NA", "3"}, false},    // one text makes the column text
        {{"73G", "263"}, false},
        {{"1e3"}, false},
    };
    for (const Case& c : cases) {
        std::vector<Cell> cells = {{1, 1, "Header"}, {1, 2, "Name"}};
        int32_t row = 2;
        for (const std::string& v : c.values) {
            cells.push_back({row, 1, v});
            cells.push_back({row++, 2, "s"});
        }
        mark_number_columns(cells, 2);
        for (const Cell& cell : cells) {
            const bool expected = cell.row >= 2 && cell.column == 1 && c.numeric;
            EXPECT_EQ(cell.number, expected) << "row " << cell.row << " column " << cell.column << " '" << cell.text
                                             << "'";
        }
    }
}

TEST(NumberColumns, TheVariantAndGeneTablesNumbersAreNumberCells) {
    const Workspace ws = testing::golden_workspace();
    const auto variants = column_kinds(variant_table_report(ws, ReportFormat::Workbook, nullptr));
    for (const char* name : {"Position", "Samples", "Occurrences", "Frequency", "Homoplasmic", "Heteroplasmic",
                             "Max level", "AC_hom", "AC_het", "AF_hom", "AF_het", "max_hl"})
        EXPECT_EQ(variants.at(name), "number") << name;
    for (const char* name : {"Ref", "Alt", "Variant", "HGVS", "Region", "Region type", "Consequence", "Group"})
        EXPECT_EQ(variants.at(name), "text") << name;

    const auto genes = column_kinds(gene_table_report(ws, ReportFormat::Workbook));
    const std::set<std::string> names = {"Region", "Symbol", "Region type", "Group"};
    for (const auto& [name, kind] : genes) {
        // Every column but the names is a length, a count, a fraction or pN/pS.
        EXPECT_EQ(kind, names.count(name) ? "text" : "number") << name;
    }
    for (const char* name : {"Length", "Possible", "Observed", "Fraction observed"})
        EXPECT_EQ(genes.count(name) ? genes.at(name) : "absent", "number") << name;
    // The text form is unchanged by the kinds.
    EXPECT_TRUE(variant_table_report(ws, ReportFormat::Text, nullptr).cells.empty());
}

}  // namespace
}  // namespace corvella
