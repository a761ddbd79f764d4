#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "input/list_tokens.h"
#include "input/text_file.h"

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
        // Leading zeros count for nothing, however many there are.
        {"0000000000000000000000000073", 73}, {"-00000000000000000000002147483648", INT32_MIN},
        {"000000000000000000000002147483648", std::nullopt}, {"1000000000000000000", std::nullopt},
        {" -5", -5}, {"+5", 5}, {"+-5", 0}, {"-", 0},
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
                                "16560missing10bp", "3107N", "4294967369", "4294967369A", "4delete7",
                                "12ins", "del5", "12del", "ins", "4294967296A", "2147483648", "73\r"})
        EXPECT_FALSE(read(skipped)) << skipped;
    struct Case {
        const char* token;
        int32_t position;
        char base;
    };
    for (const Case& c : std::vector<Case>{{"+5", 5, 0}, {" -5", -5, 0}, {"\t263", 263, 0}, {"5\tA", 5, 'A'},
                                           {"0000000000000000000073G", 73, 'G'}, {"2147483647T", INT32_MAX, 'T'},
                                           {"1234567890", 1234567890, 0}, {"in5", 0, 0}, {"de1T", 0, 'T'}}) {
        const std::optional<VariantToken> v = read(c.token);
        ASSERT_TRUE(v) << c.token;
        EXPECT_EQ(v->position, c.position) << c.token;
        EXPECT_EQ(v->base, c.base) << c.token;
    }
}

TEST(ListScanning, TheOnePassLineReaderAgreesWithReadingTokenByToken) {
    // Usual tokens, the nine/ten digit boundary of the reader's fast path, and
    // every form that needs the full token rules.
    const std::vector<std::string> tokens = {
        "73", "16519A", "263G", "1C", "0", "0A", "123456789", "123456789T", "1234567890", "4294967296",
        "2147483648A", "309.1C", "310insC", "5del", "12ins", "del5", "16519a", "3107N", "+5", "-5", "\t73",
        "5\tA", "1missing5bp", "2000-2002N", "00000000000000000000073", "99999999999999999999A", "A", "-"};
    std::string line = "  ";
    for (size_t i = 0; i < tokens.size(); ++i) line += tokens[i] + (i % 3 == 0 ? "  " : " ");
    line += tokens.front();  // the last token of a line has no blank after it

    std::vector<std::pair<int32_t, char>> expected;
    for_each_token(line, [&](std::string_view t) {
        if (const std::optional<VariantToken> v = read_variant_token(t)) expected.emplace_back(v->position, v->base);
    });
    std::vector<std::pair<int32_t, char>> read;
    for_each_variant(line, [&](int32_t p, char b) { read.emplace_back(p, b); });
    EXPECT_EQ(read, expected);
    EXPECT_EQ(expected.size(), 17u);  // 12 of the 29 tokens are skipped
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
    // Each entry keeps exactly its own items, whatever the length of the
    // lines before it.
    SampleLists two;
    EXPECT_EQ(parse_sample_lists(">a\n73 263 16519A 750\n>b\n\t5\n", keep_all, two), 2);
    EXPECT_EQ(two.positions[0], (std::vector<int32_t>{73, 263, 16519, 750}));
    EXPECT_EQ(two.bases[0], "ZZAZ");
    EXPECT_EQ(two.positions[1], std::vector<int32_t>{5});
    EXPECT_EQ(two.bases[1], "Z");
    SampleLists bad;
    EXPECT_EQ(parse_sample_lists(">a\n73\n263\n", keep_all, bad), -2);
}

TEST(IndelToken, TheFieldsSpellingsOfInsertionsAndDeletions) {
    // 16 letters: position p at index p - 1.
    const std::string reference = "GATCACAGGTCTANCC";
    struct Case {
        const char* token;
        std::optional<Indel> expected;
    };
    const std::vector<Case> cases = {
        {"3insC", Indel{3, 0, "C"}},
        {"3insca", Indel{3, 0, "CA"}},
        {"3_4insC", Indel{3, 0, "C"}},
        {"16insA", Indel{16, 0, "A"}},  // after the last letter
        {"4delC", Indel{4, 1, ""}},
        {"4delcA", Indel{4, 2, ""}},
        {"4del", Indel{4, 1, ""}},
        {"4-6del", Indel{4, 3, ""}},
        {"4_6delCAC", Indel{4, 3, ""}},
        {"13delAN", Indel{13, 2, ""}},  // the reference's N matches any letter, and N any
        {"14delG", Indel{14, 1, ""}},
        {"3.1C", Indel{3, 0, "C"}},     // a list's insertion after 3
        {"3.2CA", Indel{3, 0, "CA"}},
        // Not an indel of this reference.
        {"4delG", std::nullopt},        // not the reference's letter
        {"4-6delCA", std::nullopt},     // letters and range disagree
        {"6-4del", std::nullopt},
        {"3_5insC", std::nullopt},      // an insertion lies between two neighbours
        {"3ins", std::nullopt},
        {"3insN", std::nullopt},
        {"3insX", std::nullopt},
        {"0insA", std::nullopt},
        {"17insA", std::nullopt},
        {"16delCA", std::nullopt},      // runs past the end
        {"15-17del", std::nullopt},
        {"0del", std::nullopt},
        {"del4", std::nullopt},
        {"4deletion", std::nullopt},
        {"4indel", std::nullopt},
        {"9999999999delA", std::nullopt},
        {"3.1c", std::nullopt},
        {"3.C", std::nullopt},
        {"3.1", std::nullopt},
        {"17.1A", std::nullopt},
    };
    for (const Case& c : cases) {
        const std::optional<Indel> got = read_indel_token(c.token, reference);
        EXPECT_EQ(got.has_value(), c.expected.has_value()) << c.token;
        if (got && c.expected) {
            EXPECT_TRUE(*got == *c.expected) << c.token;
        }
    }

    // The list reader keeps them beside the sample lists, each call with its
    // entry, and counts the tokens it cannot read.
    SampleLists lists;
    auto keep_all = [](int32_t p, char b) -> char { return p > 0 ? (b ? b : 'Z') : 0; };
    // A 309.1C stays the item (309, C) of the counting reports and is an
    // insertion too; 309.1C 309.2C, one after the other, insert two letters.
    ASSERT_EQ(parse_sample_lists(">a\n3insC 5G 4del\n>b\n0\n>c\n4delC 3insX 3insC 7.1A 7.2C 8G 7.1T\n",
                                 keep_all, lists, ListSplit{}, static_cast<NoCount*>(nullptr), reference),
              3);
    EXPECT_EQ(lists.positions[0], std::vector<int32_t>{5});
    EXPECT_EQ(lists.positions[2], (std::vector<int32_t>{7, 7, 8, 7}));
    EXPECT_EQ(lists.indels.dot_items, (std::vector<int64_t>{1, 2, 4}));
    std::vector<std::pair<uint32_t, Indel>> calls;
    for (const IndelCall& c : lists.indels.calls) calls.emplace_back(c.entry, lists.indels.indels[c.indel]);
    EXPECT_TRUE(calls == (std::vector<std::pair<uint32_t, Indel>>{{0, {3, 0, "C"}}, {0, {4, 1, ""}}, {2, {4, 1, ""}},
                                                                  {2, {3, 0, "C"}}, {2, {7, 0, "AC"}}, {2, {7, 0, "T"}}}));
    EXPECT_EQ(lists.indels.unread, 1);
    EXPECT_EQ(lists.indels.first_unread, "3insX");
    // Without the reference a reader keeps none.
    SampleLists plain;
    parse_sample_lists(">a\n3insC\n", keep_all, plain);
    EXPECT_TRUE(plain.indels.empty());
}
