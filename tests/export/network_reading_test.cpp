#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "export/network_reading.h"
#include "temp_file.h"

using namespace corvella;

namespace {

// The (position, base) items of the single entry of ">x\n" + line.
std::vector<std::pair<int32_t, char>> items_of_line(const std::string& line) {
    SampleLists lists;
    EXPECT_EQ(parse_network_list(">x\n" + line + "\n", lists), 1) << line;
    std::vector<std::pair<int32_t, char>> items;
    for (size_t j = 0; j < lists.positions[0].size(); ++j)
        items.emplace_back(lists.positions[0][j], lists.bases[0][j]);
    return items;
}

}  // namespace

TEST(NetworkReading, TokenForms) {
    using Items = std::vector<std::pair<int32_t, char>>;
    const std::vector<std::pair<std::string, Items>> cases = {
        {"16519C", {{16519, 'C'}}},
        {"16519", {{16519, 'Z'}}},  // a bare position keeps "Z"
        {"73", {{73, 'Z'}}},
        {"16519c", {}},  // lower-case base
        {"16519-", {}},
        {"309.1C", {{309, 'C'}}},  // the position stops at the point
        {"310insC 523delAC 8281del9 16ins", {}},
        {"0A 0", {}},
        {"20000A 99999", {{20000, 'A'}, {99999, 'Z'}}},  // no reference limit
        {"3107N 100-200N 1missing5bp 16000missing569bp", {}},
        {"A G", {}},  // no number
        {"-5A", {}},
        {"+73G", {{73, 'G'}}},
        {"2147483647A", {{2147483647, 'A'}}},
        // Past 32 bits: out of range, never wrapped to a small position.
        {"2147483648A 4294967369G 18446744073709551689T 99999999999999999999999", {}},
        {"  73G   263G  ", {{73, 'G'}, {263, 'G'}}},
    };
    for (const auto& [line, expected] : cases) EXPECT_EQ(items_of_line(line), expected) << line;
    // A tab does not separate: "73G<tab>263G" is one token, last character
    // G, leading number 73.
    EXPECT_EQ(items_of_line("73G\t263G"), (Items{{73, 'G'}}));
}

TEST(NetworkReading, LinesNamesAndEntries) {
    SampleLists lists;
    const std::string text =
        ">ref\r\nNumbering Reference\r\n\r\n>a\r\n73G 263G \r\n\r\n>b\r\n  \r\n\r\n>c\r\n16519";
    ASSERT_EQ(parse_network_list(text, lists), 3);
    EXPECT_EQ(lists.names, (std::vector<std::string>{">ref", ">a", ">b", ">c"}));
    ASSERT_EQ(lists.positions.size(), 3u);
    EXPECT_EQ(lists.positions[0], (std::vector<int32_t>{73, 263}));
    EXPECT_EQ(lists.bases[0], "GG");
    // A blank-only line is still an entry, with no items.
    EXPECT_TRUE(lists.positions[1].empty());
    EXPECT_TRUE(lists.bases[1].empty());
    // The final line has no line end and is read all the same.
    EXPECT_EQ(lists.positions[2], (std::vector<int32_t>{16519}));
    EXPECT_EQ(lists.bases[2], "Z");
}

TEST(NetworkReading, EmptyAndNameOnlyTexts) {
    SampleLists lists;
    EXPECT_EQ(parse_network_list("", lists), 0);
    EXPECT_TRUE(lists.names.empty());
    EXPECT_EQ(parse_network_list(">a\n>b\n", lists), 0);
    EXPECT_EQ(lists.names.size(), 2u);
}

TEST(NetworkReading, MoreVariantLinesThanNamesIsBadFormat) {
    SampleLists lists;
    EXPECT_EQ(parse_network_list("73G\n", lists), NETWORK_READ_BAD_FORMAT);
    EXPECT_EQ(parse_network_list(">a\n73G\n263G\n", lists), NETWORK_READ_BAD_FORMAT);
}

TEST(NetworkReading, ParsingStartsFromEmptyLists) {
    SampleLists lists;
    lists.names = {">old"};
    lists.positions = {{1}};
    lists.bases = {"A"};
    ASSERT_EQ(parse_network_list(">new\n5C\n", lists), 1);
    EXPECT_EQ(lists.names, (std::vector<std::string>{">new"}));
    EXPECT_EQ(lists.positions, (std::vector<std::vector<int32_t>>{{5}}));
}

TEST(NetworkReading, LongLinesAreReadWhole) {
    // Far past the 50,000-character buffers of older readers.
    std::string line;
    for (int p = 1; p <= 20000; ++p) line += std::to_string(p) + "T ";
    ASSERT_GT(line.size(), 100000u);
    TempFile file(">long\n" + line + "\n");
    SampleLists lists;
    ASSERT_EQ(read_and_parsing_file_network(file.path(), lists), 1);
    ASSERT_EQ(lists.positions[0].size(), 20000u);
    EXPECT_EQ(lists.positions[0].back(), 20000);
    EXPECT_EQ(lists.bases[0].back(), 'T');
}

TEST(NetworkReading, FileThatCannotBeOpened) {
    SampleLists lists;
    EXPECT_EQ(read_and_parsing_file_network(std::string(CORVELLA_BINARY_DIR) + "/no/such/file.txt", lists),
              NETWORK_READ_CANNOT_OPEN);
    EXPECT_EQ(read_and_parsing_file_network(CORVELLA_BINARY_DIR, lists), NETWORK_READ_CANNOT_OPEN);
}
