#include "classify/hgvs_edit.h"

#include <gtest/gtest.h>

#include "classify/variant_annotation.h"
#include "rna_test_support.h"

namespace corvella {
namespace {

// Edits on short sequences, as a VCF would give them (with their anchor
// letters), and the HGVS each is written as, numbered from 1.
TEST(HgvsNucleotide, EditsAreTrimmedMoved3PrimeAndNamed) {
    const struct {
        const char* sequence;
        size_t start, length;
        const char* inserted;
        const char* expected;
    } cases[] = {
        {"ACGT", 1, 1, "T", "2C>T"},
        {"AACCCCGT", 1, 1, "AC", "6dup"},          // C inserted in the C run: the last C is duplicated
        {"AACCCCGT", 4, 2, "C", "6del"},           // a C of the run deleted: the last one
        {"ACACACAG", 0, 3, "A", "6_7del"},         // one AC of the repeat: the 3'-most
        {"ACACACAG", 0, 1, "ACA", "6_7dup"},       // one more CA in the repeat
        {"AAATTT", 2, 1, "AG", "3_4insG"},         // neither neighbour repeats it
        {"AAATTT", 5, 1, "TT", "6dup"},            // at the sequence's end
        {"ACGTACGT", 2, 3, "GG", "4_5delinsG"},    // the shared first G trimmed
        {"ACGTACGT", 2, 2, "TTTT", "3delinsTTT"},  // the shared last T trimmed
        {"CCCC", 0, 1, "CC", "4dup"},
        {"CCCC", 3, 1, "", "4del"},
    };
    for (const auto& c : cases) {
        const SequenceEdit e = trim_edit(c.sequence, {c.start, c.length, c.inserted});
        EXPECT_EQ(hgvs_nucleotide(c.sequence, e, 1), c.expected) << c.sequence << " " << c.start;
    }
    // Numbering from another first number (a gene's own c. numbering).
    EXPECT_EQ(hgvs_nucleotide("GATTACA", {2, 1, ""}, 100), "103del");
    // An edit the trim leaves empty is no change at all.
    const SequenceEdit same = trim_edit("ACGT", {1, 2, "CG"});
    EXPECT_EQ(same.length, 0u);
    EXPECT_TRUE(same.inserted.empty());
}

std::vector<std::string> aas(std::initializer_list<const char*> names) { return {names.begin(), names.end()}; }

TEST(HgvsProtein, InFrameChangesAndFrameshifts) {
    const auto ref = aas({"Met", "Ser", "Ser", "Gly", "Ala", "Leu", "Lys", "Ter"});
    const struct {
        std::vector<std::string> alt;
        bool frameshift;
        const char* expected;
    } cases[] = {
        {aas({"Met", "Ser", "Ser", "Gly", "Ala", "Leu", "Lys", "Ter"}), false, "p.="},
        {aas({"Met", "Ser", "Ser", "Ala", "Leu", "Lys", "Ter"}), false, "p.Gly4del"},
        {aas({"Met", "Ser", "Ser", "Lys", "Ter"}), false, "p.Gly4_Leu6del"},
        {aas({"Met", "Ser", "Gly", "Ala", "Leu", "Lys", "Ter"}), false, "p.Ser3del"},  // the 3'-most Ser
        {aas({"Met", "Ser", "Ser", "Ser", "Gly", "Ala", "Leu", "Lys", "Ter"}), false, "p.Ser3dup"},
        {aas({"Met", "Ser", "Ser", "Gly", "Trp", "Ala", "Leu", "Lys", "Ter"}), false, "p.Gly4_Ala5insTrp"},
        {aas({"Met", "Ser", "Ser", "Gly", "Ala", "Gly", "Ala", "Leu", "Lys", "Ter"}), false, "p.Gly4_Ala5dup"},
        {aas({"Met", "Ser", "Ser", "Trp", "Val", "Leu", "Lys", "Ter"}), false, "p.Gly4_Ala5delinsTrpVal"},
        {aas({"Met", "Ser", "Ser", "Gly", "Ter"}), false, "p.Ala5Ter"},
        {aas({"Val", "Ser", "Ser", "Gly", "Ala", "Leu", "Lys", "Ter"}), false, "p.Met1?"},
        {aas({"Met", "Ser", "Ser", "Arg", "Pro", "Ter"}), true, "p.Gly4ArgfsTer3"},
        {aas({"Met", "Ser", "Ser", "Arg", "Pro", "Lys"}), true, "p.Gly4ArgfsTer?"},  // the new reading meets no stop
        {aas({"Met", "Ser", "Ser", "Ter"}), true, "p.Gly4Ter"},
        {aas({"Met", "Ser", "Ser", "Gly", "Ala", "Leu", "Lys", "Gln", "Arg", "Ter"}), true, "p.Ter8Glnext*2"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(hgvs_protein_change(ref, c.alt, c.frameshift), c.expected) << c.expected;
    EXPECT_EQ(translate_codons("ATGAGATTT", VERTEBRATE_MITOCHONDRIAL_CODE), aas({"Met", "Ter"}));
    EXPECT_EQ(translate_codons("ATAAGCTT", VERTEBRATE_MITOCHONDRIAL_CODE), aas({"Met", "Ser"}));
}

// A reverse-strand gene whose length is not a multiple of three, as a
// GenBank record may give: its last codon, at the gene's lowest positions,
// is completed by the poly(A) tail on the gene's own strand.
TEST(ProteinChange, ReverseGeneEndingInAnIncompleteCodon) {
    Workspace ws = testing::rna_workspace({});
    ws.region_table[protein_start_slot(ND6_ROW)] = 14150;  // 524 letters: ends in two
    const char last = ws.reference_letter(14150), before = ws.reference_letter(14151);
    auto pair = [](char c) { return c == 'A' ? 'T' : c == 'C' ? 'G' : c == 'G' ? 'C' : 'A'; };
    const ProteinChange change = protein_change(ws, ND6_ROW, 14150, last == 'A' ? 'C' : 'A');
    EXPECT_EQ(change.codon.amino_acid_position, 175);
    EXPECT_EQ(change.codon.codon_position, 2);
    const std::string expected = {pair(before), pair(last), 'A'};
    EXPECT_EQ(change.codon.ref_codon, expected);
    EXPECT_EQ(change.coding_position, 524);
    EXPECT_EQ(coding_sequence(ws, ND6_ROW).size(), 525u);
    EXPECT_EQ(coding_sequence(ws, ND6_ROW).back(), 'A');
}

}  // namespace
}  // namespace corvella
