// The workbook forms as rows: every report declares the exact extent of its
// sheet before its first row, hands its rows over in ascending order, and
// gives the same cells as its Report form; a refused extent stops it before
// its progress starts. Both workbook files read back alike.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "classify/non_protein_reports.h"
#include "classify/protein_reports.h"
#include "classify/rrna_reports.h"
#include "classify/trna_reports.h"
#include "output/temp_folder.h"
#include "output/workbook_writer.h"
#include "output/xls_read_back.h"
#include "output/xlsx_writer.h"
#include "protein_fixture.h"
#include "rna_test_support.h"

using namespace corvella;
using namespace corvella::testing;

namespace {

// Records what a report hands over and checks the order on the way.
class RecordingSink : public RowSink {
public:
    explicit RecordingSink(bool accept = true) : accept_(accept) {}
    bool begin(const SheetExtent& e) override {
        ++begins;
        extent = e;
        return accept_;
    }
    bool row(int32_t r, const RowCells& row_cells) override {
        EXPECT_EQ(begins, 1) << "a row before the extent";
        EXPECT_GT(r, last_row) << "rows out of order";
        last_row = r;
        int32_t last_column = 0;
        for (const RowCell& c : row_cells) {
            cells.push_back({r, c.column, c.text});
            last_column = std::max(last_column, c.column);
        }
        used.rows = std::max(used.rows, r);
        used.columns = std::max(used.columns, last_column);
        return true;
    }
    void end() override { ++ends; }

    int begins = 0;
    int ends = 0;
    int32_t last_row = 0;
    SheetExtent extent;
    SheetExtent used;  // the last row and column that hold a cell
    std::vector<Cell> cells;

private:
    bool accept_;
};

class CountingProgress : public ProgressSink {
public:
    void start(int32_t) override { ++calls; }
    void step(int) override { ++calls; }
    void finish() override { ++calls; }
    int calls = 0;
};

struct NamedReport {
    std::string name;
    std::function<Report(const Workspace&, ProgressSink*)> report;  // the workbook Report form
    std::function<void(const Workspace&, RowSink&, ProgressSink*)> rows;
};

std::vector<NamedReport> every_report() {
    const auto protein_counts = [](const Workspace& ws) { return count_protein_variants(ws, ws.variant_tally); };
    const auto np_grid = [](const Workspace& ws) {
        return non_protein_grid_texts(count_non_protein(ws, ws.variant_tally));
    };
    const auto trna_grid = [](const Workspace& ws) { return trna_summary_grid(count_trna_groups(ws)); };
    const auto rrna_grid = [](const Workspace& ws) { return rrna_summary_grid(count_rrna_regions(ws)); };
    const ReportFormat wb = ReportFormat::Workbook;
    return {
        {"protein summary",
         [=](const Workspace& ws, ProgressSink*) { return protein_summary_report(ws, protein_counts(ws), wb); },
         [=](const Workspace& ws, RowSink& s, ProgressSink*) { protein_summary_rows(ws, protein_counts(ws), s); }},
        {"protein positions", [=](const Workspace& ws, ProgressSink* p) { return protein_per_position_report(ws, wb, p); },
         protein_per_position_rows},
        {"protein samples", [=](const Workspace& ws, ProgressSink* p) { return protein_per_sample_report(ws, wb, p); },
         protein_per_sample_rows},
        {"non-protein summary",
         [=](const Workspace& ws, ProgressSink*) { return non_protein_summary_report(ws, np_grid(ws), wb); },
         [=](const Workspace& ws, RowSink& s, ProgressSink*) { non_protein_summary_rows(ws, np_grid(ws), s); }},
        {"non-protein positions",
         [=](const Workspace& ws, ProgressSink* p) { return non_protein_per_position_report(ws, wb, p); },
         non_protein_per_position_rows},
        {"non-protein samples",
         [=](const Workspace& ws, ProgressSink* p) { return non_protein_per_sample_report(ws, wb, p); },
         non_protein_per_sample_rows},
        {"trna summary", [=](const Workspace& ws, ProgressSink*) { return trna_summary_report(trna_grid(ws), wb); },
         [=](const Workspace& ws, RowSink& s, ProgressSink*) { trna_summary_rows(trna_grid(ws), s); }},
        {"trna positions", [=](const Workspace& ws, ProgressSink* p) { return trna_per_position_report(ws, wb, p); },
         trna_per_position_rows},
        {"trna samples", [=](const Workspace& ws, ProgressSink* p) { return trna_per_sample_report(ws, wb, p); },
         trna_per_sample_rows},
        {"rrna summary", [=](const Workspace& ws, ProgressSink*) { return rrna_summary_report(rrna_grid(ws), wb); },
         [=](const Workspace& ws, RowSink& s, ProgressSink*) { rrna_summary_rows(rrna_grid(ws), s); }},
        {"rrna positions", [=](const Workspace& ws, ProgressSink* p) { return rrna_per_position_report(ws, wb, p); },
         rrna_per_position_rows},
        {"rrna samples", [=](const Workspace& ws, ProgressSink* p) { return rrna_per_sample_report(ws, wb, p); },
         rrna_per_sample_rows},
    };
}

// Samples with findings of every kind: protein overlaps (ATP6/ATP8,
// ATP6/COX3, ND4L/ND4), stop codons, RNA overlaps (tRNA-Ile/tRNA-Gln,
// tRNA-Cys/tRNA-Tyr), a repeated variant, a sample without variants. The
// widest rows belong to different samples in the protein and non-protein
// tables, and not to the last sample.
Workspace findings_workspace() {
    return rna_workspace({
        {">one", {{8527, 'G'}, {8530, 'G'}, {8540, 'A'}, {9207, 'T'}, {10760, 'T'}, {14149, 'T'}, {4330, 'A'}}},
        {">two", {{4329, 'T'}, {4330, 'A'}, {4331, 'G'}, {5826, 'C'}, {5826, 'C'}, {3243, 'G'}, {1438, 'G'}}},
        {">empty", {}},
        {">three", {{14766, 'T'}, {8527, 'G'}, {3010, 'A'}, {1650, 'C'}}},
        {">Müller", {{9207, 'T'}, {16519, 'C'}, {7028, 'T'}}},
    });
}

}  // namespace

TEST(ReportRows, EveryReportDeclaresItsExactExtentAndGivesItsRowsInOrder) {
    const std::vector<Workspace> workspaces = {findings_workspace(), golden_workspace(), six_key_workspace(),
                                               rna_workspace({})};
    for (const NamedReport& r : every_report()) {
        for (size_t w = 0; w < workspaces.size(); ++w) {
            SCOPED_TRACE(r.name + ", workspace " + std::to_string(w));
            const Workspace& ws = workspaces[w];
            RecordingSink sink;
            CountingProgress progress;
            r.rows(ws, sink, &progress);
            EXPECT_EQ(sink.begins, 1);
            EXPECT_EQ(sink.ends, 1);
            // Empty cells count for the extent too (a summary grid before
            // its counts), so compare with every cell handed over.
            EXPECT_EQ(sink.extent.rows, sink.used.rows);
            EXPECT_EQ(sink.extent.columns, sink.used.columns);
            const Report collected = r.report(ws, nullptr);
            EXPECT_EQ(cell_map(sink.cells), cell_map(collected.cells));
            EXPECT_EQ(sink.cells.size(), collected.cells.size());
        }
    }
}

TEST(ReportRows, ARefusedExtentStopsTheReportBeforeItsProgressStarts) {
    const Workspace ws = findings_workspace();
    for (const NamedReport& r : every_report()) {
        SCOPED_TRACE(r.name);
        RecordingSink refusing(false);
        CountingProgress progress;
        r.rows(ws, refusing, &progress);
        EXPECT_EQ(refusing.begins, 1);
        EXPECT_TRUE(refusing.cells.empty());
        EXPECT_EQ(refusing.ends, 0);
        EXPECT_EQ(progress.calls, 0);
    }
}

TEST(ReportRows, TheSheetsExtentGrowsWithTheWidestFindingsRow) {
    // One sample with every one of the 46 ATP6/ATP8 overlap positions (as a
    // transversion to C, or to A where the reference has C): column 17 holds
    // the group's label, 18 to 63 its variants.
    Workspace ws = human_workspace();
    ws.sample_names = {">wide"};
    std::vector<int32_t> positions;
    std::string bases;
    for (int32_t p = 8527; p <= 8572; ++p) {
        positions.push_back(p);
        bases.push_back(ws.reference_letter(p) == 'C' ? 'A' : 'C');
    }
    ws.sample_positions = {positions};
    ws.sample_bases = {bases};
    for (size_t i = 0; i < positions.size(); ++i) ws.variant_tally[{positions[i], bases[i]}] = 1;
    RecordingSink sink;
    protein_per_sample_rows(ws, sink, nullptr);
    EXPECT_GE(sink.extent.columns, 17 + 46);
    EXPECT_EQ(sink.extent.columns, sink.used.columns);
    EXPECT_EQ(cell_at(sink.cells, 3, 17), "ATP6-ATP8");
}

class ReportWorkbooks : public corvella_test::TempFolder {};

TEST_F(ReportWorkbooks, EveryReportReadsBackAlikeFromXlsAndXlsx) {
    const Workspace ws = findings_workspace();
    int n = 0;
    for (const NamedReport& r : every_report()) {
        SCOPED_TRACE(r.name);
        const std::string stem = path("report" + std::to_string(++n));
        const RowProducer rows = [&](RowSink& s) { r.rows(ws, s, nullptr); };
        const WriteResult xls = write_xls(stem + ".xls", rows);
        const WriteResult xlsx = write_xlsx(stem + ".xlsx", rows);
        ASSERT_TRUE(xls.ok) << xls.error;
        ASSERT_TRUE(xlsx.ok) << xlsx.error;
        // The .xls written from rows is the file written from the Report's cells.
        ASSERT_TRUE(WorkbookWriter(stem + ".cells.xls", r.report(ws, nullptr).cells).ok);
        EXPECT_TRUE(read_bytes(stem + ".xls") == read_bytes(stem + ".cells.xls"));
        const corvella_test::ReadBack a = corvella_test::read_workbook(stem + ".xls");
        const corvella_test::ReadBack b = corvella_test::read_workbook(stem + ".xlsx");
        EXPECT_EQ(b.sheets, std::vector<std::string>{"results"});
        EXPECT_FALSE(b.cells.empty());
        EXPECT_EQ(a.cells, b.cells);
    }
}

TEST_F(ReportWorkbooks, AReportTooLargeForAnXlsSheetIsRefusedWithTheSameMessageBeforeItsLoop) {
    // 32,766 samples give the protein per-sample sheet 65,538 rows.
    Workspace ws = human_workspace();
    ws.sample_names.assign(32766, ">s");
    ws.sample_positions.assign(32766, {});
    ws.sample_bases.assign(32766, "");
    const std::string file = path("samples.xls");
    CountingProgress progress;
    const WriteResult r = write_xls(file, [&](RowSink& s) { protein_per_sample_rows(ws, s, &progress); });
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "The report " + file +
                           " does not fit an Excel 97-2003 sheet (at most 65,536 rows and 256 columns). "
                           "Save it as a text file instead.");
    EXPECT_EQ(progress.calls, 0);
    EXPECT_EQ(entries(), 0u);
    // One sample fewer fits.
    ws.sample_names.pop_back();
    ws.sample_positions.pop_back();
    ws.sample_bases.pop_back();
    EXPECT_TRUE(write_xls(file, [&](RowSink& s) { protein_per_sample_rows(ws, s, &progress); }).ok);
    EXPECT_GT(progress.calls, 0);
}
