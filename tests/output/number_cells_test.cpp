// The cells of a table's number columns are stored as numbers in an .xlsx
// sheet (they sum in a spreadsheet); every other cell keeps the writers'
// integer rule, and the .xls writer is unchanged.
#include <gtest/gtest.h>

#include "output/excel_text.h"
#include "output/xlsx_writer.h"
#include "output/workbook_writer.h"
#include "temp_folder.h"
#include "workbook_cases.h"
#include "xls_read_back.h"

using corvella::Cell;
using corvella::decimal_number;
using corvella_test::number;
using corvella_test::read_workbook;
using corvella_test::text;

TEST(DecimalNumber, ReadsTheTablesDecimalsAndNothingElse) {
    struct Case {
        const char* text;
        bool number;
        double value;
    };
    const Case cases[] = {
        {"12", true, 12},         {"0.250000", true, 0.25},  {"-1.5", true, -1.5},   {"1.000", true, 1},
        {"0", true, 0},           {"007", true, 7},
        {"", false, 0},           {"-", false, 0},           {".5", false, 0},      {"5.", false, 0},
        {"1e5", false, 0},        {" 12", false, 0},         {"12 ", false, 0},     {"+1", false, 0},
        {"1.2.3", false, 0},      {"inf", false, 0},         {"NA", false, 0},      {"73G", false, 0},
        {"1234567890123456789012345", false, 0},
    };
    for (const Case& c : cases) {
        double v = -99;
        EXPECT_EQ(decimal_number(c.text, &v), c.number) << c.text;
        if (c.number) {
            EXPECT_DOUBLE_EQ(v, c.value) << c.text;
        }
    }
}

class NumberCells : public corvella_test::TempFolder {};

TEST_F(NumberCells, MarkedDecimalsAreNumbersInXlsxAndTextInXls) {
    const std::vector<Cell> cells = {
        {1, 1, "Frequency"}, {1, 2, "Max level"}, {1, 3, "Region"},
        {2, 1, "0.250000", true}, {2, 2, "1.000", true}, {2, 3, "ND1"},
        {3, 1, "12", true},       {3, 2, "x", true},     {3, 3, "0.5"},  // a marked cell that does not read stays text
    };
    const std::string xlsx = path("table.xlsx");
    ASSERT_TRUE(corvella::XlsxWriter(xlsx, cells).ok);
    const corvella_test::CellMap expected_xlsx = {
        {{1, 1}, text("Frequency")}, {{1, 2}, text("Max level")}, {{1, 3}, text("Region")},
        {{2, 1}, number("0.25")},    {{2, 2}, number("1")},       {{2, 3}, text("ND1")},
        {{3, 1}, number("12")},      {{3, 2}, text("x")},         {{3, 3}, text("0.5")},
    };
    EXPECT_EQ(read_workbook(xlsx).cells, expected_xlsx);

    // The .xls sheet keeps its rule: integers are numbers, fractions text.
    const std::string xls = path("table.xls");
    ASSERT_TRUE(corvella::WorkbookWriter(xls, cells).ok);
    const auto xls_cells = read_workbook(xls).cells;
    EXPECT_EQ(xls_cells.at({2, 1}), text("0.250000"));
    EXPECT_EQ(xls_cells.at({3, 1}), number("12"));
}
