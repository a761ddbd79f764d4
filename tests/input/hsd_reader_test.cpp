#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "input/cohort_loader.h"
#include "input/hsd_reader.h"
#include "core/human_reference.h"
#include "input/input_format.h"
#include "core/human_workspace.h"
#include "core/temp_file.h"

using namespace corvella;
using corvella_test::data_path;
using corvella_test::TempFile;

namespace {

const std::string& rcrs() {
    static const std::string s = human_reference_sequence();
    return s;
}

CohortRead read_hsd_text(const std::string& text) {
    const TempFile f("cohort.hsd", text);
    return read_cohort(corvella_test::human_workspace(), {f.path()}, CohortOptions{});
}

}  // namespace

TEST(HsdVariant, BasesInsertionsDeletionsAndWhatIsPassedOver) {
    const HsdVariant snv = read_hsd_variant("73g", rcrs());
    EXPECT_EQ(snv.kind, HsdVariant::Snv);
    EXPECT_EQ(snv.position, 73);
    EXPECT_EQ(snv.base, 'G');
    EXPECT_EQ(read_hsd_variant("315.1C", rcrs()).token, "315insC");
    EXPECT_EQ(read_hsd_variant("309.2ct", rcrs()).token, "309insCT");
    for (const char* del : {"523d", "523del", "523DEL"}) {
        const HsdVariant v = read_hsd_variant(del, rcrs());
        EXPECT_EQ(v.kind, HsdVariant::Token) << del;
        EXPECT_EQ(v.token, "523delA") << del;
    }
    EXPECT_EQ(read_hsd_variant("16569G", rcrs()).kind, HsdVariant::SameAsReference);
    EXPECT_EQ(read_hsd_variant("3107N", rcrs()).kind, HsdVariant::Ambiguous);
    EXPECT_EQ(read_hsd_variant("16193.1Y", rcrs()).kind, HsdVariant::Ambiguous);
    EXPECT_EQ(read_hsd_variant("523D", rcrs()).kind, HsdVariant::Ambiguous);  // D is an ambiguity code
    EXPECT_EQ(read_hsd_variant("16570A", rcrs()).kind, HsdVariant::Outside);
    EXPECT_EQ(read_hsd_variant("0A", rcrs()).kind, HsdVariant::Outside);
    EXPECT_EQ(read_hsd_variant("99999999999999999999T", rcrs()).kind, HsdVariant::Outside);
    for (const char* bad : {"foo", "73", "A73", "73GG", "523Del", "315.C", "315.1", "315.1C-", "73-"})
        EXPECT_EQ(read_hsd_variant(bad, rcrs()).kind, HsdVariant::Unreadable) << bad;
}

TEST(HsdReader, CohortWithHeaderQuotedRangeAndTrailingTabs) {
    const CohortRead read = read_cohort(corvella_test::human_workspace(), {data_path("vcf/cohort.hsd")}, CohortOptions{});
    ASSERT_TRUE(read.ok()) << read.message;
    EXPECT_EQ(read.format, InputFormat::Hsd);
    EXPECT_EQ(read.converted_text,
              ">rCRS\nNumbering Reference\n\n"
              ">H1\n263 315insC 16519 \n\n"
              ">H2\n73 263 523delAC \n\n"  // 523d 524d: one deletion
              ">H3\n73 12705 309insCC 8860 \n\n");
    EXPECT_TRUE(read.levels.empty());  // every HSD call has level 1
    const ImportSummary& s = read.summary;
    EXPECT_EQ(s.samples, 3);
    EXPECT_EQ(s.variants, 16);
    EXPECT_EQ(s.calls, 7);
    EXPECT_EQ(s.indel_tokens, 4);
    EXPECT_EQ(s.same_as_reference, 1);
    EXPECT_EQ(s.other_shapes, 2);
    EXPECT_EQ(s.outside_reference, 1);
    EXPECT_EQ(s.unreadable, 1);
    EXPECT_EQ(s.first_unreadable, "foo");
    EXPECT_EQ(s.first_unreadable_line, 4);
    EXPECT_NE(import_summary_text(s).find("1 unreadable HSD variants (first \"foo\" on line 4)"), std::string::npos)
        << import_summary_text(s);
}

TEST(HsdReader, HeaderIsOnlyTheFirstLineAndAnyCase) {
    const CohortRead read = read_hsd_text("SAMPLEID\tRange\tHaplogroup\n\r\nA\t1-16569\tH\t73G\r\nSampleId\t1-16569\tH\t263G\n");
    ASSERT_TRUE(read.ok()) << read.message;
    EXPECT_EQ(read.converted_text, ">rCRS\nNumbering Reference\n\n>A\n73 \n\n>SampleId\n263 \n\n");
}

TEST(HsdReader, NoSampleLineIsRefusedNamingTheFile) {
    for (const char* text : {"\t\t\t\n", "SampleId\tRange\tHaplogroup\tPolymorphisms\n", "\t \t\n\n"}) {
        const CohortRead read = read_hsd_text(text);
        EXPECT_EQ(read.code, COHORT_REFUSED) << text;
        EXPECT_EQ(read.message, "tmp_cohort.hsd: no sample line: an HSD line holds the sample id, the range, the "
                                "haplogroup and the variants, separated by tabs.")
            << text;
    }
}

TEST(HsdReader, SampleWithoutVariantsWritesZero) {
    const CohortRead read = read_hsd_text("S1\t1-16569\tH2a2a1\n");
    ASSERT_TRUE(read.ok()) << read.message;
    EXPECT_EQ(read.converted_text, ">rCRS\nNumbering Reference\n\n>S1\n0 \n\n");
    EXPECT_EQ(read.code, 1);
}

TEST(InputFormat, DetectionOrder) {
    EXPECT_EQ(detect_text_format(">a\n73\n"), InputFormat::List);
    EXPECT_EQ(detect_text_format("\n\r\n>a\tb\n"), InputFormat::List);
    EXPECT_EQ(detect_text_format("S1\t1-16569\n"), InputFormat::Hsd);
    EXPECT_EQ(detect_text_format("\nS1\t1-16569\n"), InputFormat::Hsd);
    EXPECT_EQ(detect_text_format("73 263\n"), InputFormat::List);
    EXPECT_EQ(detect_text_format(""), InputFormat::List);
    EXPECT_EQ(detect_input_format(data_path("vcf/mutserve.vcf")), InputFormat::Vcf);
    EXPECT_EQ(detect_input_format(data_path("vcf/mutserve.bcf")), InputFormat::Vcf);
    EXPECT_EQ(detect_input_format(data_path("vcf/mutect2.vcf.gz")), InputFormat::Vcf);
    EXPECT_EQ(detect_input_format(data_path("vcf/cohort.hsd")), InputFormat::Hsd);
    EXPECT_EQ(detect_input_format(data_path("rna_samples.txt")), InputFormat::List);
    EXPECT_EQ(detect_input_format(data_path("vcf/no such file")), InputFormat::List);
    EXPECT_EQ(parse_input_format("vcf"), InputFormat::Vcf);
    EXPECT_EQ(parse_input_format("VCF"), std::nullopt);
}
