#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/list_tokens.h"
#include "core/text_file.h"

using namespace corvella;

TEST(LeadingDecimal, ReadsLikeTheCLibraryButNeverWraps) {
    struct Case {
        const char* text;
        std::optional<int32_t> expected;
    };
    const std::vector<Case> cases = {
        {"16519", 16519},      {"309.1C", 309},         {"73G", 73},           {"abc", 0},
        {"", 0},               {"-5", -5},              {"+73", 73},           {"\t73", 73},
        {"2147483647", INT32_MAX}, {"2147483648", std::nullopt}, {"4294967369", std::nullopt},
        {"99999999999999999999999973", std::nullopt}, {"-2147483648", INT32_MIN},
    };
    for (const Case& c : cases) EXPECT_EQ(leading_decimal(c.text), c.expected) << c.text;
}

TEST(VariantToken, FormsThatReadAndFormsThatAreSkipped) {
    auto read = [](const char* t) { return read_variant_token(t); };
    ASSERT_TRUE(read("16519A"));
    EXPECT_EQ(read("16519A")->position, 16519);
    EXPECT_EQ(read("16519A")->base, 'A');
    EXPECT_EQ(read("73")->base, 0);
    EXPECT_EQ(read("309.1C")->position, 309);
    EXPECT_EQ(read("309.1C")->base, 'C');
    for (const char* skipped : {"16519a", "16519-", "310insC", "105delAT", "2000-2002N", "1missing5bp",
                                "16560missing10bp", "3107N", "4294967369", "4294967369A", "4delete7"})
        EXPECT_FALSE(read(skipped)) << skipped;
}

TEST(ListScanning, LinesEndWithLfOrCrLfAndTheLastNeedsNoEnd) {
    std::vector<std::string> lines;
    for_each_line("a\r\nb\n\nlast", [&](std::string_view l) { lines.emplace_back(l); });
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "", "last"}));
    lines.clear();
    for_each_line("one\n", [&](std::string_view l) { lines.emplace_back(l); });
    EXPECT_EQ(lines, (std::vector<std::string>{"one"}));
}

TEST(ListScanning, TokensAreSeparatedByBlanksOnly) {
    std::vector<std::string> tokens;
    for_each_token("  73 \t263  16519A ", [&](std::string_view t) { tokens.emplace_back(t); });
    EXPECT_EQ(tokens, (std::vector<std::string>{"73", "\t263", "16519A"}));
    EXPECT_EQ(list_line_kind(">x"), ListLineKind::Name);
    EXPECT_EQ(list_line_kind("Numbering Reference"), ListLineKind::Comment);
    EXPECT_EQ(list_line_kind(""), ListLineKind::Comment);
    EXPECT_EQ(list_line_kind(" 73"), ListLineKind::Variants);
}

TEST(ListScanning, SampleListsKeepEmptyEntriesAndRejectMoreEntriesThanNames) {
    auto keep_all = [](int32_t p, char b) -> char { return p > 0 ? (b ? b : 'Z') : 0; };
    SampleLists lists;
    EXPECT_EQ(parse_sample_lists(">a\n1missing3bp\n>b\n73 0A\n", keep_all, lists), 2);
    EXPECT_TRUE(lists.positions[0].empty());
    EXPECT_EQ(lists.positions[1], std::vector<int32_t>{73});
    EXPECT_EQ(lists.bases[1], "Z");
    SampleLists bad;
    EXPECT_EQ(parse_sample_lists(">a\n73\n263\n", keep_all, bad), -2);
}
