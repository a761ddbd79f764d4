#include <gtest/gtest.h>

#include "classify/trna_reports.h"
#include "rna_test_support.h"

using namespace corvella;
using namespace corvella::testing;

TEST(TrnaReports, TextFormsMatchTheGoldenFiles) {
    const Workspace ws = golden_workspace();
    RecordingProgress progress;
    const TrnaSummaryGrid grid = trna_summary_grid(count_trna_groups(ws));
    EXPECT_EQ(trna_summary_report(grid, ReportFormat::Text).text, read_golden("trna_summary.txt"));
    EXPECT_EQ(trna_per_position_report(ws, ReportFormat::Text, &progress).text,
              read_golden("trna_per_position.txt"));
    EXPECT_EQ(trna_per_sample_report(ws, ReportFormat::Text, &progress).text,
              read_golden("trna_per_sample.txt"));
    // The text form writes without the progress window.
    EXPECT_TRUE(progress.events.empty());
}

TEST(TrnaReports, SummaryWorkbookWordsItsHeaderOnItsOwn) {
    const TrnaSummaryGrid grid = trna_summary_grid(count_trna_groups(golden_workspace()));
    const Report report = trna_summary_report(grid, ReportFormat::Workbook);
    EXPECT_TRUE(report.text.empty());
    EXPECT_EQ(cell_at(report.cells, 1, 1), "Region");
    EXPECT_EQ(cell_at(report.cells, 1, 2), "No. Positions");
    EXPECT_EQ(cell_at(report.cells, 4, 1), "Var. Region");
    EXPECT_EQ(cell_at(report.cells, 5, 2), "2");
    EXPECT_EQ(report.cells.size(), 10u);
}

TEST(TrnaReports, PerPositionWorkbookRepeatsThePositionOfSharedRows) {
    const Workspace ws = human_tally({{{3243, 'G'}, 2}, {{4330, 'A'}, 1}, {{8000, 'A'}, 4}});
    RecordingProgress progress;
    const Report report = trna_per_position_report(ws, ReportFormat::Workbook, &progress);
    EXPECT_EQ(cell_at(report.cells, 1, 3), "tRNA");
    EXPECT_EQ(cell_at(report.cells, 2, 1), "3243");
    EXPECT_EQ(cell_at(report.cells, 2, 5), "2");
    EXPECT_EQ(cell_at(report.cells, 3, 1), "4330A");
    EXPECT_EQ(cell_at(report.cells, 3, 3), "tRNA-Ile");
    EXPECT_EQ(cell_at(report.cells, 4, 1), "4330A");
    EXPECT_EQ(cell_at(report.cells, 4, 3), "tRNA-Gln");
    EXPECT_EQ(cell_at(report.cells, 4, 4), "Acc-stem");
    EXPECT_EQ(cell_at(report.cells, 5, 1), "<none>");  // 8000 gives no row
    // One step per tally entry, after all of its rows, counted from 1.
    EXPECT_EQ(progress.events, (std::vector<std::string>{"start 3", "34", "67", "100", "finish"}));
}

TEST(TrnaReports, PerSampleWorkbookOneRowPerEntryCountedFromZero) {
    const Workspace ws = golden_workspace();
    RecordingProgress progress;
    const Report report = trna_per_sample_report(ws, ReportFormat::Workbook, &progress);
    EXPECT_EQ(cell_at(report.cells, 1, 1), "Sequence");
    EXPECT_EQ(cell_at(report.cells, 1, 10), "Other");
    EXPECT_EQ(cell_at(report.cells, 3, 1), ">S2");
    EXPECT_EQ(cell_at(report.cells, 3, 2), "2");
    EXPECT_EQ(cell_at(report.cells, 3, 10), "2");
    EXPECT_EQ(cell_at(report.cells, 3, 11), "<none>");  // no trailing empty cell
    EXPECT_EQ(cell_at(report.cells, 5, 1), ">S4");
    EXPECT_EQ(progress.events, (std::vector<std::string>{"start 4", "0", "25", "50", "75", "finish"}));
}

TEST(TrnaReports, EmptyTallyAndMissingProgressSink) {
    const Workspace ws = human_tally({});
    EXPECT_EQ(trna_per_position_report(ws, ReportFormat::Text, nullptr).text,
              "Position\tBase Change\ttRNA\tRegion\tFrequency\n");
    EXPECT_EQ(trna_per_position_report(ws, ReportFormat::Workbook, nullptr).cells.size(), 5u);
    const TrnaSummaryGrid grid = trna_summary_grid(count_trna_groups(ws));
    EXPECT_EQ(trna_summary_report(grid, ReportFormat::Text).text,
              "Region\tNo. of Positions\nStem\t0\nLoop\t0\nVar. Region\t0\nOther\t0\n");
}

TEST(TrnaReports, SampleNamesPairWithEntries) {
    // As many names as entries: name i. Fewer (left by a failed read): the
    // entries without a name get an empty one, nothing past the list is read.
    Workspace ws = rna_workspace({{">A", {{3243, 'G'}}}, {">B", {}}}, false);
    const std::string text = trna_per_sample_report(ws, ReportFormat::Text, nullptr).text;
    EXPECT_EQ(text.substr(text.find('\n') + 1),
              ">A\t0\t0\t0\t0\t1\t0\t0\t0\t0\t\n>B\t0\t0\t0\t0\t0\t0\t0\t0\t0\t\n");
    ws.sample_names.pop_back();
    const Report report = trna_per_sample_report(ws, ReportFormat::Workbook, nullptr);
    EXPECT_EQ(cell_at(report.cells, 2, 1), ">A");
    EXPECT_EQ(cell_at(report.cells, 3, 1), "");
    EXPECT_EQ(cell_at(report.cells, 3, 2), "0");
}
