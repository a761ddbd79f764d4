#include "classify/variant_table.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "classify/variant_annotation.h"
#include "input/polymorphism_list.h"
#include "input/sample_groups.h"
#include "rna_test_support.h"

namespace corvella {
namespace {

using testing::cell_at;
using testing::rna_workspace;

using testing::split_table;

// Column by header name.
std::string field(const std::vector<std::string>& row, const std::string& column) {
    const auto& header = variant_table_header();
    for (size_t c = 0; c < header.size(); ++c)
        if (header[c] == column) return c < row.size() ? row[c] : "<short>";
    return "<no column " + column + ">";
}

// Well-known clinical variants, in the notation journals use for them.
TEST(VariantAnnotation, KnownPathogenicVariantsReadAsPublished) {
    const Workspace ws = rna_workspace({});
    const auto narp = annotate_variant(ws, 8993, 'G');
    ASSERT_EQ(narp.size(), 1u);
    EXPECT_EQ(narp[0].region_name, "ATP6");
    EXPECT_EQ(narp[0].hgvs_protein, "p.Leu156Arg");
    EXPECT_EQ(narp[0].consequence, "missense_variant");

    // ND6 is read on the other strand: T>C on the reference is A>G on the gene.
    const auto lhon_nd6 = annotate_variant(ws, 14484, 'C');
    ASSERT_EQ(lhon_nd6.size(), 1u);
    EXPECT_EQ(lhon_nd6[0].hgvs_protein, "p.Met64Val");
    EXPECT_EQ(lhon_nd6[0].ref_codon, "AUG");
    EXPECT_EQ(lhon_nd6[0].alt_codon, "GUG");
    EXPECT_EQ(lhon_nd6[0].codon_position, "1");

    EXPECT_EQ(annotate_variant(ws, 11778, 'A')[0].hgvs_protein, "p.Arg340His");
    EXPECT_EQ(annotate_variant(ws, 3460, 'A')[0].hgvs_protein, "p.Ala52Thr");
    EXPECT_EQ(hgvs_genomic(ws, 8527, 'G'), "m.8527A>G");

    const auto melas = annotate_variant(ws, 3243, 'G');
    ASSERT_EQ(melas.size(), 1u);
    EXPECT_EQ(melas[0].region_name, "tRNA-Leu(UUR)");
    EXPECT_EQ(region_type_name(melas[0].region.type), std::string("tRNA"));
    EXPECT_EQ(melas[0].consequence, "non_coding_transcript_exon_variant");
    EXPECT_EQ(melas[0].trna_structure, "D-loop");
    EXPECT_TRUE(melas[0].hgvs_protein.empty());
    EXPECT_TRUE(melas[0].ref_codon.empty());

    const auto deafness = annotate_variant(ws, 1555, 'G');
    ASSERT_EQ(deafness.size(), 1u);
    EXPECT_EQ(deafness[0].region_name, "s-rRNA");
    EXPECT_EQ(region_type_name(deafness[0].region.type), std::string("rRNA"));
    EXPECT_FALSE(deafness[0].rrna_structure.empty());
}

TEST(VariantAnnotation, StopCodonsAndOverlapsInTableOrder) {
    const Workspace ws = rna_workspace({});
    // The last codon of ATP6 (TAA at 9205..9207) lies under the start of COX3.
    const auto lost = annotate_variant(ws, 9205, 'C');
    ASSERT_EQ(lost.size(), 1u);
    EXPECT_EQ(lost[0].hgvs_protein, "p.Ter227Glnext*?");
    EXPECT_EQ(lost[0].consequence, "stop_lost");
    // TGA is Trp in the mitochondrial code: the stop is lost too.
    const auto tryptophan = annotate_variant(ws, 9206, 'G');
    EXPECT_EQ(tryptophan[0].hgvs_protein, "p.Ter227Trpext*?");
    const auto kept = annotate_variant(ws, 9207, 'G');  // TAA -> TAG: still a stop
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(kept[0].region_name, "ATP6");
    EXPECT_EQ(kept[0].consequence, "stop_retained_variant");
    EXPECT_EQ(kept[0].hgvs_protein, "p.Ter227=");
    EXPECT_EQ(kept[1].region_name, "COX3");
    // COX3's initiation codon ATG -> GTG: still a start in the mitochondrial code.
    EXPECT_EQ(kept[1].hgvs_protein, "p.Met1=");
    EXPECT_EQ(kept[1].consequence, "start_retained_variant");
}

TEST(VariantAnnotation, ProteinNotationFromTheCodonChange) {
    CodonChange c;
    c.amino_acid_position = 8;
    c.ref_amino_acid = "T";
    c.new_amino_acid = "T";
    c.synonymous = true;
    EXPECT_EQ(hgvs_protein(c), "p.Thr8=");
    EXPECT_EQ(consequence_term(codon_consequence(c)), std::string("synonymous_variant"));
    c.new_amino_acid = "A";
    c.synonymous = false;
    EXPECT_EQ(hgvs_protein(c), "p.Thr8Ala");
    c.amino_acid_position = 20;
    c.ref_amino_acid = "W";
    c.new_amino_acid = "STOP";
    EXPECT_EQ(hgvs_protein(c), "p.Trp20Ter");
    EXPECT_EQ(consequence_term(codon_consequence(c)), std::string("stop_gained"));
    // A codon not in the table is never called anything but unknown, on
    // either side and also when both sides agree.
    c.new_amino_acid = "X";
    EXPECT_EQ(hgvs_protein(c), "p.?");
    c.ref_amino_acid = "X";
    c.synonymous = true;
    EXPECT_EQ(hgvs_protein(c), "p.?");
    EXPECT_EQ(consequence_term(codon_consequence(c)), std::string("incomplete_terminal_codon_variant"));
    EXPECT_EQ(three_letter_amino_acid("STOP"), "Ter");
    EXPECT_EQ(three_letter_amino_acid("Y"), "Tyr");
}

TEST(VariantAnnotation, RegionsOutsideGenes) {
    Workspace ws = rna_workspace({});
    const auto dloop = annotate_variant(ws, 16519, 'C');
    ASSERT_EQ(dloop.size(), 1u);
    EXPECT_EQ(dloop[0].region_name, "D-loop");
    EXPECT_EQ(dloop[0].consequence, "intergenic_variant");
    // The first position that lies in no region at all.
    int32_t gap = 0;
    for (int32_t p = 1; p <= ws.reference_length() && gap == 0; ++p)
        if (variant_regions(ws, p).front().type == RegionType::NonCoding) gap = p;
    ASSERT_GT(gap, 0);
    const auto none = annotate_variant(ws, gap, 'A');
    ASSERT_EQ(none.size(), 1u);
    EXPECT_EQ(none[0].region_name, "Non-coding");
    EXPECT_EQ(region_type_name(none[0].region.type), std::string("non-coding"));
    EXPECT_EQ(none[0].consequence, "intergenic_variant");
    // Positions a network reading brings past the reference are non-coding.
    EXPECT_EQ(variant_regions(ws, 20000).front().type, RegionType::NonCoding);
    // tRNA-Ile and tRNA-Gln share 4329..4331: two rows, lower row first.
    const auto shared = annotate_variant(ws, 4330, 'A');
    ASSERT_EQ(shared.size(), 2u);
    EXPECT_EQ(shared[0].region_name, "tRNA-Ile");
    EXPECT_EQ(shared[1].region_name, "tRNA-Gln");
    // The structures belong to the built-in reference only.
    ws.human_reference = false;
    EXPECT_TRUE(annotate_variant(ws, 3243, 'G')[0].trna_structure.empty());
    EXPECT_TRUE(annotate_variant(ws, 1555, 'G')[0].rrna_structure.empty());
}

TEST(VariantTable, CarriersCountEachSampleOnceAtItsHighestLevel) {
    Workspace ws = rna_workspace({{">A", {{3243, 'G'}, {3243, 'G'}, {16519, 'C'}}},
                                  {">B", {{3243, 'G'}}},
                                  {">C", {{16519, 'C'}}},
                                  {">D", {}}});
    // A's first 3243 call is low, its second high: A is homoplasmic once.
    ws.sample_levels = {0.30f, 0.97f, 0.50f, 0.949f, 1.0f};
    const auto carriers = count_variant_carriers(ws);
    ASSERT_EQ(carriers.size(), 2u);  // 3243G, 16519C
    EXPECT_EQ(carriers[0].samples, 2);
    EXPECT_EQ(carriers[0].homoplasmic, 1);
    EXPECT_EQ(carriers[0].heteroplasmic, 1);
    EXPECT_FLOAT_EQ(carriers[0].max_level, 0.97f);
    EXPECT_EQ(carriers[1].samples, 2);
    EXPECT_EQ(carriers[1].homoplasmic, 1);
    EXPECT_EQ(carriers[1].heteroplasmic, 1);

    const auto rows = split_table(variant_table_report(ws, ReportFormat::Text, nullptr).text);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], variant_table_header());
    EXPECT_EQ(field(rows[1], "Variant"), "3243");
    EXPECT_EQ(field(rows[1], "Occurrences"), "3");
    EXPECT_EQ(field(rows[1], "Samples"), "2");
    EXPECT_EQ(field(rows[1], "Frequency"), "0.500000");
    EXPECT_EQ(field(rows[1], "Max level"), "0.970");
    EXPECT_EQ(field(rows[2], "Max level"), "1.000");
    EXPECT_EQ(field(rows[2], "HGVS"), "m.16519T>C");
    EXPECT_EQ(field(rows[2], "rRNA structure"), "");

    // Without levels (a list) every call is homoplasmic at 1; a level list
    // that does not match the items is not trusted either.
    ws.sample_levels = {0.1f};
    const auto plain = count_variant_carriers(ws);
    EXPECT_EQ(plain[0].homoplasmic, 2);
    EXPECT_EQ(plain[0].heteroplasmic, 0);
    EXPECT_FLOAT_EQ(plain[0].max_level, 1.0f);
}

TEST(VariantTable, WorkbookHoldsTheTextTableCellForCell) {
    const Workspace ws = testing::golden_workspace();
    testing::RecordingProgress progress;
    const Report book = variant_table_report(ws, ReportFormat::Workbook, &progress);
    const auto rows = split_table(variant_table_report(ws, ReportFormat::Text, nullptr).text);
    size_t cells = 0;
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t c = 0; c < rows[r].size(); ++c) {
            if (rows[r][c].empty()) continue;
            ++cells;
            EXPECT_EQ(cell_at(book.cells, static_cast<int32_t>(r + 1), static_cast<int32_t>(c + 1)), rows[r][c]);
        }
    size_t nonempty = 0;
    for (const Cell& c : book.cells) nonempty += !c.text.empty();
    EXPECT_EQ(nonempty, cells);
    ASSERT_EQ(progress.events.size(), ws.variant_tally.size() + 2);
    EXPECT_EQ(progress.events.front(), "start " + std::to_string(ws.variant_tally.size()));
    EXPECT_EQ(progress.events.back(), "finish");
}

// Every insertion and deletion the samples carry gets its rows: one change
// however its files spell it, written where HGVS puts it, among the
// substitutions in position order, its carriers counted once per sample at
// the highest level.
TEST(VariantTable, EveryIndelGetsItsRowsWhereverItIsSpelled) {
    Workspace ws = rna_workspace({}, false);
    ListReadResult read = parse_polymorphism_list(
        ">A\n9537insC 523delAC 16519 309.1C\n"
        ">B\n9536_9537insC 522delCA 14504delA 9540insGAT 9538-9540del 309insC\n"
        ">C\n9537insC 9537insC 8281-8289del 3106insT 315.1C\n>D\n309.1C 309insC\n",
        ws.ref_sequence);
    ASSERT_EQ(read.code, 4);
    ws.sample_positions = std::move(read.lists.positions);
    ws.sample_bases = std::move(read.lists.bases);
    ws.sample_names = std::move(read.lists.names);
    ws.sample_indels = std::move(read.lists.indels);
    ws.variant_tally = std::move(read.tally);
    // Levels as a VCF gives them: A's 9537insC is a heteroplasmy, C's two
    // spellings of it count once, at the higher level.
    ws.sample_indels.calls[0].level = 0.40f;
    ws.sample_indels.calls[9].level = 0.30f;
    ws.sample_indels.calls[10].level = 0.80f;

    const auto rows = split_table(variant_table_report(ws, ReportFormat::Text, nullptr).text);
    const std::vector<std::string> columns = {"Position", "Ref", "Alt", "Variant", "HGVS", "Samples",
                                              "Occurrences", "Homoplasmic", "Heteroplasmic", "Max level",
                                              "Symbol", "Consequence", "HGVS coding", "HGVS protein"};
    const std::vector<std::vector<std::string>> expected = {
        // A list's 309.1C and 309insC are one insertion, and no substitution.
        {"309", "C", "CC", "309insC", "m.309dup", "3", "4", "3", "0", "1.000", "", "intergenic_variant", "", ""},
        {"315", "C", "CC", "315insC", "m.315dup", "1", "1", "1", "0", "1.000", "", "intergenic_variant", "", ""},
        {"522", "CAC", "C", "523delAC", "m.523_524del", "2", "2", "2", "0", "1.000", "", "intergenic_variant", "", ""},
        {"3106", "C", "CT", "3106insT", "m.3106_3107insT", "1", "1", "1", "0", "1.000", "MT-RNR2",
         "non_coding_transcript_exon_variant", "", ""},
        {"8280", "ACCCCCTCTA", "A", "8281delCCCCCTCTA", "m.8281_8289del", "1", "1", "1", "0", "1.000", "",
         "intergenic_variant", "", ""},
        {"9537", "C", "CC", "9537insC", "m.9537dup", "3", "4", "1", "2", "1.000", "MT-CO3", "frameshift_variant",
         "c.331dup", "p.Gln111ProfsTer3"},
        {"9537", "CAAT", "C", "9538delAAT", "m.9538_9540del", "1", "1", "1", "0", "1.000", "MT-CO3",
         "inframe_deletion", "c.332_334del", "p.Gln111del"},
        {"9540", "T", "TGAT", "9540insGAT", "m.9540_9541insGAT", "1", "1", "1", "0", "1.000", "MT-CO3",
         "inframe_insertion", "c.334_335insGAT", "p.Gln111_Leu112insTrp"},
        {"14509", "AA", "A", "14510delA", "m.14510del", "1", "1", "1", "0", "1.000", "MT-ND6", "frameshift_variant",
         "c.170del", ""},
        {"16519", "T", "C", "16519", "m.16519T>C", "1", "1", "1", "0", "1.000", "", "intergenic_variant", "", ""},
    };
    ASSERT_EQ(rows.size(), expected.size() + 1);
    for (size_t r = 0; r < expected.size(); ++r) {
        std::vector<std::string> got;
        for (const std::string& c : columns) got.push_back(field(rows[r + 1], c));
        if (expected[r][3] == "14510delA") got.back() = "";  // its protein change is checked against the translation elsewhere
        EXPECT_EQ(got, expected[r]);
    }

    // A group's rows count its own samples' calls.
    const SampleGroups groups = assign_sample_groups(ws, parse_group_text("sample\tgroup\nA\tx\nC\tx\nB\ty\n"));
    const auto grouped = split_table(variant_table_report(ws, groups, ReportFormat::Text, nullptr).text);
    std::vector<std::vector<std::string>> dup_rows;
    for (const auto& row : grouped)
        if (field(row, "HGVS") == "m.9537dup")
            dup_rows.push_back({field(row, "Group"), field(row, "AC_hom"), field(row, "AC_het"), field(row, "max_hl")});
    EXPECT_EQ(dup_rows, (std::vector<std::vector<std::string>>{
                            {"all", "1", "2", "1.000"}, {"x", "0", "2", "0.800"}, {"y", "1", "0", "1.000"}}));
}

}  // namespace
}  // namespace corvella
