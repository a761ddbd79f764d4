#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/human_reference.h"
#include "input/polymorphism_list.h"
#include "core/temp_file.h"

using namespace corvella;
using corvella_test::TempFile;

namespace {

Workspace human() {
    Workspace ws;
    use_human_ref_data(ws);
    return ws;
}

struct Item {
    int32_t position;
    char base;
    bool operator==(const Item& o) const { return position == o.position && base == o.base; }
};

std::vector<Item> items(const Workspace& ws, size_t entry) {
    std::vector<Item> out;
    for (size_t j = 0; j < ws.sample_positions[entry].size(); ++j)
        out.push_back({ws.sample_positions[entry][j], ws.sample_bases[entry][j]});
    return out;
}

}  // namespace

TEST(TransitionBase, PairsAGAndCTAndGivesZOtherwise) {
    EXPECT_EQ(transition_base('A'), 'G');
    EXPECT_EQ(transition_base('G'), 'A');
    EXPECT_EQ(transition_base('C'), 'T');
    EXPECT_EQ(transition_base('T'), 'C');
    EXPECT_EQ(transition_base('N'), 'Z');
    EXPECT_EQ(transition_base('-'), 'Z');
}

TEST(PolymorphismList, TokensAgainstTheHumanReference) {
    Workspace ws = human();
    TempFile f("tokens.txt",
               ">s\n73 16519 16519A 3107 16519a 16519- 310insC 16570C 309.1C 0 1missing5bp 2000-2002N "
               "4294967369 4294967369A -73 0A\n");
    ASSERT_EQ(load_polymorphism_list(ws, f.path()), 1);
    const std::vector<Item> expected = {{73, 'G'}, {16519, 'C'}, {16519, 'A'}, {3107, 'Z'}, {309, 'C'}};
    EXPECT_EQ(items(ws, 0), expected);
}

TEST(PolymorphismList, CallerFileHasOneMoreNameAndPairsEntriesWithTheNextName) {
    Workspace ws = human();
    TempFile f("caller.txt", ">rCRS\nNumbering Reference\n\n>s1\n73 263G \n\n>s2\n0 \n\n");
    ASSERT_EQ(load_polymorphism_list(ws, f.path()), 2);
    EXPECT_EQ(ws.sample_names.size(), 3u);
    EXPECT_EQ(sample_name(ws, 0), ">s1");
    EXPECT_EQ(sample_name(ws, 1), ">s2");
    EXPECT_TRUE(ws.sample_positions[1].empty());
    EXPECT_EQ(list_summary("/home/u/data/caller.txt", 2), "caller.txt  -  2 sequences");
    EXPECT_EQ(list_summary("C:\\lists\\run.txt", 0), "run.txt  -  0 sequences");
}

TEST(PolymorphismList, PairsNameIWithEntryIWhenCountsMatch) {
    Workspace ws = human();
    TempFile f("pairs.txt", ">a\n73\n>b\n263G\n");
    ASSERT_EQ(load_polymorphism_list(ws, f.path()), 2);
    EXPECT_EQ(sample_name(ws, 0), ">a");
    EXPECT_EQ(sample_name(ws, 1), ">b");
    EXPECT_EQ(sample_name(ws, 2), "");
}

TEST(PolymorphismList, FinalLineWithoutLineEndIsReadAndCrLfIsALineEnd) {
    Workspace ws = human();
    TempFile f("crlf.txt", ">a\r\n73\r\n>b\r\n16519A");
    ASSERT_EQ(load_polymorphism_list(ws, f.path()), 2);
    EXPECT_EQ(sample_name(ws, 1), ">b");
    EXPECT_EQ(items(ws, 1), (std::vector<Item>{{16519, 'A'}}));
    EXPECT_EQ(ws.sample_names[0], ">a");  // no carriage return left on the name
}

TEST(PolymorphismList, VeryLongLinesAreReadWhole) {
    Workspace ws = human();
    std::string line;
    for (int p = 1; p <= 16569; ++p) line += std::to_string(p) + "A ";
    ASSERT_GT(line.size(), 50000u);
    TempFile f("long.txt", ">" + std::string(60000, 'n') + "\n" + line + "\n");
    ASSERT_EQ(load_polymorphism_list(ws, f.path()), 1);
    EXPECT_EQ(ws.sample_names[0].size(), 60001u);
    EXPECT_EQ(ws.sample_positions[0].size(), 16569u);
    EXPECT_EQ(ws.sample_positions[0].back(), 16569);
}

TEST(PolymorphismList, TallyCountsEveryOccurrenceInKeyOrder) {
    Workspace ws = human();
    TempFile f("tally.txt", ">a\n263G 73 73\n>b\n263G 263C\n");
    ASSERT_EQ(load_polymorphism_list(ws, f.path()), 2);
    std::vector<std::pair<VariantKey, int32_t>> walked(ws.variant_tally.begin(), ws.variant_tally.end());
    ASSERT_EQ(walked.size(), 3u);
    EXPECT_EQ(walked[0].first, (VariantKey{73, 'G'}));
    EXPECT_EQ(walked[0].second, 2);
    EXPECT_EQ(walked[1].first, (VariantKey{263, 'C'}));
    EXPECT_EQ(walked[2].first, (VariantKey{263, 'G'}));
    EXPECT_EQ(walked[2].second, 2);
}

TEST(PolymorphismList, BarePositionsTakeTheLoadedReferencesLetters) {
    Workspace ws;
    ws.ref_sequence = "CATG";
    TempFile f("own_ref.txt", ">a\n1 2 3 4 5\n");
    ASSERT_EQ(load_polymorphism_list(ws, f.path()), 1);
    EXPECT_EQ(items(ws, 0), (std::vector<Item>{{1, 'T'}, {2, 'G'}, {3, 'C'}, {4, 'A'}}));
}

TEST(PolymorphismList, EmptyFileSucceedsWithNothing) {
    Workspace ws = human();
    TempFile f("empty.txt", "");
    EXPECT_EQ(load_polymorphism_list(ws, f.path()), 0);
    EXPECT_TRUE(ws.sample_names.empty());
    EXPECT_TRUE(ws.variant_tally.empty());
}

// A failed read must leave the previous list and its tally together, so the
// counting windows never pair an old tally with new samples.
TEST(PolymorphismList, FailedReadsChangeNothing) {
    Workspace ws = human();
    TempFile good("good.txt", ">a\n73\n");
    ASSERT_EQ(load_polymorphism_list(ws, good.path()), 1);
    const Workspace before = ws;

    TempFile more_entries("more_entries.txt", ">a\n73\n263G\n");
    TempFile no_name("no_name.txt", "73\n");
    std::string garbage;
    for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 131 + 7) % 256);
    TempFile binary("binary.bin", garbage);
    EXPECT_EQ(load_polymorphism_list(ws, more_entries.path()), -2);
    EXPECT_EQ(load_polymorphism_list(ws, no_name.path()), -2);
    EXPECT_EQ(load_polymorphism_list(ws, binary.path()), -2);
    EXPECT_EQ(load_polymorphism_list(ws, "/nonexistent/folder/list.txt"), -1);
    EXPECT_EQ(load_polymorphism_list(ws, CORVELLA_TEST_DATA), -1);  // a folder
    EXPECT_EQ(ws.sample_positions, before.sample_positions);
    EXPECT_EQ(ws.sample_bases, before.sample_bases);
    EXPECT_EQ(ws.sample_names, before.sample_names);
    EXPECT_EQ(ws.variant_tally, before.variant_tally);
}

// The tally is counted in a table for ordinary positions and bases and in
// the map otherwise; both ways must give the same keys, counts and order.
TEST(PolymorphismList, TallyIsTheSameForAnyPositionsAndBases) {
    Workspace dense;
    dense.sample_positions = {{16569, 5, 5, 1}, {5, 1}};
    dense.sample_bases = {"ZACT", "AT"};
    build_variant_tally(dense);
    const VariantTally expected = {{{1, 'T'}, 2}, {{5, 'A'}, 2}, {{5, 'C'}, 1}, {{16569, 'Z'}, 1}};
    EXPECT_EQ(dense.variant_tally, expected);

    Workspace sparse = dense;
    sparse.sample_positions.push_back({2000000000, 5});
    sparse.sample_bases.push_back("GN");
    build_variant_tally(sparse);
    VariantTally with_more = expected;
    with_more[{5, 'N'}] = 1;
    with_more[{2000000000, 'G'}] = 1;
    EXPECT_EQ(sparse.variant_tally, with_more);

    // Positions past the reference and a position 0 (kept by the map only).
    Workspace beyond = dense;
    beyond.ref_sequence = "ACGT";
    build_variant_tally(beyond);
    EXPECT_EQ(beyond.variant_tally, expected);
    beyond.sample_positions.push_back({0});
    beyond.sample_bases.push_back("A");
    build_variant_tally(beyond);
    VariantTally with_zero = expected;
    with_zero[{0, 'A'}] = 1;
    EXPECT_EQ(beyond.variant_tally, with_zero);
}
