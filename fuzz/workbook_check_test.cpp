// The workbook checker must accept what the writer makes and reject each
// kind of structural damage; a checker that passes everything would make the
// workbook fuzz target worthless.
#include "fuzz/workbook_check.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "output/biff8.h"
#include "output/workbook_writer.h"

using corvella_fuzz::read_workbook_stream;
using corvella_fuzz::read_workbook_structure;

namespace {

// A stream with two text cells sharing one string and a number.
std::string sample_stream() {
    const std::vector<corvella::SheetCell> cells = {{0, 0, false, 0}, {0, 1, true, 16519}, {1, 0, false, 0}};
    return corvella::biff8_workbook("results", cells, {u"ND1"}, 2);
}

std::string temp_path(const char* name) { return std::string(CORVELLA_BINARY_DIR) + "/tmp_check_" + name; }

}  // namespace

TEST(WorkbookCheck, AcceptsTheWritersFileAndGivesBackItsCells) {
    const std::string path = temp_path("ok.xls");
    ASSERT_TRUE(corvella::WorkbookWriter(path, {{1, 1, "Gene"}, {2, 1, "16519"}, {2, 3, "caf\xc3\xa9"}}).ok);
    const corvella_fuzz::WorkbookContent c = read_workbook_structure(path);
    std::remove(path.c_str());
    ASSERT_EQ(c.error, "");
    EXPECT_EQ(c.sheet_name, "results");
    ASSERT_EQ(c.cells.size(), 3u);
    EXPECT_EQ(c.cells.at({0, 0}).text, u"Gene");
    EXPECT_FALSE(c.cells.at({1, 0}).is_text);
    EXPECT_EQ(c.cells.at({1, 0}).number, 16519);
    EXPECT_EQ(c.cells.at({1, 2}).text, u"caf\u00e9");
}

TEST(WorkbookCheck, RejectsDamagedStreams) {
    const std::string good = sample_stream();
    ASSERT_EQ(read_workbook_stream(good).error, "");

    struct Case {
        std::string stream;
        const char* error;
    };
    std::string long_record = good;
    long_record[2] = '\x40';  // the BOF's length now runs far past its body
    long_record[3] = '\x00';
    std::string wrong_count = good;
    const size_t sst = good.find(std::string("\xFC\x00", 2));
    wrong_count[sst + 8] = '\x07';  // the SST's number of distinct strings
    std::string moved_sheet = good;
    const size_t sheet = good.find(std::string("\x85\x00", 2));
    moved_sheet[sheet + 4] = static_cast<char>(moved_sheet[sheet + 4] + 4);
    const Case cases[] = {
        {good.substr(0, good.size() - 2), "a record header is cut off at the end of the stream"},
        {good.substr(0, good.size() - 4), "the sheet has no EOF"},
        {good + "\x0A", "a record header is cut off at the end of the stream"},
        {good + std::string("\x0A\x00\x00\x00", 4), "records after the sheet's EOF"},
        {std::string("\x09\x08\x08\x00", 4) + std::string(8, '\0'), "the stream does not begin with the BOF of BIFF8 workbook globals"},
        {moved_sheet, "the sheet's offset does not point at the BOF of a worksheet"},
        {wrong_count, "a shared string's length and flags are split or missing"},
    };
    for (const Case& c : cases) EXPECT_EQ(read_workbook_stream(c.stream).error, c.error);
    EXPECT_NE(read_workbook_stream(long_record).error, "");
}

TEST(WorkbookCheck, RejectsWhatIsNoCompoundFile) {
    const std::string path = temp_path("plain.xls");
    std::ofstream(path) << "Gene\tSyn\r\n";
    const std::string error = read_workbook_structure(path).error;
    std::remove(path.c_str());
    EXPECT_EQ(error.rfind("not a compound file", 0), 0u) << error;
    EXPECT_EQ(read_workbook_structure(temp_path("missing.xls")).error.rfind("cannot open", 0), 0u);
}
