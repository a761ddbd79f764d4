// The per-group heteroplasmy columns of the variant table and the gene
// table, on a cohort small enough to count by hand.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classify/gene_table.h"
#include "classify/variant_table.h"
#include "input/sample_groups.h"
#include "rna_test_support.h"

namespace corvella {
namespace {

using testing::rna_workspace;
using testing::split_table;

// A: 3243G twice (0.30, then 0.97: counted once, homoplasmic) and 16519C at
// 0.50; B: 3243G at 0.949 (just heteroplasmic); C: 16519C at 1; D nothing;
// E: 3243G at 0.05 (a carrier, but neither AC_hom nor AC_het).
Workspace levelled_cohort() {
    Workspace ws = rna_workspace({{">A", {{3243, 'G'}, {3243, 'G'}, {16519, 'C'}}},
                                  {">B", {{3243, 'G'}}},
                                  {">C", {{16519, 'C'}}},
                                  {">D", {}},
                                  {">E", {{3243, 'G'}}}});
    ws.sample_levels = {0.30f, 0.97f, 0.50f, 0.949f, 1.0f, 0.05f};
    return ws;
}

// A and B are cases, C and E controls, D in no group; Z is no sample.
SampleGroups levelled_groups(const Workspace& ws) {
    return assign_sample_groups(ws, parse_group_text("sample\tgroup\nA\tcase\nB\tcase\nC\tctrl\nE\tctrl\nZ\tctrl\n"));
}

std::string column(const std::vector<std::string>& header, const std::vector<std::string>& row,
                   const std::string& name) {
    for (size_t c = 0; c < header.size(); ++c)
        if (header[c] == name) return c < row.size() ? row[c] : "<short>";
    return "<no column " + name + ">";
}

struct Expected {
    std::string key;  // the row's variant (variant table) or symbol (gene table)
    std::string group, ac_hom, ac_het, af_hom, af_het, max_hl;
};

void expect_rows(const std::vector<std::vector<std::string>>& rows, const std::string& key_column,
                 const std::vector<Expected>& expected) {
    ASSERT_FALSE(rows.empty());
    const auto& header = rows[0];
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.key + " " + e.group);
        int found = 0;
        for (size_t r = 1; r < rows.size(); ++r) {
            if (column(header, rows[r], key_column) != e.key || column(header, rows[r], "Group") != e.group) continue;
            ++found;
            EXPECT_EQ(column(header, rows[r], "AC_hom"), e.ac_hom);
            EXPECT_EQ(column(header, rows[r], "AC_het"), e.ac_het);
            EXPECT_EQ(column(header, rows[r], "AF_hom"), e.af_hom);
            EXPECT_EQ(column(header, rows[r], "AF_het"), e.af_het);
            EXPECT_EQ(column(header, rows[r], "max_hl"), e.max_hl);
        }
        EXPECT_EQ(found, 1);
    }
}

TEST(GroupColumns, HeaderKeepsTheOldColumnsFirst) {
    const std::vector<std::string> tail = {"Group", "AC_hom", "AC_het", "AF_hom", "AF_het", "max_hl"};
    for (const auto* header : {&variant_table_header(), &gene_table_header()}) {
        ASSERT_EQ(header->size(), 26u + tail.size());
        EXPECT_EQ(std::vector<std::string>(header->end() - 6, header->end()), tail);
    }
    EXPECT_EQ(variant_table_header()[25], "rRNA structure");
    EXPECT_EQ(gene_table_header()[25], "Observed non-stem");
}

TEST(GroupColumns, EachGroupsCallsAreCountedByLevel) {
    const Workspace ws = levelled_cohort();
    const SampleGroups groups = levelled_groups(ws);
    Workspace list = ws;
    list.sample_levels.clear();  // a list: every call at level 1
    const auto variants = split_table(variant_table_report(ws, groups, ReportFormat::Text, nullptr).text);
    const auto rows = split_table(gene_table_report(ws, groups, ReportFormat::Text).text);
    const struct {
        const char* what;
        std::vector<std::vector<std::string>> rows;
        const char* key;
        size_t size;
        std::vector<Expected> expected;
    } cases[] = {
        // Two variants, each for "all" and the two groups that carry it; the
        // group "(none)" (D) carries nothing and gets no row.
        {"variant table", variants, "Variant", 7u,
         {{"3243", "all", "1", "1", "0.200000", "0.200000", "0.970"},
          {"3243", "case", "1", "1", "0.500000", "0.500000", "0.970"},
          {"3243", "ctrl", "0", "0", "0.000000", "0.000000", "0.050"},
          {"16519", "all", "1", "1", "0.200000", "0.200000", "1.000"},
          {"16519", "case", "0", "1", "0.000000", "0.500000", "0.500"},
          {"16519", "ctrl", "1", "0", "0.500000", "0.000000", "1.000"}}},
        // Without groups one "all" row per variant.
        {"variant list", split_table(variant_table_report(list, ReportFormat::Text, nullptr).text), "Variant", 3u,
         {{"3243", "all", "3", "0", "0.600000", "0.000000", "1.000"},
          {"16519", "all", "2", "0", "0.400000", "0.000000", "1.000"}}},
        // The gene table sums a region's calls: every region for all, case, ctrl, (none).
        {"gene table", rows, "Symbol", 1u + 38u * 4u,
         {{"MT-TL1", "all", "1", "1", "0.200000", "0.200000", "0.970"},
          {"MT-TL1", "case", "1", "1", "0.500000", "0.500000", "0.970"},
          {"MT-TL1", "ctrl", "0", "0", "0.000000", "0.000000", "0.050"},
          {"MT-TL1", "(none)", "0", "0", "0.000000", "0.000000", ""},
          {"MT-ND1", "all", "0", "0", "0.000000", "0.000000", ""}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(c.rows.size(), c.size);
        expect_rows(c.rows, c.key, c.expected);
    }
    // The cohort's own columns stay the cohort's on every group's row.
    for (size_t r = 1; r <= 3; ++r) EXPECT_EQ(column(variants[0], variants[r], "Samples"), "3");
    EXPECT_EQ(column(variants[0], variants[1], "Group"), "all");
    // The D-loop is the last region: its four rows hold 16519C.
    const std::vector<std::vector<std::string>> dloop = {
        {"all", "1", "1", "1.000"}, {"case", "0", "1", "0.500"}, {"ctrl", "1", "0", "1.000"}, {"(none)", "0", "0", ""}};
    for (size_t g = 0; g < dloop.size(); ++g) {
        const auto& row = rows[rows.size() - 4 + g];
        EXPECT_EQ(column(rows[0], row, "Region type"), column(rows[0], rows.back(), "Region type"));
        const char* names[] = {"Group", "AC_hom", "AC_het", "max_hl"};
        for (size_t k = 0; k < 4; ++k) EXPECT_EQ(column(rows[0], row, names[k]), dloop[g][k]) << names[k];
    }
    // Without groups the table keeps one row per region.
    EXPECT_EQ(split_table(gene_table_report(ws, ReportFormat::Text).text).size(), 39u);
}

}  // namespace
}  // namespace corvella
