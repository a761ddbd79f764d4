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
    EXPECT_EQ(fields, 13u);
    EXPECT_NE(csq_header_line().find(std::string("Format: ") + CSQ_FORMAT + "\">"), std::string::npos);

    const auto entries = split(csq_value(ws, 9207, "A", {"T", "g"}), ',');
    ASSERT_EQ(entries.size(), 4u);
    const auto stop_lost = split(entries[0], '|');
    ASSERT_EQ(stop_lost.size(), fields);
    EXPECT_EQ(stop_lost, (std::vector<std::string>{"T", "stop_lost", "MT-ATP6", "Transcript",
                                                   "NC_012920.1:m.9207A>T", "MT-ATP6:c.681A>T",
                                                   "MT-ATP6:p.Ter227Tyrext*?", "227", "*/Y", "taA/taT", "protein",
                                                   "", ""}));
    // A lower-case allele keeps its spelling and is classified as upper case.
    const auto kept = split(entries[2], '|');
    EXPECT_EQ(kept[0], "g");
    EXPECT_EQ(kept[1], "stop_retained_variant");
    EXPECT_EQ(kept[6], "MT-ATP6:p.Ter227%3D");
    EXPECT_EQ(kept[8], "*");
    EXPECT_EQ(split(entries[3], '|')[2], "MT-CO3");
}

TEST(VcfConsequences, StructuresAndPlacesOutsideGenes) {
    const Workspace ws = testing::rna_workspace({});
    const auto trna = split(csq_value(ws, 4330, "T", {"A"}), ',');
    ASSERT_EQ(trna.size(), 2u);  // tRNA-Ile and tRNA-Gln share it
    const auto ile = split(trna[0], '|');
    EXPECT_EQ(ile[2], "MT-TI");
    EXPECT_EQ(ile[1], "non_coding_transcript_exon_variant");
    EXPECT_EQ(ile[10], "tRNA");
    EXPECT_EQ(ile[11].find(' '), std::string::npos);  // slot names hold no blank
    EXPECT_FALSE(ile[11].empty());
    const auto dloop = split(csq_value(ws, 16519, "T", {"C"}), '|');
    EXPECT_EQ(dloop[1], "intergenic_variant");
    EXPECT_EQ(dloop[2], "");  // no gene, no symbol
    EXPECT_EQ(dloop[10], "D-loop");
    EXPECT_EQ(dloop[3], "");
}

TEST(VcfConsequences, OtherAllelesClaimOnlyWhatIsKnown) {
    const Workspace ws = testing::rna_workspace({});
    // Symbolic alleles, the spanning deletion, a letter that is no base and
    // an allele equal to the reference give nothing.
    EXPECT_EQ(csq_value(ws, 8993, "T", {"<DEL>", "*", "<*>", "N", "T"}), "");
    EXPECT_EQ(csq_value(ws, 0, "N", {"A"}), "");
    EXPECT_EQ(csq_value(ws, 16569, "CA", {"C"}), "");  // REF past the reference's end
    // The N kept at 3107 is no base to change.
    EXPECT_EQ(csq_value(ws, 3107, "N", {"C"}), "");
    // A missense change keeps its notation next to a deletion allele.
    const auto both = split(csq_value(ws, 8993, "T", {"G", "TA"}), ',');
    ASSERT_EQ(both.size(), 2u);
    EXPECT_EQ(split(both[0], '|')[6], "MT-ATP6:p.Leu156Arg");
    EXPECT_EQ(split(both[1], '|')[1], "frameshift_variant");
    // An MNP is its substitutions, one entry each.
    const auto mnp = split(csq_value(ws, 8993, "TG", {"GA"}), ',');
    ASSERT_EQ(mnp.size(), 2u);
    EXPECT_EQ(split(mnp[0], '|')[4], "NC_012920.1:m.8993T>G");
    EXPECT_EQ(split(mnp[1], '|')[4], "NC_012920.1:m.8994G>A");
}

}  // namespace
}  // namespace corvella
