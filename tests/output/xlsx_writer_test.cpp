#include "output/xlsx_writer.h"

#include <gtest/gtest.h>

#include <map>

#include "output/workbook_writer.h"
#include "temp_folder.h"
#include "workbook_cases.h"
#include "xls_read_back.h"

using corvella::Cell;
using corvella::RowCells;
using corvella::RowSink;
using corvella::SheetExtent;
using corvella::WriteResult;
using corvella::XlsxWriter;
using corvella::write_xlsx;
using corvella_test::ReadBack;
using corvella_test::read_workbook;

using corvella_test::CellMap;
using corvella_test::number;
using corvella_test::text;

class Xlsx : public corvella_test::TempFolder {};

TEST_F(Xlsx, TheSameCellsAsTheXlsWriterWithTheSameNumberRule) {
    // The .xls writer's cases, and a few texts that only look like numbers
    // or like markup.
    std::vector<Cell> cells = corvella_test::mixed_cells();
    cells.insert(cells.end(), {{6, 2, "1e5"}, {6, 3, " 12"}, {6, 4, "<b>&amp;</b>"}});
    CellMap expected = corvella_test::mixed_expected();
    expected.insert({{{6, 2}, text("1e5")}, {{6, 3}, text(" 12")}, {{6, 4}, text("<b>&amp;</b>")}});
    const std::string file = path("summary.xlsx");
    const WriteResult r = XlsxWriter(file, cells);
    ASSERT_TRUE(r.ok) << r.error;
    const ReadBack rb = read_workbook(file);
    ASSERT_TRUE(rb.readable);
    EXPECT_EQ(rb.sheets, std::vector<std::string>{"results"});
    EXPECT_EQ(rb.cells, expected);

    const std::string xls = path("summary.xls");
    ASSERT_TRUE(corvella::WorkbookWriter(xls, cells).ok);
    EXPECT_EQ(read_workbook(xls).cells, expected);
}

TEST_F(Xlsx, NamesInAnyScriptAndBytesThatAreNotUtf8) {
    const std::string file = path("names.xlsx");
    ASSERT_TRUE(XlsxWriter(file, corvella_test::name_cells()).ok);
    EXPECT_EQ(read_workbook(file).cells, corvella_test::name_expected());
}

TEST_F(Xlsx, AnEmptyReportIsAValidWorkbook) {
    const std::string file = path("empty.xlsx");
    ASSERT_TRUE(XlsxWriter(file, {}).ok);
    const ReadBack rb = read_workbook(file);
    ASSERT_TRUE(rb.readable);
    EXPECT_EQ(rb.sheets, std::vector<std::string>{"results"});
    EXPECT_TRUE(rb.cells.empty());
}

TEST_F(Xlsx, SheetAndCellLimitsAreRefusedAndKeepTheOldFile) {
    const std::string file = path("big.xlsx");
    put_bytes(file, "old workbook");
    const std::string message = "The report " + file +
                                " does not fit an Excel sheet (at most 1,048,576 rows and 16,384 columns). "
                                "Save it as a text file instead.";
    const std::vector<std::vector<Cell>> too_large = {
        {{1, 1, "Gene"}, {1048577, 1, "x"}},
        {{1, 16385, "x"}},
        {{0, 1, "x"}},
    };
    for (const auto& cells : too_large) {
        const WriteResult r = XlsxWriter(file, cells);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.error, message);
    }
    // Counted in UTF-16 units as Excel counts: 16,384 signs past U+FFFF are
    // 32,768 units.
    std::string astral;
    for (int i = 0; i < 16384; ++i) astral += "\xF0\x9D\x84\x9E";
    for (const std::string& long_text : {std::string(32768, 'x'), astral}) {
        const WriteResult r = XlsxWriter(file, {{1, 1, "Gene"}, {4, 2, long_text}});
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.error, "The report " + file +
                               " has a cell at row 4, column 2 with more than 32,767 characters, more than an "
                               "Excel cell holds. Save it as a text file instead.");
    }
    EXPECT_TRUE(read_bytes(file) == "old workbook");
    EXPECT_EQ(entries(), 1u);  // no temporary file left behind

    const std::string longest(32767, 'y');
    const WriteResult r = XlsxWriter(file, {{1, 1, longest}, {1048576, 16384, "last"}});
    ASSERT_TRUE(r.ok) << r.error;
    const ReadBack rb = read_workbook(file);
    EXPECT_EQ(rb.cells, (CellMap{{{1, 1}, text(longest)}, {{1048576, 16384}, text("last")}}));
}

namespace {

// Declares an extent, then gives rows as the report functions do.
struct Rows {
    SheetExtent extent;
    std::vector<std::pair<int32_t, RowCells>> rows;
    bool* asked_for_more = nullptr;
    void operator()(RowSink& sink) const {
        if (!sink.begin(extent)) return;
        for (const auto& [r, cells] : rows) {
            if (!sink.row(r, cells)) return;
        }
        if (asked_for_more) *asked_for_more = true;
        sink.end();
    }
};

}  // namespace

TEST_F(Xlsx, AnOversizedExtentIsRefusedBeforeAnyRow) {
    const std::string file = path("wide.xlsx");
    bool more = false;
    const Rows rows{{10, 16385}, {{1, {{1, "x"}}}}, &more};
    const WriteResult r = write_xlsx(file, rows);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("does not fit an Excel sheet"), std::string::npos);
    EXPECT_FALSE(more);
    EXPECT_EQ(entries(), 0u);
}

TEST_F(Xlsx, RowsStreamInOrderAndARowOutOfOrderFailsTheWrite) {
    const std::string file = path("rows.xlsx");
    const Rows in_order{{3, 30}, {{1, {{1, "Sequence"}, {30, "tRNA-Ile-tRNA-Gln"}}}, {3, {{2, "5"}}}}};
    ASSERT_TRUE(write_xlsx(file, in_order).ok);
    EXPECT_EQ(read_workbook(file).cells,
              (CellMap{{{1, 1}, text("Sequence")}, {{1, 30}, text("tRNA-Ile-tRNA-Gln")}, {{3, 2}, number("5")}}));
    const std::string before = read_bytes(file);

    bool more = false;
    const Rows backwards{{3, 1}, {{3, {{1, "a"}}}, {2, {{1, "b"}}}}, &more};
    const WriteResult r = write_xlsx(file, backwards);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "Cannot write " + file + ": rows out of order");
    EXPECT_FALSE(more);
    EXPECT_TRUE(read_bytes(file) == before);
}

TEST_F(Xlsx, ReplacesAnExistingFileAndReportsAnUnwritablePlace) {
    const std::string file = path("run1.xlsx");
    ASSERT_TRUE(XlsxWriter(file, {{1, 1, "first"}, {2, 1, "more"}}).ok);
    ASSERT_TRUE(XlsxWriter(file, {{1, 1, "second"}}).ok);
    EXPECT_EQ(read_workbook(file).cells, (CellMap{{{1, 1}, text("second")}}));
    EXPECT_EQ(entries(), 1u);

    const std::string missing = path("no/such/run1.xlsx");
    const WriteResult r = XlsxWriter(missing, {{1, 1, "x"}});
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "Cannot write " + missing + ": No such file or directory");
}

TEST_F(Xlsx, AWriteThatFailsHalfwayLeavesTheOldWorkbookIntact) {
    const std::string file = path("run1.xlsx");
    ASSERT_TRUE(XlsxWriter(file, {{1, 1, "kept"}}).ok);
    const std::string before = read_bytes(file);
    std::vector<Cell> cells;
    for (int r = 1; r <= 20000; ++r) cells.push_back({r, 1, "sample_" + std::to_string(r * 7919)});

    const WriteResult r = corvella_test::with_file_size_limit(8192, [&] { return XlsxWriter(file, cells); });
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error.rfind("Cannot write " + file + ": ", 0), 0u) << r.error;
    EXPECT_TRUE(read_bytes(file) == before);
    EXPECT_EQ(entries(), 1u);
}
