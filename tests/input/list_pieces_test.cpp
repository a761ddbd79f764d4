// Reading a list in pieces on several threads gives exactly what reading it
// in one pass gives: the same entries, names, pairing, tally and codes.
#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <random>
#include <string>
#include <vector>

#include "core/human_reference.h"
#include "input/mapped_file.h"
#include "input/list_tokens.h"
#include "input/polymorphism_list.h"
#include "export/network_reading.h"
#include "core/temp_file.h"

using namespace corvella;

namespace {

// A list with every kind of line: names, comments ("N..." and empty),
// variant lines with usual and unusual tokens, CR LF on some lines, variant
// lines right after variant lines, and sometimes no final line end.
std::string random_list(std::mt19937& rng) {
    static const std::vector<std::string> tokens = {
        "73G",  "263",    "16519C", "309.1C",     "310insC", "4294967369", "2147483648A", "0",    "-5",
        "750",  "1438A",  "4769",   "8860",       "15326",   "16569T",     "16570",       "16519a", "12del",
        "3107N", "+73",   "99999999999999999999999",  "1",       "5\tA",       "00000263G",   "20000",
        "523delAC", "8281-8289del", "9537insC", "12insX", "309.2C", "16193.1T"};
    std::uniform_int_distribution<int> kind(0, 9);
    std::uniform_int_distribution<size_t> pick(0, tokens.size() - 1);
    std::uniform_int_distribution<int> count(0, 6);
    std::string text;
    const int lines = std::uniform_int_distribution<int>(0, 60)(rng);
    for (int l = 0; l < lines; ++l) {
        const int k = kind(rng);
        if (k <= 3) {
            text += ">s" + std::to_string(l);
        } else if (k == 4) {
            text += (l % 2 == 0) ? "Numbering Reference" : "";
        } else {
            const int n = count(rng);
            for (int t = 0; t < n; ++t) text += (t == 0 ? "" : (t % 3 == 0 ? "  " : " ")) + tokens[pick(rng)];
        }
        text += kind(rng) == 0 ? "\r\n" : "\n";
    }
    if (!text.empty() && kind(rng) < 3) text.pop_back();  // no final line end
    return text;
}

void expect_same(const ListReadResult& a, const ListReadResult& b, const std::string& text) {
    EXPECT_EQ(a.code, b.code) << text;
    EXPECT_EQ(a.lists.names, b.lists.names) << text;
    EXPECT_EQ(a.lists.positions, b.lists.positions) << text;
    EXPECT_EQ(a.lists.bases, b.lists.bases) << text;
    EXPECT_EQ(a.tally, b.tally) << text;
    // The indels, each call with the entry it belongs to, and the items that
    // are a 309.1C.
    const auto calls = [](const IndelCalls& d) {
        std::vector<std::pair<uint32_t, Indel>> out;
        for (const IndelCall& c : d.calls) out.emplace_back(c.entry, d.indels[c.indel]);
        return out;
    };
    EXPECT_TRUE(calls(a.lists.indels) == calls(b.lists.indels)) << text;
    EXPECT_EQ(a.lists.indels.dot_items, b.lists.indels.dot_items) << text;
    EXPECT_EQ(a.lists.indels.unread, b.lists.indels.unread) << text;
    EXPECT_EQ(a.lists.indels.first_unread, b.lists.indels.first_unread) << text;
}

}  // namespace

TEST(ListPieces, CutsOnlyAtNameLinesAndCoverTheText) {
    const std::string text = "Numbering\n>r\n73G\n>a\r\n263\n>b\n\n750\n>c";
    for (size_t wanted = 1; wanted <= 12; ++wanted) {
        const std::vector<std::string_view> pieces = split_list_text(text, wanted);
        ASSERT_FALSE(pieces.empty());
        EXPECT_LE(pieces.size(), wanted);
        std::string joined;
        for (size_t k = 0; k < pieces.size(); ++k) {
            joined += std::string(pieces[k]);
            if (k > 0) {
                ASSERT_FALSE(pieces[k].empty());
                EXPECT_EQ(pieces[k][0], '>');
                EXPECT_EQ(pieces[k - 1].back(), '\n');
            }
        }
        EXPECT_EQ(joined, text);
    }
    // The comment before the first name, then one piece per name line.
    EXPECT_EQ(split_list_text(text, 100).size(), 5u);
    EXPECT_EQ(split_list_text("73G\n263\n", 8).size(), 1u);  // no name line: no cut
    EXPECT_EQ(split_list_text(">only\n", 8).size(), 1u);     // a name at the very start is no cut
}

TEST(ListPieces, ManyThreadsReadWhatOneThreadReads) {
    std::mt19937 rng(20261209);
    const std::string reference = human_reference_sequence();
    for (int round = 0; round < 150; ++round) {
        const std::string text = random_list(rng);
        const ListReadResult one = parse_polymorphism_list(text, reference, ListSplit{1, 1});
        for (unsigned threads : {2u, 3u, 8u}) {
            for (size_t piece : {size_t{1}, size_t{9}, size_t{40}}) {
                expect_same(parse_polymorphism_list(text, reference, ListSplit{threads, piece}), one, text);
            }
        }
        // The tally counted while reading is the tally of what was stored.
        if (one.code >= 0) {
            EXPECT_EQ(one.tally, tally_of_lists(one.lists.positions, one.lists.bases, reference.size()));
        }

        SampleLists network_one;
        SampleLists network_many;
        const int32_t n1 = parse_network_list(text, network_one, ListSplit{1, 1});
        const int32_t n4 = parse_network_list(text, network_many, ListSplit{4, 1});
        EXPECT_EQ(n1, n4) << text;
        EXPECT_EQ(network_one.positions, network_many.positions) << text;
        EXPECT_EQ(network_one.bases, network_many.bases) << text;
        EXPECT_EQ(network_one.names, network_many.names) << text;
    }
}

TEST(ListPieces, EveryPieceIsHandedBackOnceParsedAndTheReadIsUnchanged) {
    std::mt19937 rng(7);
    const std::string reference = human_reference_sequence();
    std::string text;
    while (text.size() < 3000) text += random_list(rng) + "\n";
    const ListReadResult plain = parse_polymorphism_list(text, reference, ListSplit{1, 1});
    for (unsigned threads : {1u, 2u, 4u}) {
        std::mutex lock;
        std::vector<std::string_view> handed;
        ListSplit split{threads, 64};
        split.parsed = [&](std::string_view piece) {
            std::lock_guard<std::mutex> hold(lock);
            handed.push_back(piece);
        };
        expect_same(parse_polymorphism_list(text, reference, split), plain, text);
        // Several pieces, which together cover the text once, in any order.
        ASSERT_GT(handed.size(), 1u) << threads;
        std::sort(handed.begin(), handed.end(), [](std::string_view a, std::string_view b) { return a.data() < b.data(); });
        std::string joined;
        for (std::string_view piece : handed) joined += std::string(piece);
        EXPECT_EQ(joined, text) << threads;
    }
}

TEST(ListPieces, AMappedFileReadsTheSameAfterItsPagesAreGivenBack) {
    // Large enough for whole pages and several pieces.
    std::mt19937 rng(11);
    std::string text;
    while (text.size() < 200000) text += random_list(rng) + "\n";
    const corvella_test::TempFile list("released-list.txt", text);
    const std::string path = list.path();
    const std::string reference = human_reference_sequence();
    const ListReadResult in_memory = parse_polymorphism_list(text, reference, ListSplit{2, 4096});
    for (unsigned threads : {1u, 2u}) {
        const ListReadResult from_file = read_and_parsing_file(path, reference, ListSplit{threads, 4096});
        expect_same(from_file, in_memory, "(file)");
    }
    FileBytes file;
    ASSERT_TRUE(file.open(path));
    file.release_part(file.text());  // the pages come back from the file when read again
    EXPECT_EQ(std::string(file.text()), text);
    file.release_part(std::string_view(text));  // not a part of the file: nothing happens
    EXPECT_EQ(std::string(file.text()), text);
}

TEST(ListPieces, ThePairingRuleCountsTheWholeFileNotEachPiece) {
    const std::string reference = human_reference_sequence();
    // The second piece alone has more variant lines than names; the file has
    // one name more than variant lines, so it reads.
    const std::string fine = ">ref\n>a\n>b\n73G\n>c\n263\n750\n";
    // Here the surplus of the first piece does not cover the last one.
    const std::string bad = ">a\n>b\n73G\n>c\n263\n750\n1438A\n";
    for (unsigned threads : {1u, 2u, 4u}) {
        const ListReadResult ok = parse_polymorphism_list(fine, reference, ListSplit{threads, 1});
        EXPECT_EQ(ok.code, 3);
        ASSERT_EQ(ok.lists.names.size(), 4u);
        EXPECT_EQ(ok.lists.names[3], ">c");
        EXPECT_EQ(ok.lists.positions[2], std::vector<int32_t>{750});
        EXPECT_EQ(ok.lists.bases[2], "G");  // the transition partner of the reference's A
        EXPECT_EQ(parse_polymorphism_list(bad, reference, ListSplit{threads, 1}).code, -2);
    }
}

TEST(SampleStore, RunsReadLikeVectorsOfTheirItems) {
    FlatPositions positions = {{73, 263}, {}, {16519}};
    ASSERT_EQ(positions.size(), 3u);
    EXPECT_EQ(positions[0], (std::vector<int32_t>{73, 263}));
    EXPECT_TRUE(positions[1].empty());
    EXPECT_EQ(positions[2].back(), 16519);
    positions.push_back({1, 2, 3});
    EXPECT_EQ(positions.items().size(), 6u);
    positions.pop_back();
    EXPECT_EQ(positions, (std::vector<std::vector<int32_t>>{{73, 263}, {}, {16519}}));
    EXPECT_NE(positions, FlatPositions({{73, 263}, {16519}, {}}));  // the same items, other runs

    FlatTexts names = {">a", ">b"};
    names.push_back(std::string(">c\0d", 4));
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(names[2], std::string(">c\0d", 4));  // bytes, not C strings
    const std::string copied = names[1];
    EXPECT_EQ(copied + "!", ">b!");
    std::vector<std::string> seen;
    for (TextView name : names) seen.push_back(name);
    EXPECT_EQ(names, seen);
}

TEST(SampleStore, LargeStoresGrowCopyAndCompareLikeSmallOnes) {
    // Past the size at which items are laid out for large pages.
    FlatPositions big;
    for (int32_t run = 0; run < 4000; ++run) {
        for (int32_t i = 0; i < 1000; ++i) big.append_item(run * 1000 + i);
        big.end_run();
    }
    ASSERT_EQ(big.items().size(), 4000000u);
    const FlatPositions copy = big;
    EXPECT_EQ(copy, big);
    EXPECT_EQ(copy[3999].back(), 3999999);
    FlatPositions moved = std::move(big);
    moved.pop_back();
    EXPECT_EQ(moved.size(), 3999u);
    EXPECT_EQ(moved.items().size(), 3999000u);
    EXPECT_NE(moved, copy);
}
