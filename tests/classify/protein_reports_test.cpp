#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "classify/protein_reports.h"
#include "protein_fixture.h"

using namespace corvella;
using namespace corvella::testing;

namespace {

// Three samples after a reference name line, as the caller writes a list:
// S1 carries an ATP6/ATP8 variant, CYTB and a tRNA position; S2 nothing;
// S3 overlaps of three pairs, two stops and one variant listed twice.
Workspace three_sample_workspace() {
    Workspace ws = human_workspace();
    ws.sample_names = {">Reference", ">S1", ">S2", ">S3"};
    ws.sample_positions = {{8527, 14766, 16000}, {}, {9207, 10760, 14149, 14766, 14766, 8530}};
    ws.sample_bases = {"GTC", "", "TTTTTG"};
    return ws;
}

std::string summary_text(const Workspace& ws) {
    return protein_summary_report(ws, count_protein_variants(ws, ws.variant_tally), ReportFormat::Text).text;
}

bool ends_with(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::string header_line(const std::string& golden) {
    const std::string text = read_golden(golden);
    return text.substr(0, text.find('\n') + 1);
}

}  // namespace

TEST(ProteinSummaryReport, TextMatchesGolden) {
    const Workspace ws = six_key_workspace();
    EXPECT_EQ(summary_text(ws), read_golden("protein_summary.txt"));
}

TEST(ProteinSummaryReport, WorkbookHoldsGridThenFindingsFromRow17) {
    const Workspace ws = six_key_workspace();
    const Report r =
        protein_summary_report(ws, count_protein_variants(ws, ws.variant_tally), ReportFormat::Workbook);
    EXPECT_TRUE(r.text.empty());
    // The grid part is the text form's first 15 lines, cell for cell.
    const std::string golden = read_golden("protein_summary.txt");
    CellMap expected;
    add_text_rows(expected, golden.substr(0, golden.find("\n\n") + 1), 1);
    expected[{17, 1}] = "ATP6-ATP8";
    expected[{17, 2}] = "8527";
    expected[{17, 3}] = "8530";
    expected[{18, 1}] = "ATP6-COX3";
    expected[{18, 2}] = "9207T";
    expected[{19, 1}] = "ND4L-ND4";
    expected[{19, 2}] = "10760T";
    expected[{20, 1}] = "STOP";
    expected[{20, 2}] = "9207T";
    expected[{20, 3}] = "14149";
    EXPECT_EQ(expected.size(), 45u + 10u);
    EXPECT_EQ(cell_map(r.cells), expected);
    EXPECT_EQ(r.cells.size(), expected.size());
}

TEST(ProteinSummaryReport, WithoutFindingsNothingFollowsTheTotals) {
    Workspace ws = human_workspace();
    ws.variant_tally = {{{14766, 'T'}, 5}, {{16100, 'C'}, 1}};
    const ProteinCounts counts = count_protein_variants(ws, ws.variant_tally);
    const Report book = protein_summary_report(ws, counts, ReportFormat::Workbook);
    ASSERT_EQ(book.cells.size(), 45u);
    for (const Cell& c : book.cells) EXPECT_LE(c.row, 15);
    const std::string text = protein_summary_report(ws, counts, ReportFormat::Text).text;
    EXPECT_NE(text.find("CYTB\t0\t1\n"), std::string::npos);
    EXPECT_TRUE(ends_with(text, "ND6\t0\t0\nTOTAL\t0\t1\n\n\n"));
}

TEST(ProteinSummaryReport, EmptyTallyGivesZeroRowsAndTwoEmptyLines) {
    const Workspace ws = human_workspace();
    const std::string text = summary_text(ws);
    EXPECT_EQ(text.rfind("Gene\tSyn\tN-Syn\nATP6\t0\t0\n", 0), 0u);
    EXPECT_TRUE(ends_with(text, "ND6\t0\t0\nTOTAL\t0\t0\n\n\n"));
}

TEST(ProteinPerPositionReport, TextMatchesGolden) {
    const Workspace ws = six_key_workspace();
    RecordingProgress progress;
    EXPECT_EQ(protein_per_position_report(ws, ReportFormat::Text, &progress).text,
              read_golden("protein_per_position.txt"));
    EXPECT_TRUE(progress.events.empty()) << "the text form runs without the progress window";
}

TEST(ProteinPerPositionReport, WorkbookRowsEqualTheTextRowsAndStepPerKey) {
    const Workspace ws = six_key_workspace();
    RecordingProgress progress;
    const Report r = protein_per_position_report(ws, ReportFormat::Workbook, &progress);
    CellMap expected;
    add_text_rows(expected, read_golden("protein_per_position.txt"), 1);
    EXPECT_EQ(expected.size(), 11u * 13u);
    EXPECT_EQ(cell_map(r.cells), expected);
    EXPECT_EQ(progress.events,
              (std::vector<std::string>{"start 6", "17", "34", "50", "67", "84", "100", "finish"}));
}

TEST(ProteinPerPositionReport, EndOfGeneCodonKeepsItsBlanks) {
    Workspace ws = human_workspace();
    ws.variant_tally = {{{9990, 'C'}, 1}};  // last letter of COX3
    const auto cols = line_result_syn(ws, {9990, 'C'}, 4);
    EXPECT_EQ(cols[4], "U  ");
    EXPECT_EQ(cols[5], "CAC");
    EXPECT_EQ(cols[7], "STOP");
    EXPECT_EQ(cols[8], "H");
    EXPECT_EQ(cols[3], "Non-Syn");
    EXPECT_EQ(protein_per_position_report(ws, ReportFormat::Text, nullptr).text,
              header_line("protein_per_position.txt") +
                  "9990\tT-C\tCOX3\tNon-Syn\tU  \tCAC\t1\tSTOP\tH\t262\tSTOP\tBasic Polar\t1\n");
}

TEST(ProteinPerPositionReport, KeyOutsideEveryGeneStepsWithoutARow) {
    Workspace ws = human_workspace();
    ws.variant_tally = {{{100, 'A'}, 4}, {{14766, 'T'}, 5}, {{16100, 'C'}, 1}};
    RecordingProgress progress;
    const Report r = protein_per_position_report(ws, ReportFormat::Workbook, &progress);
    EXPECT_EQ(r.cells.size(), 2u * 13u);
    EXPECT_EQ(cell_map(r.cells).at({2, 1}), "14766");
    EXPECT_EQ(progress.events, (std::vector<std::string>{"start 3", "34", "67", "100", "finish"}));

    const Workspace empty = human_workspace();
    RecordingProgress none;
    EXPECT_EQ(protein_per_position_report(empty, ReportFormat::Workbook, &none).cells.size(), 13u);
    EXPECT_EQ(none.events, (std::vector<std::string>{"start 0", "finish"}));
}

TEST(ProteinPerSampleReport, TextMatchesGolden) {
    const Workspace ws = three_sample_workspace();
    EXPECT_EQ(protein_per_sample_report(ws, ReportFormat::Text, nullptr).text,
              read_golden("protein_per_sample.txt"));
}

TEST(ProteinPerSampleReport, WorkbookBlocksAndFindingsCellByCell) {
    const Workspace ws = three_sample_workspace();
    RecordingProgress progress;
    const Report r = protein_per_sample_report(ws, ReportFormat::Workbook, &progress);
    // The two tables are the text form's, the second one starting at row n + 5.
    const std::string golden = read_golden("protein_per_sample.txt");
    const size_t split = golden.find("\n\n\n");
    CellMap expected;
    add_text_rows(expected, golden.substr(0, split + 1), 1);
    add_text_rows(expected, golden.substr(split + 3), 8);
    const std::map<std::pair<int32_t, int32_t>, std::string> findings = {
        {{3, 17}, "ATP6-ATP8"}, {{3, 18}, "8527"},
        {{5, 17}, "ATP6-COX3"}, {{5, 18}, "9207T"},
        {{5, 20}, "ND4L-ND4"},  {{5, 21}, "10760T"},
        {{5, 23}, "ATP6-ATP8"}, {{5, 24}, "8530"},
        {{5, 26}, "STOP"},      {{5, 27}, "9207T"}, {{5, 28}, "14149"}};
    expected.insert(findings.begin(), findings.end());
    EXPECT_EQ(expected.at({8, 1}), "Non-Synonymous");
    EXPECT_EQ(expected.at({12, 1}), ">S3");
    EXPECT_EQ(cell_map(r.cells), expected);
    EXPECT_EQ(r.cells.size(), expected.size());
    EXPECT_EQ(progress.events, (std::vector<std::string>{"start 3", "0", "34", "67", "finish"}));
}

TEST(ProteinPerSampleReport, StopWithoutGroupStartsAtColumn17) {
    Workspace ws = human_workspace();
    ws.sample_names = {">only"};
    ws.sample_positions = {{14149, 9990}};
    ws.sample_bases = {"TC"};
    const CellMap cells = cell_map(protein_per_sample_report(ws, ReportFormat::Workbook, nullptr).cells);
    EXPECT_EQ(cells.at({3, 1}), ">only");
    EXPECT_EQ(cells.at({3, 17}), "STOP");
    EXPECT_EQ(cells.at({3, 18}), "14149");
    EXPECT_EQ(cells.at({3, 19}), "9990");
    EXPECT_EQ(cells.count({3, 16}), 0u);
    EXPECT_EQ(cells.count({3, 20}), 0u);
}

TEST(ProteinPerSampleReport, ZeroSamplesLeaveOnlyTheHeaderBlocks) {
    const Workspace ws = human_workspace();
    RecordingProgress progress;
    const Report book = protein_per_sample_report(ws, ReportFormat::Workbook, &progress);
    ASSERT_EQ(book.cells.size(), 2u * 16u);
    const CellMap cells = cell_map(book.cells);
    EXPECT_EQ(cells.at({1, 1}), "Synonymous");
    EXPECT_EQ(cells.at({2, 1}), "Sequence");
    EXPECT_EQ(cells.at({2, 15}), "Total");
    EXPECT_EQ(cells.at({5, 1}), "Non-Synonymous");
    EXPECT_EQ(cells.at({6, 2}), "ATP6");
    EXPECT_EQ(cells.at({6, 14}), "ND6");
    EXPECT_EQ(progress.events, (std::vector<std::string>{"start 0", "finish"}));

    const std::string header = "Sequence\tATP6\tATP8\tCOX1\tCOX2\tCOX3\tCYTB\tND1\tND2\tND3\tND4L\tND4\tND5\tND6\tTotal\n";
    EXPECT_EQ(protein_per_sample_report(ws, ReportFormat::Text, nullptr).text,
              "Synonymous\n" + header + "\n\nNon-Synonymous\n" + header);
}

TEST(ProteinPerSampleReport, NamesPairWithEntriesAndNeverRunPastTheList) {
    Workspace ws = human_workspace();
    ws.sample_positions = {{}, {}, {}, {}};
    ws.sample_bases = {"", "", "", ""};
    RecordingProgress progress;

    ws.sample_names = {">a", ">b", ">c", ">d"};  // as many names as entries
    CellMap cells = cell_map(protein_per_sample_report(ws, ReportFormat::Workbook, &progress).cells);
    EXPECT_EQ(cells.at({3, 1}), ">a");
    EXPECT_EQ(cells.at({6, 1}), ">d");
    EXPECT_EQ(cells.at({11, 1}), ">a");
    EXPECT_EQ(progress.events, (std::vector<std::string>{"start 4", "0", "25", "50", "75", "finish"}));

    // Fewer names than entries only remain after a failed read.
    ws.sample_names = {">a", ">b"};
    cells = cell_map(protein_per_sample_report(ws, ReportFormat::Workbook, nullptr).cells);
    EXPECT_EQ(cells.at({4, 1}), ">b");
    EXPECT_EQ(cells.at({5, 1}), "");
    EXPECT_EQ(cells.at({6, 1}), "");
}

TEST(ProteinPerSampleReport, TextCountsEqualTheWorkbookCountsWhereFourGenesShareAPosition) {
    // The text tables add up what each (position, base) adds; the workbook
    // classifies every occurrence. On a region table where ND1 to COX1 (genes
    // 0 to 3) all hold 3400-3500, the two must still count alike, for the
    // human genes' overlaps as well.
    for (const bool four_genes : {false, true}) {
        Workspace ws = human_workspace();
        if (four_genes) {
            for (int k = 1; k <= 3; ++k) {
                ws.region_table[protein_start_slot(k)] = 3400 - k;
                ws.region_table[protein_end_slot(k)] = 3500 + k;
            }
        }
        std::mt19937 rng(4);
        std::uniform_int_distribution<int32_t> near(3380, 3520);
        std::uniform_int_distribution<int32_t> anywhere(1, ws.reference_length());
        const char bases[] = "ACGTN";
        std::vector<std::vector<int32_t>> positions;
        std::vector<std::string> base_lists;
        std::vector<std::string> names;
        for (int j = 0; j < 60; ++j) {
            names.push_back(">s" + std::to_string(j));
            positions.emplace_back();
            base_lists.emplace_back();
            for (int i = 0; i < 12; ++i) {
                positions.back().push_back(i % 2 == 0 ? near(rng) : anywhere(rng));
                base_lists.back() += bases[rng() % 5];
            }
        }
        ws.sample_names = FlatTexts(names);
        ws.sample_positions = FlatPositions(positions);
        ws.sample_bases = FlatTexts(base_lists);
        const std::string text = protein_per_sample_report(ws, ReportFormat::Text, nullptr).text;
        const CellMap book = cell_map(protein_per_sample_report(ws, ReportFormat::Workbook, nullptr).cells);
        const size_t split = text.find("\n\n\n");
        ASSERT_NE(split, std::string::npos);
        CellMap expected;
        add_text_rows(expected, text.substr(0, split + 1), 1);
        add_text_rows(expected, text.substr(split + 3), 60 + 5);
        ASSERT_EQ(expected.size(), 2u * 61 * 15 + 2);
        for (const auto& [place, value] : expected) EXPECT_EQ(book.at(place), value) << place.first << "," << place.second;
        int holding = 0;
        for (int k = 0; k < PROTEIN_GENE_COUNT; ++k) holding += ws.in_protein_gene(k, 3450) ? 1 : 0;
        EXPECT_EQ(holding, four_genes ? 4 : 1);
    }
}
