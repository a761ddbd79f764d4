#include "output/workbook_writer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <sstream>

#include "temp_folder.h"
#include "workbook_cases.h"
#include "xls_read_back.h"

using corvella::Cell;
using corvella::WorkbookWriter;
using corvella::WriteResult;
using corvella_test::ReadBack;
using corvella_test::read_workbook;

using corvella_test::CellMap;
using corvella_test::number;
using corvella_test::text;

class Workbook : public corvella_test::TempFolder {};

TEST_F(Workbook, EveryCellAtItsPlaceWithIntegersAsNumbers) {
    const std::string file = path("summary.xls");
    const WriteResult r = WorkbookWriter(file, corvella_test::mixed_cells());
    ASSERT_TRUE(r.ok) << r.error;

    const ReadBack rb = read_workbook(file);
    ASSERT_TRUE(rb.readable);
    EXPECT_EQ(rb.sheets, std::vector<std::string>{"results"});
    EXPECT_EQ(rb.cells, corvella_test::mixed_expected());
}

TEST_F(Workbook, NamesInAnyScriptAndBytesThatAreNotUtf8) {
    const std::string file = path("names.xls");
    ASSERT_TRUE(WorkbookWriter(file, corvella_test::name_cells()).ok);
    EXPECT_EQ(read_workbook(file).cells, corvella_test::name_expected());
}

TEST_F(Workbook, AnEmptyReportIsAValidWorkbook) {
    const std::string file = path("empty.xls");
    ASSERT_TRUE(WorkbookWriter(file, {}).ok);
    const ReadBack rb = read_workbook(file);
    ASSERT_TRUE(rb.readable);
    EXPECT_EQ(rb.sheets, std::vector<std::string>{"results"});
    EXPECT_TRUE(rb.cells.empty());
}

TEST_F(Workbook, ManyAndLongStringsSpanContinueRecords) {
    // 70,000 distinct names overflow one string-table record many times over;
    // long texts of both widths cross record boundaries in their middle.
    std::vector<Cell> cells;
    std::map<std::pair<int, int>, std::string> expected;
    for (int i = 0; i < 70000; ++i) {
        const std::string name = "sample_" + std::to_string(i) + (i % 3 == 0 ? "_ü" : "");
        cells.push_back({i + 1, 1, name});
        expected[{i + 1, 1}] = text(name);
        cells.push_back({i + 1, 2, std::to_string(i % 1000 + 1)});
        expected[{i + 1, 2}] = number(std::to_string(i % 1000 + 1));
        if (i >= 65535) break;  // the rows end at 65,536
    }
    std::string wide;
    for (int i = 0; i < 9000; ++i) wide += (i % 2 ? "東" : "a");
    const std::string narrow(32767, 'x');
    const std::string odd_split = std::string(8219, 'y') + "é";  // ends exactly at a boundary
    cells.push_back({1, 3, wide});
    cells.push_back({2, 3, narrow});
    cells.push_back({3, 3, odd_split});
    expected[{1, 3}] = text(wide);
    expected[{2, 3}] = text(narrow);
    expected[{3, 3}] = text(odd_split);

    const std::string file = path("large.xls");
    const WriteResult r = WorkbookWriter(file, cells);
    ASSERT_TRUE(r.ok) << r.error;
    const ReadBack rb = read_workbook(file);
    ASSERT_TRUE(rb.readable);
    EXPECT_EQ(rb.cells.size(), expected.size());
    EXPECT_TRUE(rb.cells == expected);
}

TEST_F(Workbook, RefusesWhatDoesNotFitASheetAndKeepsTheOldFile) {
    const std::string file = path("big.xls");
    put_bytes(file, "old workbook");
    const std::string message = "The report " + file +
                                " does not fit an Excel 97-2003 sheet (at most 65,536 rows and 256 "
                                "columns). Save it as a text file instead.";
    const std::vector<std::vector<Cell>> too_large = {
        {{1, 1, "Gene"}, {65537, 1, "x"}},
        {{1, 257, "x"}},
        {{0, 1, "x"}},
    };
    for (const auto& cells : too_large) {
        const WriteResult r = WorkbookWriter(file, cells);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.error, message);
    }
    const WriteResult long_cell = WorkbookWriter(file, {{4, 2, std::string(32768, 'x')}});
    EXPECT_FALSE(long_cell.ok);
    EXPECT_EQ(long_cell.error, "The report " + file +
                                   " has a cell at row 4, column 2 with more than 32,767 characters, more "
                                   "than an Excel 97-2003 cell holds. Save it as a text file instead.");
    EXPECT_EQ(read_bytes(file), "old workbook");

    ASSERT_TRUE(WorkbookWriter(file, {{65536, 256, "last"}}).ok);
    EXPECT_EQ(read_workbook(file).cells.at({65536, 256}), text("last"));
}

TEST_F(Workbook, ReplacesAnExistingFileAndReportsAnUnwritablePlace) {
    const std::string file = path("run1.xls");
    ASSERT_TRUE(WorkbookWriter(file, {{1, 1, "first"}, {2, 1, "more"}}).ok);
    ASSERT_TRUE(WorkbookWriter(file, {{1, 1, "second"}}).ok);
    const ReadBack rb = read_workbook(file);
    EXPECT_EQ(rb.cells, (std::map<std::pair<int, int>, std::string>{{{1, 1}, text("second")}}));
    EXPECT_EQ(entries(), 1u);

    const std::string missing = path("no/such/run1.xls");
    const WriteResult r = WorkbookWriter(missing, {{1, 1, "x"}});
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "Cannot write " + missing + ": No such file or directory");
}

TEST_F(Workbook, AWriteThatFailsHalfwayLeavesTheOldWorkbookIntact) {
    const std::string file = path("run1.xls");
    ASSERT_TRUE(WorkbookWriter(file, {{1, 1, "kept"}}).ok);
    const std::string before = read_bytes(file);
    std::vector<Cell> cells;
    for (int r = 1; r <= 5000; ++r) cells.push_back({r, 1, "sample_" + std::to_string(r)});

    const WriteResult r =
        corvella_test::with_file_size_limit(16384, [&] { return WorkbookWriter(file, cells); });
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "Cannot write " + file + ": File too large");
    EXPECT_EQ(read_bytes(file), before);
    EXPECT_EQ(entries(), 1u);
}
