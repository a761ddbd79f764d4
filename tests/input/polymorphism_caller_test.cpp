#include <gtest/gtest.h>

#include <string>

#include "input/polymorphism_caller.h"

using namespace corvella;

namespace {

// The variant line that the caller writes for `letters` against `reference`.
std::string variant_line(const std::string& reference, const std::string& letters) {
    std::string out;
    determine_polymorphisms("s", letters, reference, reference_numbering(reference), out);
    const std::string head = ">s\n";
    EXPECT_EQ(out.substr(0, head.size()), head);
    EXPECT_EQ(out.substr(out.size() - 2), "\n\n");
    return out.substr(head.size(), out.size() - head.size() - 2);
}

}  // namespace

TEST(BaseOrGap, TheFourBasesAndTheGap) {
    for (char c : std::string("ACGT-")) EXPECT_TRUE(base_or_gap(c)) << c;
    for (char c : std::string("NRUacgt?*")) EXPECT_FALSE(base_or_gap(c)) << c;
}

TEST(PolymorphismCaller, TokensOfEachKindOfDifference) {
    struct Case {
        const char* reference;
        const char* sequence;
        const char* line;
    };
    const Case cases[] = {
        {"ACGTACGT", "ACGTACGT", "0 "},
        {"ACGT-ACGT", "ACGTTACGT", "4insT "},
        {"ACGT-ACGT", "ACGT-AC-T", "7delG "},
        {"ACGTACGT", "ATGTACGT", "2 "},          // C -> T: a transition
        {"ACGTACGT", "AAGTACGT", "2A "},         // C -> A: a transversion
        {"ANGTACGT", "AAGTACGT", ""},            // against N: a difference with no token
        {"ACGTACGT", "ANNNACGT", "2-4N "},       // a run of N, resumed after it
        {"ACGTACGT", "ANGRACGT", "2N 4R "},
        {"ACGTACGT", "-----CGT", "1missing5bp "},
        {"ACGTACGTACGTACGT", "ACGTAC----------", "7missing10bp "},
        {"ACGTACGT", "--GTAC--", "1missing2bp 7missing2bp "},
        {"ACGTAC--", "ACGTAC--", "0 "},          // trailing gaps over gaps: no missing data
        {"ACGTACGT", "--------", "1missing8bp "},
        {"AC--GTAC", "ACTTGTAC", "2insTT "},
        {"ACGTACGT", "A--TACGA", "2delCG 8A "},
        {"--ACGT", "TTACGT", "0insTT "},
    };
    for (const Case& c : cases) EXPECT_EQ(variant_line(c.reference, c.sequence), c.line) << c.sequence;
}

// Found by fuzzing: a digit in a sequence was written after its position,
// so 3 followed by "5" read back as a variant at 35.
TEST(PolymorphismCaller, DigitsInASequenceNeverBecomePositions) {
    EXPECT_EQ(variant_line("ACGTACGT", "AC5TACGT"), "");
    EXPECT_EQ(variant_line("ACGTACGT", "AC5TAC77"), "");
    EXPECT_EQ(variant_line("ACGTACGT", "AC5NACGA"), "4N 8A ");
    EXPECT_EQ(variant_line("-ACGT", "9ACGT"), "");
}

TEST(PolymorphismCaller, PositionsCountPastSixteenBits) {
    // 40,000 reference letters, one gap column: column 39,999 carries
    // position 39,999 and the transversion there must be numbered so.
    std::string reference(40000, 'A');
    reference[100] = '-';
    std::string sequence = reference;
    sequence[39999] = 'C';
    EXPECT_EQ(variant_line(reference, sequence), "39999C ");
    const std::vector<int32_t> numbering = reference_numbering(reference);
    EXPECT_EQ(numbering[100], 100);
    EXPECT_EQ(numbering.back(), 39999);
}

TEST(PolymorphismCaller, ListPassesOverSequencesOfAnotherLength) {
    Workspace ws;
    ws.aligned_sequences = {"ACGT", "ACGA", "ACG", "ACGT"};
    ws.aligned_names = {">ref", "a", "short", "same"};
    EXPECT_EQ(build_polymorphism_list(ws),
              ">ref\nNumbering Reference\n\n>a\n4A \n\n>same\n0 \n\n");
    EXPECT_EQ(build_polymorphism_list(Workspace{}), "");
}

TEST(PolymorphismCaller, ADifferenceIsFoundAtEveryOffsetOfALongEqualRun) {
    // Long stretches equal to the reference are skipped in blocks; a single
    // difference anywhere in such a block, or two next to each other, must
    // still give its token.
    std::string reference;
    for (int i = 0; i < 53; ++i) reference += "ACGT"[i % 4];
    auto transversion = [](char b) { return b == 'A' || b == 'G' ? 'C' : 'A'; };
    for (size_t i = 0; i < reference.size(); ++i) {
        std::string one = reference;
        one[i] = transversion(reference[i]);
        const std::string expected = std::to_string(i + 1) + one[i] + " ";
        EXPECT_EQ(variant_line(reference, one), expected) << i;
        if (i + 1 == reference.size()) continue;
        std::string two = one;
        two[i + 1] = transversion(reference[i + 1]);
        EXPECT_EQ(variant_line(reference, two), expected + std::to_string(i + 2) + two[i + 1] + " ") << i;
    }
    EXPECT_EQ(variant_line(reference, reference), "0 ");
}
