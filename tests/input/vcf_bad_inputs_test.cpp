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
    EXPECT_EQ(read.message, "tmp_nochrom.vcf: the VCF header cannot be read (it must end with the #CHROM line).");
    EXPECT_EQ(ws.sample_names.size(), 2u);
}

TEST(VcfBadInputs, GenotypesNamingAllelesPastAltNameNothing) {
    Workspace ws = corvella_test::human_workspace();
    // At 73 X names allele 3 of a one-ALT record (left is its reference
    // call) and Y only allele 2: no allele at all, a missing genotype. At 263
    // X's 1/3 is a 1 with a missing second allele.
    const CohortRead read = load_over_cohort(
        "gt.vcf", vcf("X\tY", "chrM\t73\t.\tA\tG\t.\t.\t.\tGT:AF\t0/3:0.99\t2:0.99\nchrM\t263\t.\tA\tG\t.\t.\t.\tGT\t1/3\t1\n"),
        ws);
    ASSERT_TRUE(read.ok()) << read.message;
    EXPECT_EQ(read.converted_text, ">rCRS\nNumbering Reference\n\n>X\n263 \n\n>Y\n263 \n\n");
    EXPECT_EQ(read.summary.missing_genotype, 1);
}

TEST(VcfBadInputs, AfWithTooFewValuesIsNoLevel) {
    Workspace ws = corvella_test::human_workspace();
    const CohortRead read = load_over_cohort(
        "af.vcf", vcf("X\tY", "chrM\t1438\t.\tA\tG,T\t.\t.\t.\tGT:AF\t2:0.98\t0/2:0.01\n"), ws);
    ASSERT_TRUE(read.ok()) << read.message;
    // X: no second value, so its GT 2 alone says level 1; Y: 0/2 with no
    // level stays below the minimum.
    EXPECT_EQ(read.converted_text, ">rCRS\nNumbering Reference\n\n>X\n1438T \n\n>Y\n0 \n\n");
}

TEST(VcfBadInputs, DotsEverywhere) {
    Workspace ws = corvella_test::human_workspace();
    const CohortRead read = load_over_cohort("dots.vcf", vcf("X", ".\t.\t.\t.\t.\t.\t.\t.\t.\t.\n"), ws);
    ASSERT_TRUE(read.ok()) << read.message;
    EXPECT_EQ(read.converted_text, ">rCRS\nNumbering Reference\n\n>X\n0 \n\n");
    EXPECT_EQ(read.summary.other_contig, 1);
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
    EXPECT_EQ(tabs.code, COHORT_BAD_FORMAT);
    EXPECT_EQ(tabs.message, "Bad input format.");
    EXPECT_EQ(ws.sample_names.size(), 2u);
    const CohortRead odd = load_over_cohort("odd.hsd", "S\t1-16569\tH\t\x01\xff 73G\t\t\t\n", ws);
    ASSERT_TRUE(odd.ok()) << odd.message;
    EXPECT_EQ(odd.converted_text, ">rCRS\nNumbering Reference\n\n>S\n73 \n\n");
    EXPECT_EQ(odd.summary.unreadable, 1);
}
