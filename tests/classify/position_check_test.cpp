#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classify/position_check.h"
#include "core/human_reference.h"

using namespace corvella;

namespace {

Workspace human() {
    Workspace ws;
    use_human_ref_data(ws);
    return ws;
}

using Lines = std::vector<std::string>;

}  // namespace

TEST(PositionCheck, RejectsEntriesInTheOrderOfTheChecks) {
    const Workspace ws = human();
    struct Case {
        const char* entry;
        const char* message;
    };
    const Case cases[] = {
        {"", "Insert a position number!"},
        {"12a", "Position number is not correct!"},
        {"-5", "Position number is not correct!"},
        {" 577", "Position number is not correct!"},
        {"0", "Position number is not correct!"},
        {"0000", "Position number is not correct!"},
        {"16570", "Position number too large!"},
        {"99999999999999999999", "Position number too large!"},  // no overflow into range
    };
    for (const Case& c : cases) {
        const PositionCheck check = check_and_setPosition(ws, c.entry);
        EXPECT_EQ(check.outcome, PositionOutcome::Rejected) << c.entry;
        EXPECT_EQ(check.message, c.message) << c.entry;
    }
}

TEST(PositionCheck, AcceptsTheLastPositionAndLeadingZeros) {
    const Workspace ws = human();
    const PositionCheck last = check_and_setPosition(ws, "16569");
    EXPECT_EQ(last.outcome, PositionOutcome::NonProtein);
    EXPECT_EQ(last.position, 16569);
    EXPECT_EQ(last.ref_base, 'G');
    EXPECT_EQ(last.locus, "D-loop");

    const PositionCheck padded = check_and_setPosition(ws, "00577");
    EXPECT_EQ(padded.position, 577);
    EXPECT_EQ(padded.locus, "tRNA-Phe(Acc-stem)");

    const PositionCheck protein = check_and_setPosition(ws, "8527");
    EXPECT_EQ(protein.outcome, PositionOutcome::Protein);
    EXPECT_EQ(protein.ref_base, 'A');
    EXPECT_TRUE(protein.locus.empty());
}

TEST(PositionCheck, NothingIsAPositionBeforeAReferenceIsLoaded) {
    const Workspace empty;
    EXPECT_EQ(check_and_setPosition(empty, "1").message, "Position number too large!");
    EXPECT_FALSE(is_protein(empty, 1));
    EXPECT_EQ(locus(empty, 1), "non-coding");
}

TEST(PositionCheck, LocusOfNonProteinPositionsOnTheHumanReference) {
    const Workspace ws = human();
    struct Case {
        int32_t position;
        const char* locus;
        char ref;
    };
    const Case cases[] = {
        {577, "tRNA-Phe(Acc-stem)", 'G'},
        {584, "tRNA-Phe(other positions)", 'T'},
        {14674, "tRNA-Glu(other positions)", 'T'},
        {1000, "s-rRNA", 'T'},
        {3107, "l-rRNA", 'N'},
        {16100, "D-loop", 'A'},
        {100, "D-loop", 'G'},
        {5580, "non-coding", 'T'},
        {4330, "tRNA-Ile(Acc-stem)", 'T'},  // also in tRNA-Gln: the first row wins
    };
    for (const Case& c : cases) {
        const PositionCheck check = check_and_setPosition(ws, std::to_string(c.position));
        EXPECT_EQ(check.outcome, PositionOutcome::NonProtein) << c.position;
        EXPECT_EQ(check.locus, c.locus) << c.position;
        EXPECT_EQ(check.ref_base, c.ref) << c.position;
    }
}

TEST(PositionCheck, ProteinRangesAreClosed) {
    const Workspace ws = human();
    EXPECT_TRUE(is_protein(ws, 3307));    // ND1 first
    EXPECT_TRUE(is_protein(ws, 4262));    // ND1 last
    EXPECT_FALSE(is_protein(ws, 4263));   // tRNA-Ile
    EXPECT_TRUE(is_protein(ws, 14673));   // ND6 last
    EXPECT_FALSE(is_protein(ws, 14674));
    EXPECT_TRUE(is_protein(ws, 9990));    // COX3 last
    EXPECT_FALSE(is_protein(ws, 9991));
}

TEST(PositionCheck, TrnaOfAnotherReferenceWithoutStructureFallsThrough) {
    // A made-up reference whose first tRNA sits where no cloverleaf slot of
    // the human table lies, inside a D-loop that is a plain range.
    Workspace ws;
    ws.ref_sequence = std::string(200, 'A');
    ws.region_table[rna_start_slot(0)] = 20;
    ws.region_table[rna_end_slot(0)] = 40;
    ws.region_table[DLOOP_START_SLOT] = 10;
    ws.region_table[DLOOP_END_SLOT] = 50;
    EXPECT_EQ(locus(ws, 30), "D-loop");
    EXPECT_EQ(locus(ws, 60), "non-coding");
}

TEST(PositionRunBlocks, CytbExampleGivesTheExactMemoText) {
    const PositionRun run = run_position_check(human(), "14766", 'T');
    ASSERT_TRUE(run.completed);
    EXPECT_TRUE(run.message.empty());
    EXPECT_EQ(memo_text(run.lines),
              "Locus: CYTB\n"
              "Amino acid position: 7\n"
              "Codon: ACU -> AUU\n"
              "Amino acid: T -> I (Non-Synonymous)\n"
              "Polarity/Acidity: Neutral Polar -> Neutral Apolar\n"
              "\n");
}

TEST(PositionRunBlocks, OverlappingGenesGiveOneBlockEachInTableOrder) {
    const PositionRun run = run_position_check(human(), "8527", 'G');
    ASSERT_TRUE(run.completed);
    EXPECT_EQ(run.lines, (Lines{"Locus: ATP6", "Amino acid position: 1", "Codon: AUG -> GUG",
                                "Amino acid: M -> V (Non-Synonymous)",
                                "Polarity/Acidity: Neutral Apolar -> Neutral Apolar", "",
                                "Locus: ATP8", "Amino acid position: 54", "Codon: AAA -> AAG",
                                "Amino acid: K -> K (Synonymous)",
                                "Polarity/Acidity: Basic Polar -> Basic Polar", ""}));
}

TEST(PositionRunBlocks, OtherStrandAndCutShortCodons) {
    const Workspace ws = human();
    const PositionRun nd6 = run_position_check(ws, "14673", 'C');
    ASSERT_GE(nd6.lines.size(), 3u);
    EXPECT_EQ(nd6.lines[0], "Locus: ND6");
    EXPECT_EQ(nd6.lines[1], "Amino acid position: 1");
    EXPECT_EQ(nd6.lines[2], "Codon: AUG -> GUG");

    const PositionRun cox3_end = run_position_check(ws, "9990", 'C');
    EXPECT_EQ(cox3_end.lines, (Lines{"Locus: COX3", "Amino acid position: 262",
                                     "Codon: U   -> CAC", "Amino acid: STOP -> H (Non-Synonymous)",
                                     "Polarity/Acidity: STOP -> Basic Polar", ""}));
}

TEST(PositionRunBlocks, IsSynonymousReportsTheVerdict) {
    const Workspace ws = human();
    Lines lines;
    EXPECT_FALSE(is_synonymous(ws, 0, 8527, 'G', lines));
    EXPECT_TRUE(is_synonymous(ws, 1, 8527, 'G', lines));
    EXPECT_EQ(lines.size(), 12u);
}

TEST(PositionRunBlocks, UntranslatableNeighbourEndsOnlyThatBlock) {
    Workspace ws = human();
    ws.ref_sequence[8528 - 1] = 'N';  // inside ATP6's first codon, outside ATP8's
    const PositionRun run = run_position_check(ws, "8527", 'G');
    ASSERT_TRUE(run.completed);
    EXPECT_EQ(run.lines, (Lines{"Locus: ATP6", "Amino acid position: 1", "Codon: ANG -> GNG",
                                "Codons with incorrect bases!", "Check the sequence.",
                                "Locus: ATP8", "Amino acid position: 54", "Codon: AAA -> AAG",
                                "Amino acid: K -> K (Synonymous)",
                                "Polarity/Acidity: Basic Polar -> Basic Polar", ""}));
    Lines block;
    EXPECT_FALSE(is_synonymous(ws, 0, 8527, 'G', block));
}

TEST(PositionRunMessages, BaseChecksComeAfterThePositionAndInOrder) {
    Workspace ws = human();
    struct Case {
        const char* entry;
        char new_base;
        const char* message;
    };
    const Case cases[] = {
        {"", 'G', "Insert a position number!"},
        {"14766", 'X', "Select the mutation base."},
        {"14766", 'g', "Select the mutation base."},
        {"14766", 'N', "Select the mutation base."},
        {"14766", 'C', "The new base must be different."},
    };
    for (const Case& c : cases) {
        const PositionRun run = run_position_check(ws, c.entry, c.new_base);
        EXPECT_EQ(run.message, c.message) << c.entry << " " << c.new_base;
        EXPECT_FALSE(run.completed);
        EXPECT_TRUE(run.lines.empty());
    }
    // A reference letter outside A, C, G, T is reported before the new base.
    ws.ref_sequence[14766 - 1] = 'N';
    EXPECT_EQ(run_position_check(ws, "14766", 'X').message,
              "The character in the reference is not valid!");
}

TEST(PositionRunMessages, NonProteinRunShowsOnlyTheLocus) {
    const PositionRun run = run_position_check(human(), "577", 'X');
    EXPECT_FALSE(run.completed);
    EXPECT_TRUE(run.message.empty());
    EXPECT_EQ(run.lines, (Lines{"tRNA-Phe(Acc-stem)"}));
}
