#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "export/variable_sites.h"
#include "temp_file.h"

using namespace corvella;

namespace {

// The definitions, scanned the slow way, to hold the index to.
bool plain_is_element(const std::vector<std::vector<int32_t>>& positions,
                      const std::vector<std::string>& bases, size_t i, int32_t p, char b) {
    for (size_t j = 0; j < positions[i].size(); ++j)
        if (positions[i][j] == p && bases[i][j] == b) return true;
    return false;
}

bool plain_variable(const std::vector<std::vector<int32_t>>& positions,
                    const std::vector<std::string>& bases, int32_t p, char b) {
    for (size_t i = 0; i < positions.size(); ++i)
        if (!plain_is_element(positions, bases, i, p, b)) return true;
    return false;
}

VariantTally plain_tally(const std::vector<std::vector<int32_t>>& positions,
                         const std::vector<std::string>& bases) {
    VariantTally tally;
    for (size_t i = 0; i < positions.size(); ++i)
        for (size_t j = 0; j < positions[i].size(); ++j)
            if (plain_variable(positions, bases, positions[i][j], bases[i][j]))
                ++tally[{positions[i][j], bases[i][j]}];
    return tally;
}

}  // namespace

TEST(VariableSites, TwoSamplesKeepOnlyWhatOneLacks) {
    TempFile file(">a\n73G 263G\n>b\n263G 16519\n");
    Workspace ws;
    ASSERT_EQ(load_network_reading(ws, file.path()), 2);
    const VariantTally expected = {{{73, 'G'}, 1}, {{16519, 'Z'}, 1}};
    EXPECT_EQ(ws.variant_tally, expected);
    EXPECT_EQ(ws.sample_names, (std::vector<std::string>{">a", ">b"}));
    EXPECT_EQ(ws.sample_bases, (std::vector<std::string>{"GG", "GZ"}));
    EXPECT_EQ(network_memo_message(2, ws.variant_tally.size()),
              "Data was successfully retrieved.\nThere are 2 different positions.");
    EXPECT_EQ(network_label_text("run.txt", 2), "run.txt  -  2 sequences");
}

TEST(VariableSites, OneSampleHasNoVariableVariant) {
    TempFile file(">a\n73G 263G 16519\n");
    Workspace ws;
    ASSERT_EQ(load_network_reading(ws, file.path()), 1);
    EXPECT_TRUE(ws.variant_tally.empty());
    EXPECT_EQ(network_memo_message(1, 0),
              "Data was successfully retrieved.\nThere are 0 different positions.");
}

TEST(VariableSites, ZMatchesOnlyABareToken) {
    // Both samples vary at 16519, one as a bare position, one with a letter.
    const std::vector<std::vector<int32_t>> positions = {{16519}, {16519}};
    const std::vector<std::string> bases = {"Z", "C"};
    VariableSiteIndex index(positions, bases);
    EXPECT_TRUE(index.is_element(0, 16519, 'Z'));
    EXPECT_FALSE(index.is_element(0, 16519, 'C'));
    EXPECT_FALSE(index.is_element(1, 16519, 'Z'));
    EXPECT_FALSE(index.is_element(2, 16519, 'Z'));  // no such entry
    EXPECT_TRUE(index.variable(16519, 'Z'));
    EXPECT_TRUE(index.variable(16519, 'C'));
    const VariantTally expected = {{{16519, 'C'}, 1}, {{16519, 'Z'}, 1}};
    EXPECT_EQ(index.variable_tally(), expected);
}

TEST(VariableSites, ARepeatedItemIsOneHolderButCountsEveryOccurrence) {
    // Both entries hold 73G (one twice): not variable, whatever the count.
    VariableSiteIndex all_hold({{73, 73}, {73}}, {"GG", "G"});
    EXPECT_FALSE(all_hold.variable(73, 'G'));
    EXPECT_TRUE(all_hold.variable_tally().empty());

    VariableSiteIndex one_lacks({{73, 73}, {73}, {}}, {"GG", "G", ""});
    EXPECT_TRUE(one_lacks.variable(73, 'G'));
    EXPECT_EQ(one_lacks.variable_tally(), (VariantTally{{{73, 'G'}, 3}}));
}

TEST(VariableSites, NoEntriesMeansNothingIsVariable) {
    VariableSiteIndex index({}, {});
    EXPECT_FALSE(index.variable(73, 'G'));
    EXPECT_EQ(index.entry_count(), 0u);
}

TEST(VariableSites, IndexAgreesWithTheScanOnRandomLists) {
    std::mt19937 rng(20240611);
    const std::string letters = "ACGTZ";
    for (int round = 0; round < 200; ++round) {
        const size_t entries = rng() % 7;
        std::vector<std::vector<int32_t>> positions(entries);
        std::vector<std::string> bases(entries);
        for (size_t i = 0; i < entries; ++i) {
            const size_t items = rng() % 6;
            for (size_t j = 0; j < items; ++j) {
                // Few positions and letters, so keys repeat within and across entries.
                positions[i].push_back(1 + static_cast<int32_t>(rng() % 4));
                bases[i] += letters[rng() % 3 == 0 ? 4 : rng() % 2];
            }
        }
        VariableSiteIndex index(positions, bases);
        for (int32_t p = 0; p <= 5; ++p) {
            for (char b : letters) {
                ASSERT_EQ(index.variable(p, b), plain_variable(positions, bases, p, b))
                    << "round " << round << " key " << p << b;
                for (size_t i = 0; i < entries; ++i)
                    ASSERT_EQ(index.is_element(i, p, b), plain_is_element(positions, bases, i, p, b));
            }
        }
        const VariantTally expected = plain_tally(positions, bases);
        ASSERT_EQ(index.variable_tally(), expected) << "round " << round;
        ASSERT_EQ(build_variable_tally(positions, bases), expected) << "round " << round;
    }
}

TEST(VariableSites, FailedReadsLeaveTheWorkspaceAsItWas) {
    Workspace ws;
    ws.sample_names = {">kept"};
    ws.sample_positions = {{73}};
    ws.sample_bases = {"G"};
    ws.variant_tally = {{{73, 'G'}, 1}};
    const Workspace before = ws;
    auto same_as_before = [&] {
        EXPECT_EQ(ws.sample_names, before.sample_names);
        EXPECT_EQ(ws.sample_positions, before.sample_positions);
        EXPECT_EQ(ws.sample_bases, before.sample_bases);
        EXPECT_EQ(ws.variant_tally, before.variant_tally);
    };

    EXPECT_EQ(load_network_reading(ws, std::string(CORVELLA_BINARY_DIR) + "/missing.txt"),
              NETWORK_READ_CANNOT_OPEN);
    same_as_before();

    TempFile bad(">a\n263G\n16519\n");
    EXPECT_EQ(load_network_reading(ws, bad.path()), NETWORK_READ_BAD_FORMAT);
    same_as_before();
}

TEST(VariableSites, LimitMessages) {
    // 30,001 samples, each with a variant of its own.
    std::string many_sequences;
    for (int k = 1; k <= 30001; ++k)
        many_sequences += ">s" + std::to_string(k) + "\n" + std::to_string(k) + "\n";
    Workspace ws;
    {
        TempFile file(many_sequences);
        const int32_t n = load_network_reading(ws, file.path());
        ASSERT_EQ(n, 30001);
        EXPECT_EQ(ws.variant_tally.size(), 30001u);
        // The sequence limit is named even though the variants are past theirs too.
        EXPECT_EQ(network_memo_message(n, ws.variant_tally.size()), "Too many sequences: 30001\nMax: 30000");
    }

    // Two samples, one with 5,001 variants the other lacks.
    std::string many_variants = ">a\n";
    for (int p = 1; p <= 5001; ++p) many_variants += std::to_string(p) + "A ";
    many_variants += "\n>b\n\n>c\n0\n";  // the line "0" is an entry with no item
    {
        TempFile file(many_variants);
        const int32_t n = load_network_reading(ws, file.path());
        ASSERT_EQ(n, 2);
        EXPECT_EQ(ws.variant_tally.size(), 5001u);
        EXPECT_EQ(network_memo_message(n, ws.variant_tally.size()),
                  "Too many different positions: 5001\nMax: 5000");
    }

    // Exactly at both limits is a success.
    EXPECT_EQ(network_memo_message(30000, 5000),
              "Data was successfully retrieved.\nThere are 5000 different positions.");
}
