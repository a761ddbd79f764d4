#include <gtest/gtest.h>

#include "classify/rrna_reports.h"
#include "rna_test_support.h"

using namespace corvella;
using namespace corvella::testing;

TEST(RrnaReports, TextFormsMatchTheGoldenFiles) {
    const Workspace ws = golden_workspace();
    RecordingProgress progress;
    const RrnaSummaryGrid grid = rrna_summary_grid(count_rrna_regions(ws));
    EXPECT_EQ(rrna_summary_report(grid, ReportFormat::Text).text, read_golden("rrna_summary.txt"));
    EXPECT_EQ(rrna_per_position_report(ws, ReportFormat::Text, &progress).text,
              read_golden("rrna_per_position.txt"));
    EXPECT_EQ(rrna_per_sample_report(ws, ReportFormat::Text, &progress).text,
              read_golden("rrna_per_sample.txt"));
    EXPECT_TRUE(progress.events.empty());
}

TEST(RrnaReports, SummaryAndPerPositionWorkbooks) {
    const Workspace ws = human_tally({{{1438, 'G'}, 5}, {{1650, 'C'}, 1}, {{3010, 'A'}, 2}});
    const Report summary =
        rrna_summary_report(rrna_summary_grid(count_rrna_regions(ws)), ReportFormat::Workbook);
    EXPECT_EQ(cell_at(summary.cells, 1, 3), "16S");
    EXPECT_EQ(cell_at(summary.cells, 2, 1), "Stem");
    EXPECT_EQ(cell_at(summary.cells, 2, 2), "1");
    EXPECT_EQ(cell_at(summary.cells, 3, 3), "1");
    EXPECT_EQ(summary.cells.size(), 9u);

    RecordingProgress progress;
    const Report rows = rrna_per_position_report(ws, ReportFormat::Workbook, &progress);
    EXPECT_EQ(cell_at(rows.cells, 1, 5), "Frequency");
    EXPECT_EQ(cell_at(rows.cells, 2, 1), "1438");
    EXPECT_EQ(cell_at(rows.cells, 2, 2), "A-G");
    EXPECT_EQ(cell_at(rows.cells, 2, 3), "12S");
    EXPECT_EQ(cell_at(rows.cells, 2, 4), "Stem");
    EXPECT_EQ(cell_at(rows.cells, 2, 5), "5");
    EXPECT_EQ(cell_at(rows.cells, 3, 1), "3010");  // 1650 lies in neither rRNA
    EXPECT_EQ(cell_at(rows.cells, 3, 3), "16S");
    EXPECT_EQ(cell_at(rows.cells, 4, 1), "<none>");
    EXPECT_EQ(progress.events, (std::vector<std::string>{"start 3", "34", "67", "100", "finish"}));
}

TEST(RrnaReports, PerSampleWorkbookHasTwoBlocksAndTwoProgressWalks) {
    const Workspace ws = rna_workspace({
        {">S1", {{1438, 'G'}, {1722, 'G'}, {1721, 'T'}}},
        {">S2", {}},
        {">S3", {{1555, 'G'}, {3010, 'A'}, {1650, 'C'}}},
    });
    RecordingProgress progress;
    const Report report = rrna_per_sample_report(ws, ReportFormat::Workbook, &progress);
    const auto& c = report.cells;

    EXPECT_EQ(cell_at(c, 1, 1), "12S");
    EXPECT_EQ(cell_at(c, 2, 1), "Sequence");
    EXPECT_EQ(cell_at(c, 2, 2), "Stem");
    EXPECT_EQ(cell_at(c, 2, 3), "Non-stem");
    const std::vector<std::vector<std::string>> s12 = {
        {">S1", "1", "0"}, {">S2", "0", "0"}, {">S3", "0", "1"}};
    for (int32_t i = 0; i < 3; ++i)
        for (int32_t col = 1; col <= 3; ++col)
            EXPECT_EQ(cell_at(c, 3 + i, col), s12[i][col - 1]) << "row " << 3 + i;
    for (const Cell& cell : c) EXPECT_NE(cell.row, 6) << "row 6 stays empty";
    EXPECT_EQ(cell_at(c, 7, 1), "16S");
    EXPECT_EQ(cell_at(c, 8, 1), "Sequence");
    EXPECT_EQ(cell_at(c, 8, 3), "Non-stem");
    const std::vector<std::vector<std::string>> s16 = {
        {">S1", "1", "1"}, {">S2", "0", "0"}, {">S3", "0", "1"}};
    for (int32_t i = 0; i < 3; ++i)
        for (int32_t col = 1; col <= 3; ++col)
            EXPECT_EQ(cell_at(c, 9 + i, col), s16[i][col - 1]) << "row " << 9 + i;
    EXPECT_EQ(c.size(), 2u * (1 + 3 + 9));

    EXPECT_EQ(progress.events, (std::vector<std::string>{"start 6", "0", "17", "34", "0", "17", "34", "finish"}));
}

TEST(RrnaReports, NoSamplesGivesTheTwoHeadingsOnly) {
    Workspace ws = human_tally({});
    EXPECT_EQ(rrna_per_sample_report(ws, ReportFormat::Text, nullptr).text,
              "12S\nSequence\tStem\tNon-stem\n\n16S\nSequence\tStem\tNon-stem\n");
    RecordingProgress progress;
    const Report report = rrna_per_sample_report(ws, ReportFormat::Workbook, &progress);
    EXPECT_EQ(cell_at(report.cells, 4, 1), "16S");
    EXPECT_EQ(progress.events, (std::vector<std::string>{"start 0", "finish"}));
}
