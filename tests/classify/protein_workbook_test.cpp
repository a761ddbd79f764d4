// The protein workbooks as an independent reader finds them on disk.
#include <gtest/gtest.h>

#include "classify/protein_reports.h"
#include "output/temp_folder.h"
#include "output/workbook_writer.h"
#include "output/xls_read_back.h"
#include "protein_fixture.h"

using namespace corvella;
using namespace corvella::testing;

namespace {

class ProteinWorkbook : public corvella_test::TempFolder {
protected:
    // Writes the report and returns what the reader sees, values only.
    CellMap written(const Report& report, const std::string& name) {
        const WriteResult result = WorkbookWriter(path(name), report.cells);
        EXPECT_TRUE(result.ok) << result.error;
        const corvella_test::ReadBack rb = corvella_test::read_workbook(path(name));
        EXPECT_EQ(rb.sheets, std::vector<std::string>{"results"});
        CellMap values;
        for (const auto& [at, typed] : rb.cells) values[at] = typed.substr(typed.find(':') + 1);
        return values;
    }
};

}  // namespace

TEST_F(ProteinWorkbook, SummaryFindingsReadBackFromRow17) {
    const Workspace ws = six_key_workspace();
    const Report r =
        protein_summary_report(ws, count_protein_variants(ws, ws.variant_tally), ReportFormat::Workbook);
    const CellMap cells = written(r, "summary.xls");
    EXPECT_EQ(cells, cell_map(r.cells));
    EXPECT_EQ(cells.at({15, 1}), "TOTAL");
    EXPECT_EQ(cells.at({17, 3}), "8530");
    EXPECT_EQ(cells.at({20, 1}), "STOP");
    EXPECT_EQ(cells.at({20, 2}), "9207T");
    EXPECT_EQ(cells.count({16, 1}), 0u);
}

TEST_F(ProteinWorkbook, PerSampleBlocksReadBack) {
    Workspace ws = human_workspace();
    ws.sample_names = {">ref", ">one", ">two"};
    ws.sample_positions = {{8527}, {14149, 14766}};
    ws.sample_bases = {"G", "TT"};
    const Report r = protein_per_sample_report(ws, ReportFormat::Workbook, nullptr);
    const CellMap cells = written(r, "per_sample.xls");
    EXPECT_EQ(cells, cell_map(r.cells));
    EXPECT_EQ(cells.at({3, 1}), ">one");
    EXPECT_EQ(cells.at({3, 17}), "ATP6-ATP8");
    EXPECT_EQ(cells.at({4, 17}), "STOP");
    EXPECT_EQ(cells.at({7, 1}), "Non-Synonymous");
    EXPECT_EQ(cells.at({10, 7}), "1");  // two: CYTB non-synonymous
}
