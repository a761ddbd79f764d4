// Codon changes on references that are not laid out like the human one:
// genes on both strands and NCBI's other genetic codes, checked against a
// translation written here from the record, with code tables of its own.
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

#include "classify/genetic_code.h"
#include "classify/position_check.h"
#include "classify/protein_counting.h"
#include "classify/protein_reports.h"
#include "input/genbank_reader.h"
#include "core/human_reference.h"
#include "core/mitogenome_fixture.h"

using namespace corvella;
using corvella_test::LayoutEntry;
using corvella_test::moth_layout;
using corvella_test::moth_record;
using corvella_test::NamingStyle;

namespace {

// The standard code by amino acid, and each code's departures from it as
// NCBI's list of genetic codes gives them.
constexpr const char* STANDARD_BY_AMINO_ACID =
    "F:TTT,TTC L:TTA,TTG,CTT,CTC,CTA,CTG I:ATT,ATC,ATA M:ATG V:GTT,GTC,GTA,GTG S:TCT,TCC,TCA,TCG,AGT,AGC "
    "P:CCT,CCC,CCA,CCG T:ACT,ACC,ACA,ACG A:GCT,GCC,GCA,GCG Y:TAT,TAC *:TAA,TAG,TGA H:CAT,CAC Q:CAA,CAG "
    "N:AAT,AAC K:AAA,AAG D:GAT,GAC E:GAA,GAG C:TGT,TGC W:TGG R:CGT,CGC,CGA,CGG,AGA,AGG G:GGT,GGC,GGA,GGG";

const std::map<int, const char*> DEPARTURES = {
    {1, ""},
    {2, "AGA:* AGG:* ATA:M TGA:W"},
    {3, "ATA:M CTT:T CTC:T CTA:T CTG:T TGA:W"},
    {4, "TGA:W"},
    {5, "AGA:S AGG:S ATA:M TGA:W"},
    {9, "AAA:N AGA:S AGG:S TGA:W"},
    {13, "AGA:G AGG:G ATA:M TGA:W"},
    {14, "AAA:N AGA:S AGG:S TAA:Y TGA:W"},
    {16, "TAG:L"},
    {21, "TGA:W ATA:M AGA:S AGG:S AAA:N"},
    {22, "TCA:* TAG:L"},
    {23, "TTA:*"},
    {24, "AGA:S AGG:K TGA:W"},
    {33, "TAA:Y TGA:W AGA:S AGG:K"},
};

std::map<std::string, std::string> code_of(int table) {
    std::map<std::string, std::string> code;
    std::istringstream groups(STANDARD_BY_AMINO_ACID);
    std::string group;
    while (groups >> group) {
        const std::string aa = group.substr(0, 1) == "*" ? "STOP" : group.substr(0, 1);
        for (size_t at = 2; at < group.size(); at += 4) code[group.substr(at, 3)] = aa;
    }
    std::istringstream changes(DEPARTURES.at(table));
    std::string change;
    while (changes >> change) code[change.substr(0, 3)] = change[4] == '*' ? "STOP" : change.substr(4, 1);
    return code;
}

char complement(char c) {
    switch (c) {
        case 'A': return 'T';
        case 'C': return 'G';
        case 'G': return 'C';
        case 'T': return 'A';
        default: return c;
    }
}

Workspace loaded(const corvella_test::FixtureRecord& record) {
    const ReferenceReadResult r = parse_genbank_text(corvella_test::genbank_text(record));
    EXPECT_TRUE(r.ok) << r.message;
    Workspace ws;
    use_reference(ws, r);
    return ws;
}

// The protein genes of the moth layout: row, start, end, strand.
struct PlacedGene {
    int row;
    int32_t start, end;
    bool reverse;
};

std::vector<PlacedGene> moth_genes() {
    std::vector<PlacedGene> genes;
    int32_t at = 1;
    for (const LayoutEntry& e : moth_layout()) {
        if (e.kind == LayoutEntry::Protein) genes.push_back({e.row, at, at + e.length - 1, e.complement});
        at += e.length + 2;
    }
    return genes;
}

}  // namespace

TEST(GeneticCodes, EveryHeldMitochondrialCodeTranslatesEveryCodonAsNcbiGivesIt) {
    const std::string bases = "TCAG";
    for (const auto& [table, departures] : DEPARTURES) {
        ASSERT_NE(find_genetic_code(table), nullptr) << table;
        const std::map<std::string, std::string> code = code_of(table);
        ASSERT_EQ(code.size(), 64u);
        for (const auto& [codon, aa] : code) EXPECT_EQ(geneticCode(codon, table), aa) << table << " " << codon;
        // The blank rule and the "X" of an untranslatable codon hold in every code.
        EXPECT_EQ(geneticCode("TA ", table), "STOP");
        EXPECT_EQ(geneticCode("TNA", table), "X");
    }
    EXPECT_EQ(geneticCode("AGA"), "STOP");  // the vertebrate code without a number
    for (int not_held : {0, 7, 8, 17, 27, 28, 31, 34}) {
        EXPECT_EQ(find_genetic_code(not_held), nullptr) << not_held;
        EXPECT_EQ(geneticCode("ATG", not_held), "X");
    }
}

TEST(GenBankCodonChange, EveryChangeOfEveryMothGeneMatchesTheRecordsOwnTranslation) {
    const std::map<std::string, std::string> code = code_of(5);
    for (NamingStyle style : {NamingStyle::Embl, NamingStyle::Other}) {
        const Workspace ws = loaded(moth_record(style));
        int compared = 0;
        for (const PlacedGene& g : moth_genes()) {
            // The gene as its CDS reads: the complement strand backwards.
            std::string cds;
            std::vector<int32_t> where;
            if (g.reverse) {
                for (int32_t q = g.end; q >= g.start; --q) { cds += complement(ws.reference_letter(q)); where.push_back(q); }
            } else {
                for (int32_t q = g.start; q <= g.end; ++q) { cds += ws.reference_letter(q); where.push_back(q); }
            }
            for (size_t i = 0; i < cds.size(); ++i) {
                const int32_t p = where[i];
                const size_t first = i - i % 3;
                for (char n : {'A', 'C', 'G', 'T'}) {
                    if (n == ws.reference_letter(p)) continue;
                    const CodonChange c = build_codon_change(ws, g.row, p, n);
                    SCOPED_TRACE(std::string(PROTEIN_GENE_NAMES[static_cast<size_t>(g.row)]) + " " +
                                 std::to_string(p) + n);
                    ASSERT_EQ(c.codon_position, static_cast<int>(i % 3) + 1);
                    ASSERT_EQ(c.amino_acid_position, static_cast<int>(i / 3) + 1);
                    if (first + 3 > cds.size()) {
                        // COIII ends in a lone T, completed to TAA only in the
                        // transcript: the reference codon reads as STOP.
                        ASSERT_FALSE(g.reverse);
                        EXPECT_EQ(c.ref_codon, std::string(1, cds[first]) + "  ");
                        EXPECT_EQ(c.ref_amino_acid, "STOP");
                        continue;
                    }
                    std::string ref = cds.substr(first, 3), alt = ref;
                    alt[i % 3] = g.reverse ? complement(n) : n;
                    ASSERT_EQ(c.ref_codon, ref);
                    ASSERT_EQ(c.new_codon, alt);
                    ASSERT_EQ(c.ref_amino_acid, code.at(ref));
                    ASSERT_EQ(c.new_amino_acid, code.at(alt));
                    ASSERT_EQ(c.synonymous, code.at(ref) == code.at(alt));
                    ++compared;
                }
            }
        }
        EXPECT_EQ(compared, 3 * (48 + 60 + 45 + 33 + 51 + 45 + 36 + 63 + 57 + 30 + 39 + 54 + 42));
    }
}

// The faults a moth record used to show: the start codon of a reverse-strand
// ND1 read forwards, and AGA, serine under table 5, printed as STOP.
TEST(GenBankCodonChange, TheWindowCountsAndReportsReadTheRecordsStrandAndCode) {
    corvella_test::FixtureRecord record = moth_record(NamingStyle::Embl);
    PlacedGene nd1{}, cox1{};
    for (const PlacedGene& g : moth_genes()) {
        if (g.row == 6) nd1 = g;
        if (g.row == 2) cox1 = g;
    }
    ASSERT_TRUE(nd1.reverse);
    // ND1 starts with ATG: CAT at its upper end on the plus strand. COX1's
    // second codon is AGA.
    record.sequence.replace(static_cast<size_t>(nd1.end - 3), 3, "CAT");
    record.sequence.replace(static_cast<size_t>(cox1.start + 2), 3, "AGA");
    Workspace ws = loaded(record);

    const PositionRun start = run_position_check(ws, std::to_string(nd1.end), 'C');
    EXPECT_EQ(memo_text(start.lines), "Locus: ND1\nAmino acid position: 1\nCodon: AUG -> GUG\n"
                                      "Amino acid: M -> V (Non-Synonymous)\n"
                                      "Polarity/Acidity: Neutral Apolar -> Neutral Apolar\n\n");
    const int32_t aga = cox1.start + 3;  // the A of AGA
    const PositionRun serine = run_position_check(ws, std::to_string(aga + 2), 'G');
    EXPECT_EQ(memo_text(serine.lines), "Locus: COX1\nAmino acid position: 2\nCodon: AGA -> AGG\n"
                                       "Amino acid: S -> S (Synonymous)\n"
                                       "Polarity/Acidity: Neutral Polar -> Neutral Polar\n\n");

    ws.variant_tally = {{{nd1.end, 'C'}, 2}, {{aga + 2, 'G'}, 1}};
    const ProteinCounts counts = count_protein_variants(ws, ws.variant_tally);
    EXPECT_EQ(counts.non_synonymous[6], 1);
    EXPECT_EQ(counts.synonymous[2], 1);
    EXPECT_TRUE(check_overlap_positions(ws, ws.variant_tally).stop_variants.empty());
    const std::string per_position = protein_per_position_report(ws, ReportFormat::Text, nullptr).text;
    EXPECT_NE(per_position.find("\tCOX1\tSyn\tAGA\tAGG\t3\tS\tS\t2\tNeutral Polar\tNeutral Polar\t1\n"),
              std::string::npos)
        << per_position;
    EXPECT_NE(per_position.find("\tND1\tNon-Syn\tAUG\tGUG\t1\tM\tV\t1\tNeutral Apolar\tNeutral Apolar\t2\n"),
              std::string::npos)
        << per_position;
}

// Every protein report over every change of every protein position: the
// human GenBank record gives the bytes of the built-in reference.
TEST(GenBankCodonChange, TheHumanRecordGivesTheBuiltInReportsByteForByte) {
    Workspace built_in;
    use_human_ref_data(built_in);
    Workspace record;
    const ReferenceReadResult r = extract_info_from_reference(std::string(CORVELLA_TEST_DATA) + "/NC_012920.1.gb");
    ASSERT_TRUE(r.ok) << r.message;
    use_reference(record, r);
    VariantTally tally;
    for (int g = 0; g < PROTEIN_GENE_COUNT; ++g)
        for (int32_t p = built_in.protein_start(g); p <= built_in.protein_end(g); ++p)
            for (char n : {'A', 'C', 'G', 'T'}) tally[{p, n}] = 1 + p % 3;
    built_in.variant_tally = tally;
    record.variant_tally = tally;
    for (ReportFormat format : {ReportFormat::Text, ReportFormat::Workbook}) {
        const Report a = protein_per_position_report(built_in, format, nullptr);
        const Report b = protein_per_position_report(record, format, nullptr);
        EXPECT_EQ(a.text, b.text);
        ASSERT_EQ(a.cells.size(), b.cells.size());
        for (size_t i = 0; i < a.cells.size(); ++i) ASSERT_EQ(a.cells[i].text, b.cells[i].text) << i;
    }
    const ProteinCounts counts = count_protein_variants(built_in, tally);
    EXPECT_EQ(protein_summary_report(built_in, counts, ReportFormat::Text).text,
              protein_summary_report(record, count_protein_variants(record, tally), ReportFormat::Text).text);
    for (int32_t p : {3307, 4262, 8527, 9207, 9990, 10760, 14149, 14673})
        EXPECT_EQ(memo_text(run_position_check(built_in, std::to_string(p), 'A').lines),
                  memo_text(run_position_check(record, std::to_string(p), 'A').lines));
}
