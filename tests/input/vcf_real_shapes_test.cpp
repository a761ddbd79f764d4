// Files in the shapes other callers write, and damaged copies of them: each
// is read exactly, or refused with the file, the line and the cause. Never
// a read that keeps less than the file says with a success.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
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
const std::string SM = "##FORMAT=<ID=SM,Number=1,Type=String,Description=\"Sample\">\n";

CohortRead read_text(const std::string& name, const std::string& text, const CohortOptions& options = {}) {
    const TempFile f(name, text);
    return read_cohort(corvella_test::human_workspace(), {f.path()}, options);
}

}  // namespace

// Each case is read, keeps the lists and levels it gives, and the import
// summary counts what the case names.
TEST(RealShapes, WhatEachCallerWritesIsReadWhole) {
    struct Case {
        const char* name;
        std::string text, converted;
        std::optional<std::vector<float>> levels;
        std::vector<std::pair<int64_t ImportSummary::*, int64_t>> counts;
        std::string said = "";  // a part of the import summary's text
    };
    const Case cases[] = {
        // Mutserve 1: GT 0/1 with the level in HP: 0.947 and 0.98 are
        // homoplasmies at the default level; HP1 (the first allele's share) is
        // never a level, so 310 with HP 0.2 stays below it although its HP1 is
        // 0.95; 1438's HP is of two ALTs, so the mixed GT has no level.
        {"mutserve1.vcf",
         header(GT +
                    "##FORMAT=<ID=HP,Number=1,Type=Float,Description=\"Inferred Heteroplasmy Frequency of top "
                    "(non-reference) allele\">\n"
                    "##FORMAT=<ID=HP1,Number=1,Type=Float,Description=\"Heteroplasmy Frequency of the first "
                    "allele\">\n",
                "test1") +
             "chrM\t73\t.\tA\tG\t.\tPASS\t.\tGT:HP:HP1\t0/1:0.947:0.053\n"
             "chrM\t263\t.\tA\tG\t.\tPASS\t.\tGT:HP:HP1\t0/1:0.98:0.02\n"
             "chrM\t310\t.\tT\tC\t.\tPASS\t.\tGT:HP:HP1\t0/1:0.2:0.95\n"
             "chrM\t1438\t.\tA\tG,T\t.\tPASS\t.\tGT:HP\t0/2:0.99\n",
         list_of({{"test1", "73 263 "}}), std::vector<float>{0.947f, 0.98f}, {{&ImportSummary::below_level, 2}}},
        // MitoHPC's long form: one SAMPLE column; FORMAT/SM names each
        // record's sample. The level is INFO/AF or FORMAT/AF where given, else
        // the call is a homoplasmy; HG02's 263 at INFO/AF 0.3 is below it.
        {"mitohpc.vcf",
         header("##INFO=<ID=AF,Number=A,Type=Float,Description=\"Level\">\n" + SM +
                    "##FORMAT=<ID=AF,Number=A,Type=Float,Description=\"Level\">\n",
                "SAMPLE") +
             "chrM\t73\t.\tA\tG\t.\tPASS\tAF=0.99\tSM\tHG02\n"
             "chrM\t73\t.\tA\tG\t.\tPASS\t.\tSM\tHG01\n"
             "chrM\t263\t.\tA\tG\t.\tPASS\tAF=0.3\tSM\tHG02\n"
             "chrM\t263\t.\tA\tG\t.\tPASS\t.\tSM:AF\tHG03:0.95\n"
             "chrM\t16519\t.\tT\tC\t.\tPASS\tAF=0.2\tSM:AF\tHG01:0.97\n",
         list_of({{"HG02", "73 "}, {"HG01", "73 16519 "}, {"HG03", "263 "}}),
         std::vector<float>{0.99f, 1.0f, 0.97f, 0.95f},
         {{&ImportSummary::samples, 3}, {&ImportSummary::below_level, 1}}},
        // hg38's chrM callers write 3107 N>C; the same base from a VCF or an
        // HSD file gives nothing.
        {"hg38.vcf",
         header(GT, "S1\tS2") + "chrM\t73\t.\tA\tG\t.\tPASS\t.\tGT\t1\t1\n"
                                "chrM\t3107\t.\tN\tC\t.\tPASS\t.\tGT\t1\t0\n"
                                "chrM\t3107\t.\tN\tNC\t.\tPASS\t.\tGT\t0\t1\n",
         list_of({{"S1", "73 "}, {"S2", "73 "}}), std::nullopt, {{&ImportSummary::placeholder, 2}},
         ", 2 records at the reference's N placeholder (3107)"},
        {"hg38.hsd", "S1\t1-16569\tH\t73G\t3107C\n", list_of({{"S1", "73 "}}), std::nullopt,
         {{&ImportSummary::placeholder, 1}}, "1 variants at the reference's N placeholder (3107)"},
        // Case and version do not make another contig.
        {"v.vcf",
         header(GT, "X") + "NC_012920\t750\t.\tA\tG\t.\tPASS\t.\tGT\t1\n"
                           "nc_012920.1\t1438\t.\tA\tG\t.\tPASS\t.\tGT\t1\n\n",
         list_of({{"X", "750 1438 "}}), std::nullopt, {{&ImportSummary::empty_lines, 1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CohortRead read = read_text(c.name, c.text);
        ASSERT_TRUE(read.ok()) << read.message;
        EXPECT_EQ(read.converted_text, c.converted);
        if (c.levels) {
            EXPECT_EQ(read.levels, *c.levels);
        }
        for (const auto& [count, value] : c.counts) EXPECT_EQ(read.summary.*count, value);
        if (!c.said.empty()) {
            EXPECT_NE(import_summary_text(read.summary).find(c.said), std::string::npos)
                << import_summary_text(read.summary);
        }
    }
}

// Refused with the file, the line and the cause; an empty message: read.
TEST(RealShapes, NothingKeptDamagedAndMisnumberedFilesAreRefusedSayingWhy) {
    CohortOptions filtered, low;
    filtered.reading.include_filtered = true;
    low.reading.min_level = 0.5;
    const std::string kg = header("##FILTER=<ID=fa,Description=\"x\">\n" + GT, "HG00096\tHG00097") +
                           "MT\t73\t.\tA\tG\t.\tfa\t.\tGT\t1\t1\nMT\t263\t.\tA\tG\t.\tfa\t.\tGT\t1\t0\n";
    const std::string hets = header(GT + "##FORMAT=<ID=AF,Number=A,Type=Float,Description=\"L\">\n", "X") +
                             "chrM\t73\t.\tA\tG\t.\tPASS\t.\tGT:AF\t0/1:0.6\nchrM\t263\t.\tA\tG\t.\tPASS\t.\tGT:AF\t0/1:0.1\n";
    const std::string two = header(GT, "X\tY");
    const std::string two_names = two + "chrM\t73\t.\tA\tG\t.\tPASS\t.\tGT\t1\t1\nMT\t263\t.\tA\tG\t.\tPASS\t.\tGT\t1\t1\n";
    const std::string twice = ": the file names the mitochondrial sequence twice, and its records are not merged.";
    struct Case {
        std::string name, text;
        std::string message;  // empty: read
        CohortOptions options = {};
    };
    const Case cases[] = {
        {"kg.vcf", kg,
         "tmp_kg.vcf: no call was kept; passed over: 2 filtered records (FILTER neither PASS nor \".\"; "
         "--include-filtered keeps them)."},
        {"kg.vcf", kg, "", filtered},
        {"hets.vcf", hets,
         "tmp_hets.vcf: no call was kept; passed over: 2 calls below the minimum level 0.9 (--min-level sets it)."},
        {"hets.vcf", hets, "", low},
        {"odd.hsd", "S1\t1-16569\tH\tfoo\t73N\n",
         "tmp_odd.hsd: no call was kept; passed over: 1 ambiguous variants, 1 unreadable HSD variants."},
        // Samples identical to the reference: nothing passed over, nothing to refuse.
        {"same.vcf", header(GT, "X") + "chrM\t73\t.\tA\tG\t.\tPASS\t.\tGT\t0\n", ""},
        {"mitohpc.vcf",
         header(SM, "SAMPLE") + "chrM\t73\t.\tA\tG\t.\tPASS\t.\tSM\tHG01\nchrM\t263\t.\tA\tG\t.\tPASS\t.\tSM\t.\n",
         "tmp_mitohpc.vcf: line 5 names no sample in FORMAT/SM, which names the sample of every record of this file."},
        // Positions shifted by two, no ##contig length: 4 of the 8 REFs are
        // unlike the reference (the other 4 match by chance).
        {"bad.vcf",
         header(GT, "X") + "chrM\t150\t.\tT\tG\t.\tPASS\t.\tGT\t1\nchrM\t200\t.\tA\tG\t.\tPASS\t.\tGT\t1\n"
                           "chrM\t300\t.\tA\tG\t.\tPASS\t.\tGT\t1\nchrM\t400\t.\tA\tG\t.\tPASS\t.\tGT\t1\n"
                           "chrM\t500\t.\tC\tG\t.\tPASS\t.\tGT\t1\nchrM\t600\t.\tC\tG\t.\tPASS\t.\tGT\t1\n"
                           "chrM\t700\t.\tC\tG\t.\tPASS\t.\tGT\t1\nchrM\t800\t.\tC\tG\t.\tPASS\t.\tGT\t1\n",
         "tmp_bad.vcf: 4 of 8 records on chrM (50 %) have a REF unlike the loaded reference (150: REF T, reference C; "
         "400: REF A, reference T; 600: REF C, reference A): the file looks numbered on another reference and is not "
         "read."},
        {"bad.vcf", two_names, "tmp_bad.vcf: line 5 is on MT, but line 4 is on chrM" + twice},
        // Sent through gzip, the same damage is found.
        {"cut.vcf.gz", corvella_test::gzipped(two_names), "tmp_cut.vcf.gz: line 5 is on MT, but line 4 is on chrM" + twice},
        // chrM and NC_012920 are two names, whatever their case and version.
        {"case.vcf",
         header(GT, "X") + "chrM\t73\t.\tA\tG\t.\tPASS\t.\tGT\t1\nchrm\t263\t.\tA\tG\t.\tPASS\t.\tGT\t1\n"
                           "NC_012920\t750\t.\tA\tG\t.\tPASS\t.\tGT\t1\nnc_012920.1\t1438\t.\tA\tG\t.\tPASS\t.\tGT\t1\n",
         "tmp_case.vcf: line 6 is on NC_012920, but line 4 is on chrM" + twice},
        {"bad.vcf", "##fileformat=VCFv4.2\n" + GT + CHROM_LINE + "\tA\tB\tA\n",
         "tmp_bad.vcf: line 3: the sample name \"A\" is given twice (columns 10 and 12); every sample column needs its "
         "own name."},
        {"bad.vcf", two + "chrM\t73\t.\tA\tG\t.\tPASS\t.\tGT\t1\t1\nchrM\t263\t.\tA\tG\n",
         "tmp_bad.vcf: line 5 cannot be read: it has 5 columns; with the header's 2 samples a record has 11."},
        {"bad.vcf", two + "chrM\t73\t.\tA\tG\t.\tPASS\t.\tGT\t1\t1\n\x7f" "ELF\x02\x01\x01\t\x03\n",
         "tmp_bad.vcf: line 5 is not a VCF record: its CHROM \"\\x7FELF\\x02\\x01\\x01\" is not a contig name "
         "(binary bytes, or an empty column)."},
        {"bad.vcf", two + "chrM\t73\t.\tA\tG\t.\tPASS\t.\tGT\t1\t1\nchrM\t263\t.\tA\tG\t.\tPASS\t.\tGT\t1\t1",
         "tmp_bad.vcf: line 5, the last, has no line end: the file looks cut short."},
        {"bad.vcf", "#CHROM\tPOS\tID\tREF\tALT\tQUAL\tFILTER\tINFO\tFORMAT\tX\nchrM\t73\t.\tA\tG\t.\tPASS\t.\tGT\t1\n",
         "tmp_bad.vcf: not a VCF or BCF file: line 1 is "
         "\"#CHROM\\x09POS\\x09ID\\x09REF\\x09ALT\\x09QUAL\\x09FILTER\\x09INFO\\x09F...\", but "
         "a VCF begins with the line ##fileformat=VCFv4.x."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name + ": " + c.text);
        const CohortRead read = read_text(c.name, c.text, c.options);
        if (c.message.empty()) {
            EXPECT_TRUE(read.ok()) << read.message;
        } else {
            EXPECT_EQ(read.code, COHORT_REFUSED);
            EXPECT_EQ(read.message, c.message);
        }
    }
    for (const std::string kind : {"vcf", "hsd", "fasta"}) {
        const CohortRead read = read_text("empty." + kind, "");
        EXPECT_FALSE(read.ok()) << kind;
        EXPECT_EQ(read.message, "tmp_empty." + kind + ": the file is empty (0 bytes): there is nothing to read.");
    }
    // Damaged gzip data is named as such.
    const TempFile garbage("garbage.vcf.gz", std::string("\x1f\x8b\x08\x00", 4) + "not deflate data at all, not at all");
    EXPECT_EQ(detect_input_format(garbage.path()), InputFormat::Vcf);
    const CohortRead g = read_cohort(corvella_test::human_workspace(), {garbage.path()}, CohortOptions{});
    EXPECT_EQ(g.code, COHORT_REFUSED);
    EXPECT_EQ(g.message.rfind("tmp_garbage.vcf.gz: not a VCF or BCF file: the file is gzip-compressed, but its data "
                              "is damaged (", 0),
              0u)
        << g.message;
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
