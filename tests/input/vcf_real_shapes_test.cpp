// Files in the shapes other callers write, and damaged copies of them: each
// is read exactly, or refused with the file, the line and the cause. Never
// a read that keeps less than the file says with a success.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/human_workspace.h"
#include "core/temp_file.h"
#include "input/converted_lists.h"
#include "input/cohort_loader.h"
#include "input/gzip_text.h"
#include "input/vcf_reader.h"

using namespace corvella;
using corvella_test::list_of;
using corvella_test::TempFile;

namespace {

const char* const CHROM_LINE = "#CHROM\tPOS\tID\tREF\tALT\tQUAL\tFILTER\tINFO\tFORMAT";

std::string header(const std::string& declarations, const std::string& samples) {
    return "##fileformat=VCFv4.2\n" + declarations + CHROM_LINE + "\t" + samples + "\n";
}

const std::string GT = "##FORMAT=<ID=GT,Number=1,Type=String,Description=\"Genotype\">\n";

CohortRead read_text(const std::string& name, const std::string& text, const CohortOptions& options = {}) {
    const TempFile f(name, text);
    return read_cohort(corvella_test::human_workspace(), {f.path()}, options);
}


}  // namespace

TEST(RealShapes, MutserveOneStoresTheLevelInHp) {
    // GT 0/1 with the level in HP: 0.947 and 0.98 are homoplasmies at the
    // default level; HP1 (the first allele's share) is never a level, so 310
    // with HP 0.2 stays below it although its HP1 is 0.95.
    const std::string text =
        header(GT +
                   "##FORMAT=<ID=HP,Number=1,Type=Float,Description=\"Inferred Heteroplasmy Frequency of top "
                   "(non-reference) allele\">\n"
                   "##FORMAT=<ID=HP1,Number=1,Type=Float,Description=\"Heteroplasmy Frequency of the first "
                   "allele\">\n",
               "test1") +
        "chrM\t73\t.\tA\tG\t.\tPASS\t.\tGT:HP:HP1\t0/1:0.947:0.053\n"
        "chrM\t263\t.\tA\tG\t.\tPASS\t.\tGT:HP:HP1\t0/1:0.98:0.02\n"
        "chrM\t310\t.\tT\tC\t.\tPASS\t.\tGT:HP:HP1\t0/1:0.2:0.95\n"
        "chrM\t1438\t.\tA\tG,T\t.\tPASS\t.\tGT:HP\t0/2:0.99\n";
    const CohortRead read = read_text("mutserve1.vcf", text);
    ASSERT_TRUE(read.ok()) << read.message;
    EXPECT_EQ(read.converted_text, list_of({{"test1", "73 263 "}}));
    EXPECT_EQ(read.levels, (std::vector<float>{0.947f, 0.98f}));
    // 310 below the level; 1438's HP is of two ALTs, so the mixed GT has no level.
    EXPECT_EQ(read.summary.below_level, 2);
}

TEST(RealShapes, MitoHpcLongFormIsOneSamplePerSmValue) {
    // One SAMPLE column; FORMAT/SM names each record's sample. The level is
    // INFO/AF or FORMAT/AF where given, else the call is a homoplasmy.
    const std::string text =
        header("##INFO=<ID=AF,Number=A,Type=Float,Description=\"Level\">\n"
               "##FORMAT=<ID=SM,Number=1,Type=String,Description=\"Sample\">\n"
               "##FORMAT=<ID=AF,Number=A,Type=Float,Description=\"Level\">\n",
               "SAMPLE") +
        "chrM\t73\t.\tA\tG\t.\tPASS\tAF=0.99\tSM\tHG02\n"
        "chrM\t73\t.\tA\tG\t.\tPASS\t.\tSM\tHG01\n"
        "chrM\t263\t.\tA\tG\t.\tPASS\tAF=0.3\tSM\tHG02\n"
        "chrM\t263\t.\tA\tG\t.\tPASS\t.\tSM:AF\tHG03:0.95\n"
        "chrM\t16519\t.\tT\tC\t.\tPASS\tAF=0.2\tSM:AF\tHG01:0.97\n";
    const CohortRead read = read_text("mitohpc.vcf", text);
    ASSERT_TRUE(read.ok()) << read.message;
    EXPECT_EQ(read.converted_text, list_of({{"HG02", "73 "}, {"HG01", "73 16519 "}, {"HG03", "263 "}}));
    EXPECT_EQ(read.levels, (std::vector<float>{0.99f, 1.0f, 0.97f, 0.95f}));
    EXPECT_EQ(read.summary.samples, 3);
    EXPECT_EQ(read.summary.below_level, 1);  // HG02's 263 at INFO/AF 0.3

    const CohortRead nameless =
        read_text("mitohpc.vcf", header("##FORMAT=<ID=SM,Number=1,Type=String,Description=\"Sample\">\n", "SAMPLE") +
                                     "chrM\t73\t.\tA\tG\t.\tPASS\t.\tSM\tHG01\nchrM\t263\t.\tA\tG\t.\tPASS\t.\tSM\t.\n");
    EXPECT_EQ(nameless.code, COHORT_REFUSED);
    EXPECT_EQ(nameless.message, "tmp_mitohpc.vcf: line 5 names no sample in FORMAT/SM, which names the sample of every "
                                "record of this file.");
}

TEST(RealShapes, ThePlaceholderAt3107IsNeverAVariant) {
    // hg38's chrM callers write 3107 N>C; the same base from a FASTA gives
    // nothing, and so does a VCF or an HSD file.
    const std::string vcf = header(GT, "S1\tS2") +
                            "chrM\t73\t.\tA\tG\t.\tPASS\t.\tGT\t1\t1\n"
                            "chrM\t3107\t.\tN\tC\t.\tPASS\t.\tGT\t1\t0\n"
                            "chrM\t3107\t.\tN\tNC\t.\tPASS\t.\tGT\t0\t1\n";
    const CohortRead read = read_text("hg38.vcf", vcf);
    ASSERT_TRUE(read.ok()) << read.message;
    EXPECT_EQ(read.converted_text, list_of({{"S1", "73 "}, {"S2", "73 "}}));
    EXPECT_EQ(read.summary.placeholder, 2);
    EXPECT_NE(import_summary_text(read.summary).find(", 2 records at the reference's N placeholder (3107)"),
              std::string::npos)
        << import_summary_text(read.summary);

    const CohortRead hsd = read_text("hg38.hsd", "S1\t1-16569\tH\t73G\t3107C\n");
    ASSERT_TRUE(hsd.ok()) << hsd.message;
    EXPECT_EQ(hsd.converted_text, list_of({{"S1", "73 "}}));
    EXPECT_EQ(hsd.summary.placeholder, 1);
    EXPECT_NE(import_summary_text(hsd.summary).find("1 variants at the reference's N placeholder (3107)"),
              std::string::npos);
}

TEST(RealShapes, NothingKeptIsRefusedSayingWhy) {
    CohortOptions filtered, low;
    filtered.reading.include_filtered = true;
    low.reading.min_level = 0.5;
    const std::string kg = header("##FILTER=<ID=fa,Description=\"x\">\n" + GT, "HG00096\tHG00097") +
                           "MT\t73\t.\tA\tG\t.\tfa\t.\tGT\t1\t1\nMT\t263\t.\tA\tG\t.\tfa\t.\tGT\t1\t0\n";
    const std::string hets = header(GT + "##FORMAT=<ID=AF,Number=A,Type=Float,Description=\"L\">\n", "X") +
                             "chrM\t73\t.\tA\tG\t.\tPASS\t.\tGT:AF\t0/1:0.6\nchrM\t263\t.\tA\tG\t.\tPASS\t.\tGT:AF\t0/1:0.1\n";
    struct Case {
        std::string name, text;
        std::string message;  // empty: read
        CohortOptions options;
    };
    const std::vector<Case> cases = {
        {"kg.vcf", kg,
         "tmp_kg.vcf: no call was kept; passed over: 2 filtered records (FILTER neither PASS nor \".\"; "
         "--include-filtered keeps them).",
         {}},
        {"kg.vcf", kg, "", filtered},
        {"hets.vcf", hets,
         "tmp_hets.vcf: no call was kept; passed over: 2 calls below the minimum level 0.9 (--min-level sets it).",
         {}},
        {"hets.vcf", hets, "", low},
        {"empty.vcf", "", "tmp_empty.vcf: the file is empty (0 bytes): there is nothing to read.", {}},
        {"empty.hsd", "", "tmp_empty.hsd: the file is empty (0 bytes): there is nothing to read.", {}},
        {"empty.fasta", "", "tmp_empty.fasta: the file is empty (0 bytes): there is nothing to read.", {}},
        {"odd.hsd", "S1\t1-16569\tH\tfoo\t73N\n",
         "tmp_odd.hsd: no call was kept; passed over: 1 ambiguous variants, 1 unreadable HSD variants.", {}},
        // Samples identical to the reference: nothing passed over, nothing to refuse.
        {"same.vcf", header(GT, "X") + "chrM\t73\t.\tA\tG\t.\tPASS\t.\tGT\t0\n", "", {}},
    };
    for (const Case& c : cases) {
        const CohortRead read = read_text(c.name, c.text, c.options);
        if (c.message.empty()) {
            EXPECT_TRUE(read.ok()) << c.name << ": " << read.message;
        } else {
            EXPECT_FALSE(read.ok()) << c.name;
            EXPECT_EQ(read.message, c.message);
        }
    }
}

TEST(RealShapes, DamagedAndMisnumberedFilesAreRefusedWithTheLine) {
    const std::string two = header(GT, "X\tY");
    const std::vector<std::pair<std::string, std::string>> cases = {
        // Positions shifted by two, no ##contig length: 4 of the 8 REFs are
        // unlike the reference (the other 4 match by chance).
        {header(GT, "X") + "chrM\t150\t.\tT\tG\t.\tPASS\t.\tGT\t1\nchrM\t200\t.\tA\tG\t.\tPASS\t.\tGT\t1\n"
                           "chrM\t300\t.\tA\tG\t.\tPASS\t.\tGT\t1\nchrM\t400\t.\tA\tG\t.\tPASS\t.\tGT\t1\n"
                           "chrM\t500\t.\tC\tG\t.\tPASS\t.\tGT\t1\nchrM\t600\t.\tC\tG\t.\tPASS\t.\tGT\t1\n"
                           "chrM\t700\t.\tC\tG\t.\tPASS\t.\tGT\t1\nchrM\t800\t.\tC\tG\t.\tPASS\t.\tGT\t1\n",
         "tmp_bad.vcf: 4 of 8 records on chrM (50 %) have a REF unlike the loaded reference (150: REF T, reference C; "
         "400: REF A, reference T; 600: REF C, reference A): the file looks numbered on another reference and is not "
         "read."},
        {two + "chrM\t73\t.\tA\tG\t.\tPASS\t.\tGT\t1\t1\nMT\t263\t.\tA\tG\t.\tPASS\t.\tGT\t1\t1\n",
         "tmp_bad.vcf: line 5 is on MT, but line 4 is on chrM: the file names the mitochondrial sequence twice, and "
         "its records are not merged."},
        {"##fileformat=VCFv4.2\n" + GT + CHROM_LINE + "\tA\tB\tA\n",
         "tmp_bad.vcf: line 3: the sample name \"A\" is given twice (columns 10 and 12); every sample column needs its "
         "own name."},
        {two + "chrM\t73\t.\tA\tG\t.\tPASS\t.\tGT\t1\t1\nchrM\t263\t.\tA\tG\n",
         "tmp_bad.vcf: line 5 cannot be read: it has 5 columns; with the header's 2 samples a record has 11."},
        {two + "chrM\t73\t.\tA\tG\t.\tPASS\t.\tGT\t1\t1\n\x7f" "ELF\x02\x01\x01\t\x03\n",
         "tmp_bad.vcf: line 5 is not a VCF record: its CHROM \"\\x7FELF\\x02\\x01\\x01\" is not a contig name "
         "(binary bytes, or an empty column)."},
        {two + "chrM\t73\t.\tA\tG\t.\tPASS\t.\tGT\t1\t1\nchrM\t263\t.\tA\tG\t.\tPASS\t.\tGT\t1\t1",
         "tmp_bad.vcf: line 5, the last, has no line end: the file looks cut short."},
        {"#CHROM\tPOS\tID\tREF\tALT\tQUAL\tFILTER\tINFO\tFORMAT\tX\nchrM\t73\t.\tA\tG\t.\tPASS\t.\tGT\t1\n",
         "tmp_bad.vcf: not a VCF or BCF file: line 1 is "
         "\"#CHROM\\x09POS\\x09ID\\x09REF\\x09ALT\\x09QUAL\\x09FILTER\\x09INFO\\x09F...\", but "
         "a VCF begins with the line ##fileformat=VCFv4.x."},
    };
    for (const auto& [text, message] : cases) {
        const CohortRead read = read_text("bad.vcf", text);
        EXPECT_EQ(read.code, COHORT_REFUSED) << text;
        EXPECT_EQ(read.message, message);
    }
    // Sent through gzip, the same damage is found, and damaged gzip data
    // is named as such.
    const TempFile cut("cut.vcf.gz", corvella_test::gzipped(cases[1].first));
    EXPECT_EQ(read_cohort(corvella_test::human_workspace(), {cut.path()}, CohortOptions{}).message,
              "tmp_cut.vcf.gz: line 5 is on MT, but line 4 is on chrM: the file names the mitochondrial sequence "
              "twice, and its records are not merged.");
    const TempFile garbage("garbage.vcf.gz", std::string("\x1f\x8b\x08\x00", 4) + "not deflate data at all, not at all");
    EXPECT_EQ(detect_input_format(garbage.path()), InputFormat::Vcf);
    const CohortRead g = read_cohort(corvella_test::human_workspace(), {garbage.path()}, CohortOptions{});
    EXPECT_EQ(g.code, COHORT_REFUSED);
    EXPECT_EQ(g.message.rfind("tmp_garbage.vcf.gz: not a VCF or BCF file: the file is gzip-compressed, but its data "
                              "is damaged (", 0),
              0u)
        << g.message;
}

TEST(RealShapes, NamesOfOneContigAreOneContig) {
    // Case and version do not make another contig.
    const CohortRead read = read_text("case.vcf", header(GT, "X") +
                                                      "chrM\t73\t.\tA\tG\t.\tPASS\t.\tGT\t1\n"
                                                      "chrm\t263\t.\tA\tG\t.\tPASS\t.\tGT\t1\n"
                                                      "NC_012920\t750\t.\tA\tG\t.\tPASS\t.\tGT\t1\n"
                                                      "nc_012920.1\t1438\t.\tA\tG\t.\tPASS\t.\tGT\t1\n");
    EXPECT_EQ(read.code, COHORT_REFUSED);  // chrM and NC_012920 are two names
    const CohortRead versions = read_text("v.vcf", header(GT, "X") +
                                                       "NC_012920\t750\t.\tA\tG\t.\tPASS\t.\tGT\t1\n"
                                                       "nc_012920.1\t1438\t.\tA\tG\t.\tPASS\t.\tGT\t1\n\n");
    ASSERT_TRUE(versions.ok()) << versions.message;
    EXPECT_EQ(versions.converted_text, list_of({{"X", "750 1438 "}}));
    EXPECT_EQ(versions.summary.empty_lines, 1);
}

TEST(RealShapes, RecordUseMarksWhatIsPassedOverAsAWhole) {
    // For the annotated VCF: one mark per record; FILTER and levels do not
    // pass a record over, another contig, a REF unlike the reference and the
    // placeholder do. A file without samples reads when only records matter.
    const std::string sites = "##fileformat=VCFv4.2\n#CHROM\tPOS\tID\tREF\tALT\tQUAL\tFILTER\tINFO\n"
                              "chr1\t100\t.\tA\tG\t.\tPASS\t.\n"
                              "chrM\t73\t.\tA\tG\t.\tq10\t.\n"
                              "chrM\t3107\t.\tN\tC\t.\tPASS\t.\n"
                              "chrM\t3460\t.\tA\tG\t.\tPASS\t.\n"
                              "chrM\t263\t.\tA\tG\t.\tPASS\t.\n"
                              "chrM\t750\t.\tA\tG\t.\tPASS\t.\n"
                              "chrM\t1438\t.\tA\tG\t.\tPASS\t.\n";
    std::vector<uint8_t> use;
    CohortOptions options;
    options.reading.records_only = true;
    options.reading.record_use = &use;
    const CohortRead read = read_text("sites.vcf", sites, options);
    ASSERT_TRUE(read.ok()) << read.message;
    EXPECT_EQ(use, (std::vector<uint8_t>{0, 1, 0, 0, 1, 1, 1}));
    EXPECT_EQ(read_text("sites.vcf", sites).code, COHORT_REFUSED);  // calls need samples
    const CohortRead none = read_text("none.vcf", "##fileformat=VCFv4.2\n#CHROM\tPOS\tID\tREF\tALT\tQUAL\tFILTER\tINFO\n"
                                                  "chr1\t100\t.\tA\tG\t.\tPASS\t.\n", options);
    EXPECT_EQ(none.code, COHORT_REFUSED);
    EXPECT_EQ(none.message.rfind("tmp_none.vcf: none of its 1 records is a mitochondrial record", 0), 0u) << none.message;
}

TEST(RealShapes, IndelCallsKeepTheirSampleAndLevel) {
    // Two samples with their indels at their own levels; a call below the
    // minimum level and a REF that runs into the N at 3107 as the N.
    const std::string text =
        header(GT + "##FORMAT=<ID=AF,Number=A,Type=Float,Description=\"Allele fraction\">\n", "a\tb") +
        "chrM\t302\t.\tA\tAC\t.\tPASS\t.\tGT:AF\t1:0.40\t1:0.97\n"
        "chrM\t513\t.\tGCA\tG\t.\tPASS\t.\tGT:AF\t0:.\t1:0.99\n"
        "chrM\t3105\t.\tACN\tA\t.\tPASS\t.\tGT:AF\t1:0.95\t1:0.05\n"
        "chrM\t9537\t.\tC\tCC,CCC\t.\tPASS\t.\tGT:AF\t2:0.01,0.92\t.:.,.\n";
    CohortOptions options;
    options.reading.min_level = 0.3;
    CohortRead read = read_text("indels.vcf", text, options);
    ASSERT_TRUE(read.ok()) << read.message;
    EXPECT_EQ(read.converted_text, list_of({{"a", "302insC 3106delCN 9537insCC "}, {"b", "302insC 514delCA "}}));
    const IndelCalls& indels = read.lists.indels;
    std::vector<std::tuple<uint32_t, int32_t, int32_t, std::string, float>> calls;
    for (const IndelCall& c : indels.calls) {
        const Indel& d = indels.indels[c.indel];
        calls.emplace_back(c.entry, d.position, d.deleted, d.inserted, c.level);
    }
    using Call = std::tuple<uint32_t, int32_t, int32_t, std::string, float>;
    EXPECT_EQ(calls, (std::vector<Call>{Call{0, 302, 0, "C", 0.40f}, Call{0, 3106, 2, "", 0.95f},
                                        Call{0, 9537, 0, "CC", 0.92f}, Call{1, 302, 0, "C", 0.97f},
                                        Call{1, 514, 2, "", 0.99f}}));
    Workspace ws = corvella_test::human_workspace();
    adopt_cohort(ws, read);
    EXPECT_EQ(ws.sample_indels.calls.size(), 5u);
}
