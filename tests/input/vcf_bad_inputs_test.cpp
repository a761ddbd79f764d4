// Damaged and hostile VCF and HSD files: each gives a clear message or a
// sound read, never a crash, and a refused read changes nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "input/cohort_loader.h"
#include "core/human_reference.h"
#include "core/human_workspace.h"
#include "core/temp_file.h"

using namespace corvella;
using corvella_test::data_path;
using corvella_test::data_text;
using corvella_test::TempFile;

namespace {

const char* const HEADER =
    "##fileformat=VCFv4.2\n"
    "##FORMAT=<ID=GT,Number=1,Type=String,Description=\"Genotype\">\n"
    "##FORMAT=<ID=AF,Number=A,Type=Float,Description=\"Level\">\n";

std::string vcf(const std::string& samples, const std::string& rows) {
    return std::string(HEADER) + "#CHROM\tPOS\tID\tREF\tALT\tQUAL\tFILTER\tINFO\tFORMAT\t" + samples + "\n" + rows;
}

// Loads `content` as the only input into a workspace that already holds a
// cohort; a refusal must leave that cohort in place.
CohortRead load_over_cohort(const std::string& name, const std::string& content, Workspace& ws) {
    EXPECT_TRUE(load_cohort(ws, {data_path("vcf/mity.vcf")}, CohortOptions{}).ok());
    const TempFile f(name, content);
    return load_cohort(ws, {f.path()}, CohortOptions{});
}

}  // namespace

TEST(VcfBadInputs, CutShortCompressedFilesAreRefusedAndChangeNothing) {
    for (const char* fixture : {"vcf/mutect2.vcf.gz", "vcf/mutserve.bcf"}) {
        const std::string whole = data_text(fixture);
        Workspace ws = corvella_test::human_workspace();
        const CohortRead read = load_over_cohort("cut.vcf.gz", whole.substr(0, whole.size() / 2), ws);
        EXPECT_EQ(read.code, COHORT_REFUSED) << fixture;
        EXPECT_EQ(read.message, "tmp_cut.vcf.gz: the compressed file has no end marker: it is cut short.") << fixture;
        EXPECT_EQ(ws.sample_names, (std::vector<std::string>{">rCRS", ">P1"}));
        EXPECT_EQ(ws.sample_levels.size(), 2u);
    }
}

TEST(VcfBadInputs, HeaderWithoutChromLine) {
    Workspace ws = corvella_test::human_workspace();
    const CohortRead read =
        load_over_cohort("nochrom.vcf", std::string(HEADER) + "chrM\t73\t.\tA\tG\t.\t.\t.\tGT\t1\n", ws);
    EXPECT_EQ(read.code, COHORT_REFUSED);
    EXPECT_EQ(read.message, "tmp_nochrom.vcf: line 4: a line that is not a header line comes before the #CHROM line; "
                            "the VCF header must end with the #CHROM line.");
    EXPECT_EQ(ws.sample_names.size(), 2u);
}

TEST(VcfBadInputs, GenotypesNamingAllelesTheRecordLacksAreRefusedWithTheLine) {
    // A genotype naming allele 3 of a one-ALT record was once read as a
    // missing genotype; it is a damaged record, wherever it stands.
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"chrM\t73\t.\tA\tG\t.\t.\t.\tGT:AF\t0/3:0.99\t1:0.99\n",
         "tmp_gt.vcf: line 5: the genotype of sample X names allele 3, but the record has 1 ALT allele."},
        {"chrM\t73\t.\tA\tG\t.\t.\t.\tGT\t1\t1\nchrM\t263\t.\tA\tG\t.\t.\t.\tGT\t1\t2\n",
         "tmp_gt.vcf: line 6: the genotype of sample Y names allele 2, but the record has 1 ALT allele."},
        {"chrM\t1438\t.\tA\tG,T\t.\t.\t.\tGT\t1/3\t1\n",
         "tmp_gt.vcf: line 5: the genotype of sample X names allele 3, but the record has 2 ALT alleles."},
    };
    for (const auto& [rows, message] : cases) {
        Workspace ws = corvella_test::human_workspace();
        const CohortRead read = load_over_cohort("gt.vcf", vcf("X\tY", rows), ws);
        EXPECT_EQ(read.code, COHORT_REFUSED) << rows;
        EXPECT_EQ(read.message, message);
        EXPECT_EQ(ws.sample_names, (std::vector<std::string>{">rCRS", ">P1"}));
    }
}

TEST(VcfBadInputs, LevelsWithTheWrongNumberOfValuesAreRefusedWithTheLine) {
    // A Number=A field with one value for two ALTs was once read as a call
    // without a level; a missing field (".", or none at all) still fits.
    const std::string number_r = "##FORMAT=<ID=HF,Number=R,Type=Float,Description=\"Level\">\n";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {vcf("X\tY", "chrM\t1438\t.\tA\tG,T\t.\t.\t.\tGT:AF\t2:0.98\t0/2:0.01,0.02\n"),
         "tmp_af.vcf: line 5: FORMAT/AF of sample X has 1 value for 2 ALT alleles, but its Number=A needs 2."},
        {vcf("X\tY", "chrM\t73\t.\tA\tG\t.\t.\t.\tGT:AF\t1:.\t1\nchrM\t263\t.\tA\tG\t.\t.\t.\tGT:AF\t1:1\t1:0.5,0.5\n"),
         "tmp_af.vcf: line 6: FORMAT/AF of sample Y has 2 values for 1 ALT allele, but its Number=A needs 1."},
        {std::string(HEADER) + number_r + "#CHROM\tPOS\tID\tREF\tALT\tQUAL\tFILTER\tINFO\tFORMAT\tX\n" +
             "chrM\t73\t.\tA\tG\t.\t.\t.\tGT:HF\t1:1\n",
         "tmp_af.vcf: line 6: FORMAT/HF of sample X has 1 value for 1 ALT allele, but its Number=R needs 2."},
    };
    for (const auto& [text, message] : cases) {
        Workspace ws = corvella_test::human_workspace();
        const CohortRead read = load_over_cohort("af.vcf", text, ws);
        EXPECT_EQ(read.code, COHORT_REFUSED) << text;
        EXPECT_EQ(read.message, message);
        EXPECT_EQ(ws.sample_levels.size(), 2u);
    }
}

TEST(VcfBadInputs, DotsEverywhere) {
    Workspace ws = corvella_test::human_workspace();
    // Its one record on the contig "." passed over, nothing is kept.
    const CohortRead read = load_over_cohort("dots.vcf", vcf("X", ".\t.\t.\t.\t.\t.\t.\t.\t.\t.\n"), ws);
    EXPECT_EQ(read.code, COHORT_REFUSED);
    EXPECT_EQ(read.message, "tmp_dots.vcf: no call was kept; passed over: 1 records on another contig (the "
                            "mitochondrial one is chrM, M, MT, chrMT, NC_012920 or rCRS).");
    const CohortRead mito = load_over_cohort("dots.vcf", vcf("X", "chrM\t73\t.\tA\t.\t.\t.\t.\t.\t.\n"), ws);
    ASSERT_TRUE(mito.ok()) << mito.message;
    EXPECT_EQ(mito.code, 1);
    EXPECT_EQ(mito.summary.calls, 0);
}

TEST(VcfBadInputs, VeryLongSampleNamesAreKeptWhole) {
    Workspace ws = corvella_test::human_workspace();
    const std::string name(100000, 'Q');
    const CohortRead read = load_over_cohort("long.vcf", vcf(name, "chrM\t73\t.\tA\tG\t.\t.\t.\tGT\t1\n"), ws);
    ASSERT_TRUE(read.ok()) << read.message;
    ASSERT_EQ(ws.sample_names.size(), 2u);
    EXPECT_EQ(ws.sample_names[1], ">" + name);
    EXPECT_EQ(ws.sample_positions[0], (std::vector<int32_t>{73}));
}

TEST(VcfBadInputs, NonNumericLevelsAreNoLevel) {
    Workspace ws = corvella_test::human_workspace();
    // AF undeclared in this header: htslib keeps it as text, which still
    // reads where it is a number.
    const std::string text =
        "##fileformat=VCFv4.2\n#CHROM\tPOS\tID\tREF\tALT\tQUAL\tFILTER\tINFO\tFORMAT\tX\tY\tZ\n"
        "chrM\t73\t.\tA\tG\t.\t.\t.\tGT:AF\t0/1:0.95\t0/1:high\t0/1:.\n";
    const CohortRead read = load_over_cohort("text_af.vcf", text, ws);
    ASSERT_TRUE(read.ok()) << read.message;
    EXPECT_EQ(read.converted_text, ">rCRS\nNumbering Reference\n\n>X\n73 \n\n>Y\n0 \n\n>Z\n0 \n\n");
    EXPECT_EQ(ws.sample_levels, (std::vector<float>{0.95f}));
}

TEST(HsdBadInputs, LineOfOnlyTabsAndUnreadableWords) {
    Workspace ws = corvella_test::human_workspace();
    const CohortRead tabs = load_over_cohort("tabs.hsd", "\t\t\t\t\n", ws);
    EXPECT_EQ(tabs.code, COHORT_REFUSED);
    EXPECT_EQ(tabs.message, "tmp_tabs.hsd: no sample line: an HSD line holds the sample id, the range, the haplogroup "
                            "and the variants, separated by tabs.");
    EXPECT_EQ(ws.sample_names.size(), 2u);
    const CohortRead odd = load_over_cohort("odd.hsd", "S\t1-16569\tH\t\x01\xff 73G\t\t\t\n", ws);
    ASSERT_TRUE(odd.ok()) << odd.message;
    EXPECT_EQ(odd.converted_text, ">rCRS\nNumbering Reference\n\n>S\n73 \n\n");
    EXPECT_EQ(odd.summary.unreadable, 1);
}
