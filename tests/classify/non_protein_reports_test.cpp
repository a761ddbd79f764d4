#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "classify/non_protein.h"
#include "classify/non_protein_reports.h"
#include "classify/protein_fixture.h"

using namespace corvella;
using namespace corvella::testing;

namespace {

// Cells by (row, column); a cell written twice is a fault of its own.
CellMap cells_of(const Report& r) {
    const CellMap m = cell_map(r.cells);
    EXPECT_EQ(m.size(), r.cells.size()) << "a cell was written twice";
    return m;
}
std::string at(const CellMap& m, int32_t row, int32_t column) {
    auto it = m.find({row, column});
    return it == m.end() ? std::string("<none>") : it->second;
}

Workspace with_sample_lists() {
    Workspace ws = human_workspace();
    ws.sample_names = {">rCRS", ">S1", ">S2"};  // begins with the reference's name line
    ws.sample_positions = {{4330, 16519, 8000}, {3243, 5826, 5580, 4330, 16100}};
    ws.sample_bases = {"ACA", "GCCGT"};
    return ws;
}

}  // namespace

TEST(NonProteinSummary, TextListsGridRowsThenOverlapGroups) {
    Workspace ws = human_workspace();
    ws.variant_tally = {{{4330, 'A'}, 1}, {{4330, 'C'}, 2}, {{5826, 'C'}, 1}};
    const auto grid = non_protein_grid_texts(count_non_protein(ws, ws.variant_tally));
    EXPECT_EQ(non_protein_summary_report(ws, grid, ReportFormat::Text).text, read_golden("non_protein_summary.txt"));
}

TEST(NonProteinSummary, WorkbookPutsGridInRows2To27AndGroupsFromRow30) {
    Workspace ws = human_workspace();
    ws.variant_tally = {{{4330, 'A'}, 1}, {{4330, 'C'}, 2}, {{5826, 'C'}, 1}};
    const auto grid = non_protein_grid_texts(count_non_protein(ws, ws.variant_tally));
    const Report r = non_protein_summary_report(ws, grid, ReportFormat::Workbook);
    EXPECT_TRUE(r.text.empty());
    const CellMap m = cells_of(r);
    EXPECT_EQ(at(m, 1, 1), "Gene/Region");
    EXPECT_EQ(at(m, 1, 2), "No. Positions");
    EXPECT_EQ(at(m, 2, 1), "D-loop");
    EXPECT_EQ(at(m, 8, 1), "tRNA-Ile");
    EXPECT_EQ(at(m, 8, 2), "2");
    EXPECT_EQ(at(m, 15, 1), "tRNA-Tyr");
    EXPECT_EQ(at(m, 27, 1), "Non-coding");
    EXPECT_EQ(at(m, 27, 2), "0");
    EXPECT_EQ(at(m, 28, 1), "<none>");
    EXPECT_EQ(at(m, 29, 1), "<none>");
    EXPECT_EQ(at(m, 30, 1), "tRNA-Ile-tRNA-Gln");
    EXPECT_EQ(at(m, 30, 2), "4330A");
    EXPECT_EQ(at(m, 30, 3), "4330");
    EXPECT_EQ(at(m, 31, 1), "tRNA-Cys-tRNA-Tyr");
    EXPECT_EQ(at(m, 31, 2), "5826");
    EXPECT_EQ(m.size(), 2u + 26u * 2u + 3u + 2u);
}

TEST(NonProteinSummary, EmptyTallyEndsWithTwoEmptyLines) {
    const Workspace ws = human_workspace();
    const std::string text =
        non_protein_summary_report(ws, non_protein_grid_texts(count_non_protein(ws, {})), ReportFormat::Text).text;
    std::istringstream lines(text);
    std::string line;
    std::vector<std::string> all;
    while (std::getline(lines, line)) all.push_back(line);
    ASSERT_EQ(all.size(), 1u + 26u + 2u);
    EXPECT_EQ(all[0], "Gene/Region\tFrequencyNo. of Positions");
    for (size_t i = 1; i <= 26; ++i) EXPECT_EQ(all[i].substr(all[i].find('\t')), "\t0") << all[i];
    EXPECT_EQ(text.substr(text.size() - 4), "0\n\n\n");
}

TEST(NonProteinSummary, ReportsTheGridTextsAsDisplayed) {
    // Before the first count the grid's count cells are empty; the summary
    // repeats them as they stand rather than counting again.
    Workspace ws = human_workspace();
    ws.variant_tally = {{{5580, 'C'}, 1}};
    NonProteinGridTexts grid = non_protein_grid_texts(count_non_protein(ws, {}));
    for (auto& row : grid) row.count.clear();
    const std::string text = non_protein_summary_report(ws, grid, ReportFormat::Text).text;
    EXPECT_NE(text.find("\nNon-coding\t\n"), std::string::npos);
}

TEST(NonProteinPerPosition, TextRowsPerRegionWithTransversionMarks) {
    Workspace ws = human_workspace();
    ws.variant_tally = {{{3107, 'A'}, 1}, {{3243, 'G'}, 2}, {{4330, 'A'}, 1}, {{5580, 'C'}, 1},
                        {{8000, 'A'}, 1}, {{16519, 'C'}, 7}, {{17000, 'C'}, 1}};
    RecordingProgress progress;
    const Report r = non_protein_per_position_report(ws, ReportFormat::Text, &progress);
    EXPECT_EQ(r.text, read_golden("non_protein_per_position.txt"));
    EXPECT_TRUE(progress.events.empty());  // only the workbook form shows progress
}

TEST(NonProteinPerPosition, WorkbookRepeatsThePositionOnEveryRowAndSaysNonCoding) {
    Workspace ws = human_workspace();
    ws.variant_tally = {{{4330, 'A'}, 1}, {{5580, 'C'}, 1}, {{8000, 'A'}, 1}, {{16519, 'C'}, 7}};
    const CellMap m = cells_of(non_protein_per_position_report(ws, ReportFormat::Workbook, nullptr));
    const std::vector<std::vector<std::string>> expected = {
        {"Position", "Base Change", "Gene/Region", "Frequency"},
        {"4330A", "T-A", "tRNA-Ile", "1"},
        {"4330A", "T-A", "tRNA-Gln", "1"},
        {"5580", "T-C", "Non-coding", "1"},
        {"16519", "T-C", "D-loop", "7"},
    };
    for (size_t r = 0; r < expected.size(); ++r)
        for (size_t c = 0; c < 4; ++c)
            EXPECT_EQ(at(m, static_cast<int32_t>(r + 1), static_cast<int32_t>(c + 1)), expected[r][c]);
    EXPECT_EQ(m.size(), expected.size() * 4);
}

TEST(NonProteinPerPosition, EmptyTallyGivesTheHeaderAlone) {
    const Workspace ws = human_workspace();
    EXPECT_EQ(non_protein_per_position_report(ws, ReportFormat::Text, nullptr).text,
              "Position\tBase Change\tGene/Region\tFrequency\n");
    const Report wb = non_protein_per_position_report(ws, ReportFormat::Workbook, nullptr);
    ASSERT_EQ(wb.cells.size(), 4u);
    for (const Cell& c : wb.cells) EXPECT_EQ(c.row, 1);
}

TEST(NonProteinPerPosition, ProgressStepsAfterEachTallyEntry) {
    Workspace ws = human_workspace();
    // 8000 gives no row and 4330 gives two: the steps still follow the entries.
    ws.variant_tally = {{{4330, 'A'}, 1}, {{8000, 'A'}, 1}, {{16519, 'C'}, 7}};
    RecordingProgress progress;
    non_protein_per_position_report(ws, ReportFormat::Workbook, &progress);
    EXPECT_EQ(progress.events, (std::vector<std::string>{"start 3", "34", "67", "100", "finish"}));
}

TEST(NonProteinPerSample, TextHasTwentyEightFieldsAndNoGroups) {
    const Workspace ws = with_sample_lists();
    EXPECT_EQ(non_protein_per_sample_report(ws, ReportFormat::Text, nullptr).text,
              read_golden("non_protein_per_sample.txt"));
}

TEST(NonProteinPerSample, WorkbookAddsEachSamplesGroupsFromColumn30) {
    const Workspace ws = with_sample_lists();
    const CellMap m = cells_of(non_protein_per_sample_report(ws, ReportFormat::Workbook, nullptr));
    EXPECT_EQ(at(m, 1, 1), "Sequence");
    EXPECT_EQ(at(m, 1, 4), "tRNA-Leu(UUR)");
    EXPECT_EQ(at(m, 1, 26), "D-loop");
    EXPECT_EQ(at(m, 1, 27), "Non-coding");
    EXPECT_EQ(at(m, 1, 28), "Total");
    EXPECT_EQ(at(m, 1, 29), "<none>");

    EXPECT_EQ(at(m, 2, 1), ">S1");
    EXPECT_EQ(at(m, 2, 5), "1");   // tRNA-Ile
    EXPECT_EQ(at(m, 2, 6), "1");   // tRNA-Gln
    EXPECT_EQ(at(m, 2, 26), "1");  // D-loop
    EXPECT_EQ(at(m, 2, 27), "0");
    EXPECT_EQ(at(m, 2, 28), "3");
    EXPECT_EQ(at(m, 2, 29), "<none>");
    EXPECT_EQ(at(m, 2, 30), "tRNA-Ile-tRNA-Gln");
    EXPECT_EQ(at(m, 2, 31), "4330A");
    EXPECT_EQ(at(m, 2, 32), "<none>");

    // Two groups in the order met, one empty column between them.
    EXPECT_EQ(at(m, 3, 1), ">S2");
    EXPECT_EQ(at(m, 3, 28), "7");
    EXPECT_EQ(at(m, 3, 30), "tRNA-Cys-tRNA-Tyr");
    EXPECT_EQ(at(m, 3, 31), "5826");
    EXPECT_EQ(at(m, 3, 32), "<none>");
    EXPECT_EQ(at(m, 3, 33), "tRNA-Ile-tRNA-Gln");
    EXPECT_EQ(at(m, 3, 34), "4330G");  // T to G is a transversion
    EXPECT_EQ(m.size(), 28u + 2u * 28u + 2u + 4u);
}

TEST(NonProteinPerSample, NamesPairWithEntriesWithoutReadingPastTheList) {
    Workspace ws = human_workspace();
    ws.sample_positions = {{5580}, {5580}};
    ws.sample_bases = {"C", "C"};
    struct Case { std::vector<std::string> names; std::string first, second; };
    const Case cases[] = {
        {{">A", ">B"}, ">A", ">B"},          // one name per entry
        {{">ref", ">A", ">B"}, ">A", ">B"},  // the list begins with the reference
        {{">A"}, ">A", ""},                  // left by a failed read: nothing read past the list
    };
    for (const Case& c : cases) {
        ws.sample_names = c.names;
        const CellMap m = cells_of(non_protein_per_sample_report(ws, ReportFormat::Workbook, nullptr));
        EXPECT_EQ(at(m, 2, 1), c.first);
        EXPECT_EQ(at(m, 3, 1), c.second);
    }
}

TEST(NonProteinPerSample, ProgressCountsSamplesFromZero) {
    Workspace ws = human_workspace();
    ws.sample_positions = {{1}, {2}, {3}, {4}};
    ws.sample_bases = {"C", "C", "C", "C"};
    ws.sample_names = {">a", ">b", ">c", ">d"};
    RecordingProgress progress;
    non_protein_per_sample_report(ws, ReportFormat::Workbook, &progress);
    EXPECT_EQ(progress.events, (std::vector<std::string>{"start 4", "0", "25", "50", "75", "finish"}));
    RecordingProgress none;
    non_protein_per_sample_report(ws, ReportFormat::Text, &none);
    EXPECT_TRUE(none.events.empty());
}
