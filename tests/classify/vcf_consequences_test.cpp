#include "classify/vcf_consequences.h"

#include <gtest/gtest.h>

#include "rna_test_support.h"

namespace corvella {
namespace {

std::vector<std::string> split(const std::string& text, char by) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t at; (at = text.find(by, start)) != std::string::npos; start = at + 1)
        parts.push_back(text.substr(start, at - start));
    parts.push_back(text.substr(start));
    return parts;
}

TEST(VcfConsequences, OneEntryPerAlleleAndRegionInTheDeclaredLayout) {
    const Workspace ws = testing::rna_workspace({});
    const size_t fields = split(CSQ_FORMAT, '|').size();
    EXPECT_EQ(fields, 12u);
    EXPECT_NE(csq_header_line().find(std::string("Format: ") + CSQ_FORMAT + "\">"), std::string::npos);

    const auto entries = split(csq_value(ws, 9207, "A", {"T", "g"}), ',');
    ASSERT_EQ(entries.size(), 4u);
    const auto stop_lost = split(entries[0], '|');
    ASSERT_EQ(stop_lost.size(), fields);
    EXPECT_EQ(stop_lost, (std::vector<std::string>{"T", "stop_lost", "ATP6", "Transcript", "m.9207A>T",
                                                   "p.Ter227Tyrext*?", "227", "*/Y", "taA/taT", "protein", "",
                                                   ""}));
    // A lower-case allele keeps its spelling and is classified as upper case.
    const auto kept = split(entries[2], '|');
    EXPECT_EQ(kept[0], "g");
    EXPECT_EQ(kept[1], "stop_retained_variant");
    EXPECT_EQ(kept[5], "p.Ter227%3D");
    EXPECT_EQ(kept[7], "*");
    EXPECT_EQ(split(entries[3], '|')[2], "COX3");
}

TEST(VcfConsequences, StructuresAndPlacesOutsideGenes) {
    const Workspace ws = testing::rna_workspace({});
    const auto trna = split(csq_value(ws, 4330, "T", {"A"}), ',');
    ASSERT_EQ(trna.size(), 2u);  // tRNA-Ile and tRNA-Gln share it
    const auto ile = split(trna[0], '|');
    EXPECT_EQ(ile[2], "tRNA-Ile");
    EXPECT_EQ(ile[1], "non_coding_transcript_exon_variant");
    EXPECT_EQ(ile[9], "tRNA");
    EXPECT_EQ(ile[10].find(' '), std::string::npos);  // slot names hold no blank
    EXPECT_FALSE(ile[10].empty());
    const auto dloop = split(csq_value(ws, 16519, "T", {"C"}), '|');
    EXPECT_EQ(dloop[1], "intergenic_variant");
    EXPECT_EQ(dloop[2], "D-loop");
    EXPECT_EQ(dloop[3], "");
}

TEST(VcfConsequences, OtherAllelesClaimOnlyWhatIsKnown) {
    const Workspace ws = testing::rna_workspace({});
    // Symbolic alleles and the spanning deletion give nothing.
    EXPECT_EQ(csq_value(ws, 8993, "T", {"<DEL>", "*", "<*>"}), "");
    EXPECT_EQ(csq_value(ws, 0, "N", {"A"}), "");
    // A deletion in ATP6: the place, no codon or protein change.
    const auto deletion = split(csq_value(ws, 8993, "TG", {"T"}), '|');
    EXPECT_EQ(deletion[1], "coding_sequence_variant");
    EXPECT_EQ(deletion[2], "ATP6");
    EXPECT_EQ(deletion[4] + deletion[5] + deletion[6] + deletion[7] + deletion[8], "");
    const auto insertion = split(csq_value(ws, 3243, "A", {"AT"}), '|');
    EXPECT_EQ(insertion[1], "non_coding_transcript_exon_variant");
    // A missense change keeps its notation next to a deletion allele.
    const auto both = split(csq_value(ws, 8993, "T", {"G", "TA"}), ',');
    ASSERT_EQ(both.size(), 2u);
    EXPECT_EQ(split(both[0], '|')[5], "p.Leu156Arg");
    EXPECT_EQ(split(both[1], '|')[1], "coding_sequence_variant");
}

}  // namespace
}  // namespace corvella
