// GenBank records as real submissions write them: other gene names, product
// forms and control-region features, genes on both strands, other codes.
#include <gtest/gtest.h>

#include <string>

#include "input/genbank_names.h"
#include "input/genbank_reader.h"
#include "core/human_reference.h"
#include "core/mitogenome_fixture.h"
#include "core/reference_summary.h"
#include "core/temp_file.h"

using namespace corvella;
using corvella_test::LayoutEntry;
using corvella_test::moth_layout;
using corvella_test::moth_record;
using corvella_test::NamingStyle;

namespace {

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

}  // namespace

TEST(GenBankNames, ProteinGeneSynonymsOnTheWholeValueIgnoringCase) {
    struct Case {
        const char* gene;
        int row;
    };
    const Case cases[] = {{"ATP6", 0},   {"ATPase 6", 0}, {"atpase6", 0}, {"ATPase 8", 1}, {"COI", 2},
                          {"CO1", 2},    {"cox1", 2},     {"COII", 3},    {"coiii", 4},    {"cob", 5},
                          {"Cytb", 5},   {"NADH1", 6},    {"nad2", 7},    {"NADH3", 8},    {"NADH4L", 9},
                          {"NAD4L", 9},  {"nd4l", 9},     {"NADH4", 10},  {"NAD4", 10},    {"NAD5", 11},
                          {"NADH6", 12}, {"nd6", 12},     {"MT-ATP6", -1}, {"ATP6 ", -1},  {"COI-like", -1},
                          {"NADH", -1},  {"", -1},        {"ND7", -1}};
    for (const Case& c : cases) EXPECT_EQ(protein_gene_row(c.gene), c.row) << c.gene;
}

TEST(GenBankNames, TrnaProductsAndTheTwoLeucineAndSerineRows) {
    using Rows = std::vector<int>;
    EXPECT_EQ(trna_rows("tRNA-Phe", ""), Rows{0});
    EXPECT_EQ(trna_rows("TRNA-PRO", ""), Rows{21});
    EXPECT_EQ(trna_rows("F", ""), Rows{0});
    EXPECT_EQ(trna_rows("w", ""), Rows{6});
    EXPECT_EQ(trna_rows("P", ""), Rows{21});
    // Without a codon: file order, or L1/L2, S1/S2 by the human nomenclature.
    EXPECT_EQ(trna_rows("tRNA-Leu", ""), (Rows{2, 18}));
    EXPECT_EQ(trna_rows("L", ""), (Rows{2, 18}));
    EXPECT_EQ(trna_rows("L1", ""), (Rows{2, 18}));
    EXPECT_EQ(trna_rows("L2", ""), (Rows{18, 2}));
    EXPECT_EQ(trna_rows("S1", ""), (Rows{11, 17}));
    EXPECT_EQ(trna_rows("s2", ""), (Rows{17, 11}));
    // The codon read wins over the number, which records use both ways.
    EXPECT_EQ(trna_rows("L2", "UUR"), (Rows{2, 18}));
    EXPECT_EQ(trna_rows("L1", "CUN"), (Rows{18, 2}));
    EXPECT_EQ(trna_rows("tRNA-Ser", "AGN"), (Rows{17, 11}));
    EXPECT_EQ(trna_rows("S", "UCN"), (Rows{11, 17}));
    EXPECT_EQ(trna_rows("S", "tca"), (Rows{11, 17}));
    for (const char* no : {"tRNA-Xaa", "tRNA-Phe ", "B", "L3", "FF", "", "tRNA-", "Phe"})
        EXPECT_TRUE(trna_rows(no, "").empty()) << no;
}

TEST(GenBankNames, CodonsFromTheCodonAndAnticodonQualifiers) {
    EXPECT_EQ(codon_of_codon_recognized("UUR"), "UUR");
    EXPECT_EQ(codon_of_codon_recognized("tca"), "UCA");
    EXPECT_EQ(codon_of_codon_recognized("UU"), "");
    EXPECT_EQ(codon_of_anticodon("(pos:3265..3267,aa:Leu,seq:taa)"), "UUA");
    EXPECT_EQ(codon_of_anticodon("(pos:complement(7514..7516),aa:Ser,seq:tga)"), "UCA");
    EXPECT_EQ(codon_of_anticodon("(pos:12250..12252,aa:Ser,seq:gct)"), "AGC");
    EXPECT_EQ(codon_of_anticodon("(pos:1..3,aa:Leu,seq:tn)"), "");
    EXPECT_EQ(codon_of_anticodon("(pos:1..3,aa:Leu)"), "");
}

TEST(GenBankNames, RrnaProductsAndControlRegionNotes) {
    for (const char* small : {"s-rRNA", "12S ribosomal RNA", "12S rRNA", "12s", "rrnS", "RRNS",
                              "small subunit ribosomal RNA", "Small Subunit Ribosomal RNA"})
        EXPECT_EQ(rrna_row(small), 22) << small;
    for (const char* large : {"l-rRNA", "16S ribosomal RNA", "16S", "rrnL", "large subunit ribosomal RNA"})
        EXPECT_EQ(rrna_row(large), 23) << large;
    for (const char* no : {"rrn", "ribosomal RNA", "small subunit", "12", "s-rRNA partial", "12Sx"})
        EXPECT_EQ(rrna_row(no), -1) << no;
    for (const char* yes : {"control region", "A+T region; control region", "putative D-loop", "CONTROL REGION",
                            "d-loop"})
        EXPECT_TRUE(names_control_region(yes)) << yes;
    for (const char* no : {"A+T rich region", "control", "Dloop", "loop", "controlregion"})
        EXPECT_FALSE(names_control_region(no)) << no;
}

TEST(GenBankRecords, MothRecordsLoadWithEveryGeneTheirStrandsAndCode) {
    for (NamingStyle style : {NamingStyle::Embl, NamingStyle::Other}) {
        const corvella_test::FixtureRecord record = moth_record(style);
        const ReferenceReadResult r = parse_genbank_text(corvella_test::genbank_text(record));
        ASSERT_TRUE(r.ok) << r.message;
        EXPECT_EQ(r.accession, record.accession);
        EXPECT_EQ(r.sequence, record.sequence);
        int32_t at = 1;
        for (const LayoutEntry& e : moth_layout()) {
            const int32_t end = at + e.length - 1;
            SCOPED_TRACE(std::string(e.embl_name) + " / " + e.other_name);
            switch (e.kind) {
                case LayoutEntry::Protein:
                    EXPECT_EQ(r.region_table[static_cast<size_t>(protein_start_slot(e.row))], at);
                    EXPECT_EQ(r.region_table[static_cast<size_t>(protein_end_slot(e.row))], end);
                    EXPECT_EQ(r.protein_reading[static_cast<size_t>(e.row)].reverse, e.complement);
                    EXPECT_EQ(r.protein_reading[static_cast<size_t>(e.row)].genetic_code, 5);
                    break;
                case LayoutEntry::TRna:
                case LayoutEntry::RRna:
                    EXPECT_EQ(r.region_table[static_cast<size_t>(rna_start_slot(e.row))], at);
                    EXPECT_EQ(r.region_table[static_cast<size_t>(rna_end_slot(e.row))], end);
                    break;
                case LayoutEntry::Control:
                    EXPECT_EQ(r.region_table[DLOOP_START_SLOT], at);
                    EXPECT_EQ(r.region_table[DLOOP_END_SLOT], end);
                    break;
            }
            at = end + 3;
        }
    }
}

TEST(GenBankRecords, TheHumanRecordReadsTheBuiltInLayout) {
    const ReferenceReadResult r = parse_genbank_text(corvella_test::data_text("NC_012920.1.gb"));
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(r.protein_reading, built_in_protein_readings());
    Workspace ws;
    use_reference(ws, r);
    EXPECT_TRUE(ws.protein_reading[ND6_ROW].reverse);
    // Loading the built-in reference after a moth record puts the layout back.
    use_reference(ws, parse_genbank_text(corvella_test::genbank_text(moth_record(NamingStyle::Embl))));
    EXPECT_FALSE(ws.protein_reading[ND6_ROW].reverse);
    EXPECT_EQ(ws.protein_reading[0].genetic_code, 5);
    use_human_ref_data(ws);
    EXPECT_EQ(ws.protein_reading, built_in_protein_readings());
}

TEST(GenBankRecords, ACodeTheProgramDoesNotHoldIsRefusedByNumber) {
    for (const char* table : {"7", "27", "0", "abc", "5x"}) {
        const ReferenceReadResult r =
            parse_genbank_text(corvella_test::genbank_text(moth_record(NamingStyle::Embl, table)));
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.message, std::string("Genetic code ") + table + " (/transl_table of ATP6) is not supported.");
    }
    for (const char* held : {"1", "2", "4", "9", "33"}) {
        const ReferenceReadResult r =
            parse_genbank_text(corvella_test::genbank_text(moth_record(NamingStyle::Other, held)));
        ASSERT_TRUE(r.ok) << held << ": " << r.message;
        EXPECT_EQ(r.protein_reading[ND6_ROW].genetic_code, std::stoi(held));
    }
}

TEST(GenBankRecords, RecordsThatTrulyLackAPartAreStillRefused) {
    const std::string moth = corvella_test::genbank_text(moth_record(NamingStyle::Embl));
    struct Case {
        std::string text;
        const char* message;
    };
    const Case cases[] = {
        {replaced(moth, "/product=\"T\"", "/product=\"tRNA-Thx\""),
         "It was not possible to extract information about tRNA-Thr."},
        {replaced(replaced(moth, "/gene=\"NADH3\"", "/gene=\"NADH-3\""), "/gene=\"NADH3\"", "/gene=\"NADH-3\""),
         "It was not possible to extract information about ND3."},
        {replaced(moth, "/note=\"A+T region; control region\"", "/note=\"A+T region\""),
         "It was not possible to extract information about D-loop."},
        {replaced(moth, "/product=\"rrnL\"", "/product=\"rrn\""),
         "It was not possible to extract information about l-rRNA."},
        // A control-region note on another kind of feature names nothing.
        {replaced(moth, "misc_feature", "misc_RNA    "), "It was not possible to extract information about D-loop."},
    };
    for (const Case& c : cases) {
        const ReferenceReadResult r = parse_genbank_text(c.text);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.message, c.message);
    }
}

// A quoted value goes on over lines; what its lines say is not a feature.
TEST(GenBankRecords, LinesInsideAQuotedValueAreNoFeatures) {
    const std::string moth = corvella_test::genbank_text(moth_record(NamingStyle::Embl));
    const std::string text = replaced(moth, "                     /product=\"M\"\n",
                                      "                     /product=\"M\"\n"
                                      "                     /note=\"copied from\n"
                                      "     rRNA            1..5\n"
                                      "                     /product=\"\"rrnS\"\" of a relative\"\n");
    const ReferenceReadResult r = parse_genbank_text(text);
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_NE(r.region_table[static_cast<size_t>(rna_start_slot(RRNA_12S_ROW))], 1);
    EXPECT_EQ(r.region_table[static_cast<size_t>(rna_start_slot(5))], 1);  // tRNA-Met

    // A quote never closed ends at the sequence section.
    corvella_test::FixtureRecord open_quote = moth_record(NamingStyle::Embl);
    open_quote.features.push_back({"misc_feature", "5..9", {"/note=\"never closed", "on two lines"}});
    const ReferenceReadResult o = parse_genbank_text(corvella_test::genbank_text(open_quote));
    ASSERT_TRUE(o.ok) << o.message;
    EXPECT_EQ(o.sequence, open_quote.sequence);
}

TEST(ReferenceSummary, SaysAccessionLengthCodesAndStrands) {
    Workspace ws;
    use_human_ref_data(ws);
    EXPECT_EQ(reference_summary(ws),
              "AC_000021, 16569 bases; genetic code 2 (Vertebrate Mitochondrial); forward strand: ATP6 ATP8 COX1 "
              "COX2 COX3 CYTB ND1 ND2 ND3 ND4L ND4 ND5; reverse strand: ND6");
    const corvella_test::FixtureRecord moth = moth_record(NamingStyle::Embl);
    use_reference(ws, parse_genbank_text(corvella_test::genbank_text(moth)));
    EXPECT_EQ(reference_summary(ws), "NC_016067, " + std::to_string(moth.sequence.size()) +
                                         " bases; genetic code 5 (Invertebrate Mitochondrial); forward strand: ATP6 "
                                         "ATP8 COX1 COX2 COX3 CYTB ND2 ND3 ND6; reverse strand: ND1 ND4L ND4 ND5");
    // A record whose genes use two codes names the genes of each.
    std::string text = corvella_test::genbank_text(moth);
    const size_t nd6 = text.find("/gene=\"nd6\"\n                     /codon_start=1\n");
    ASSERT_NE(nd6, std::string::npos);
    text.replace(text.find("/transl_table=5", nd6), 15, "/transl_table=2");
    use_reference(ws, parse_genbank_text(text));
    EXPECT_NE(reference_summary(ws).find("; genetic codes 5 (Invertebrate Mitochondrial) for ATP6 ATP8 COX1 COX2 "
                                         "COX3 CYTB ND1 ND2 ND3 ND4L ND4 ND5, 2 (Vertebrate Mitochondrial) for ND6; "),
              std::string::npos)
        << reference_summary(ws);
}
