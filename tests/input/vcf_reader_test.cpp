#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "input/cohort_loader.h"
#include "input/genbank_reader.h"
#include "core/human_reference.h"
#include "input/polymorphism_list.h"
#include "input/vcf_reader.h"
#include "core/human_workspace.h"
#include "core/temp_file.h"
#include "input/converted_lists.h"

using namespace corvella;
using corvella_test::data_path;
using corvella_test::list_of;
using corvella_test::TempFile;

namespace {

CohortRead read_vcf(const std::string& fixture, double min_level = 0.9, bool include_filtered = false) {
    CohortOptions options;
    options.reading.min_level = min_level;
    options.reading.include_filtered = include_filtered;
    return read_cohort(corvella_test::human_workspace(), {data_path("vcf/" + fixture)}, options);
}


}  // namespace

TEST(VcfContig, MitochondrialNamesInAnyCaseAndTheLoadedAccession) {
    for (const char* name : {"chrM", "chrm", "CHRM", "M", "m", "MT", "chrMT", "NC_012920", "nc_012920.1", "rCRS", "RCRS"})
        EXPECT_TRUE(is_mitochondrial_contig(name, "")) << name;
    for (const char* name : {"chr1", "chrM_random", "NC_012920.2", "chrMM", "", "X"})
        EXPECT_FALSE(is_mitochondrial_contig(name, "")) << name;
    EXPECT_TRUE(is_mitochondrial_contig("AF346963", "AF346963"));
    EXPECT_TRUE(is_mitochondrial_contig("af346963.1", "AF346963"));
    EXPECT_FALSE(is_mitochondrial_contig("AF346963", ""));
}

TEST(VcfRef, MatchesIgnoringCaseWithNOnEitherSide) {
    const std::string ref = "ACGTN";
    EXPECT_TRUE(ref_matches_reference("acg", 1, ref));
    EXPECT_TRUE(ref_matches_reference("TN", 4, ref));
    EXPECT_TRUE(ref_matches_reference("TA", 4, ref));   // N in the reference matches any letter
    EXPECT_TRUE(ref_matches_reference("NNN", 1, ref));  // and an N in REF does too
    EXPECT_FALSE(ref_matches_reference("AG", 1, ref));
    EXPECT_FALSE(ref_matches_reference("TNA", 4, ref));  // runs past the end
    EXPECT_FALSE(ref_matches_reference("A", 0, ref));
    EXPECT_FALSE(ref_matches_reference("", 1, ref));
}

TEST(VcfReader, MutserveHomoplasmiesAndHeteroplasmiesSplitAtTheMinimumLevel) {
    const CohortRead read = read_vcf("mutserve.vcf");
    ASSERT_TRUE(read.ok()) << read.message;
    // 3107 is the reference's N placeholder: the C called there is no variant.
    EXPECT_EQ(read.converted_text,
              list_of({{"S1", "73 263 16519 "}, {"S2", "73 263 16519 "}, {"S3", "263 310 "}}));
    EXPECT_EQ(read.levels, (std::vector<float>{1.0f, 1.0f, 0.9f, 0.998f, 1.0f, 1.0f, 1.0f, 0.93f}));
    EXPECT_EQ(read.summary.samples, 3);
    EXPECT_EQ(read.summary.records, 5);
    EXPECT_EQ(read.summary.calls, 8);
    EXPECT_EQ(read.summary.below_level, 1);  // S1's 310 at 0.12
    EXPECT_EQ(read.summary.placeholder, 1);
    EXPECT_EQ(read.summary.first_placeholder, 3107);
    EXPECT_EQ(read.code, 3);
    ASSERT_EQ(read.lists.positions.size(), 3u);
    EXPECT_EQ(read.lists.bases[0], "GGC");

    const CohortRead low = read_vcf("mutserve.vcf", 0.1);
    EXPECT_EQ(low.converted_text,
              list_of({{"S1", "73 263 310 16519 "}, {"S2", "73 263 16519 "}, {"S3", "263 310 "}}));
}

TEST(VcfReader, BcfAndBgzipFormsReadAsTheirText) {
    const std::string text = read_vcf("mutserve.vcf").converted_text;
    EXPECT_EQ(read_vcf("mutserve.bcf").converted_text, text);
    const CohortRead plain = read_vcf("mutect2.vcf");
    const CohortRead packed = read_vcf("mutect2.vcf.gz");
    ASSERT_TRUE(packed.ok()) << packed.message;
    EXPECT_EQ(packed.converted_text, plain.converted_text);
    EXPECT_EQ(packed.levels, plain.levels);
}

TEST(VcfReader, Mutect2LevelsFiltersMultiAllelicAndInsertions) {
    const CohortRead read = read_vcf("mutect2.vcf");
    ASSERT_TRUE(read.ok()) << read.message;
    // GT is always 0/1: only AF (Number=A) tells 0.997 from 0.03; of 1438 G,T
    // only T reaches the level; 302insC is carried as a token, not a call.
    EXPECT_EQ(read.converted_text, list_of({{"tumor", "73 1438T 302insC 8860 "}}));
    EXPECT_EQ(read.levels, (std::vector<float>{0.997f, 0.97f, 0.999f}));
    EXPECT_EQ(read.summary.filtered, 2);
    EXPECT_EQ(read.summary.below_level, 2);
    EXPECT_EQ(read.summary.indel_tokens, 1);
    EXPECT_EQ(read.lists.positions[0], (std::vector<int32_t>{73, 1438, 8860}));

    const CohortRead all = read_vcf("mutect2.vcf", 0.9, true);
    EXPECT_EQ(all.converted_text, list_of({{"tumor", "73 1438T 2706 4769 302insC 8860 "}}));
    EXPECT_EQ(all.summary.filtered, 0);
}

TEST(VcfReader, MToolBoxHfAndMityVafAreLevelsToo) {
    const CohortRead hf = read_vcf("mtoolbox.vcf");
    ASSERT_TRUE(hf.ok()) << hf.message;
    EXPECT_EQ(hf.converted_text, list_of({{"M1", "73 524delC 7028 "}, {"M2", "7028 "}}));
    EXPECT_EQ(hf.levels, (std::vector<float>{1.0f, 1.0f, 0.95f}));
    EXPECT_EQ(hf.summary.missing_genotype, 1);  // M2's ./. at 523
    EXPECT_EQ(hf.summary.below_level, 1);       // M2's 73 at 0.4

    const CohortRead vaf = read_vcf("mity.vcf");
    ASSERT_TRUE(vaf.ok()) << vaf.message;
    EXPECT_EQ(vaf.converted_text, list_of({{"P1", "73 15326 "}}));
    EXPECT_EQ(vaf.levels, (std::vector<float>{0.99f, 1.0f}));
}

TEST(VcfReader, ThousandGenomesHaploidGenotypesWithoutLevels) {
    const CohortRead read = read_vcf("kg_haploid.vcf");
    ASSERT_TRUE(read.ok()) << read.message;
    EXPECT_EQ(read.converted_text, list_of({{"HG00096", "73 263 1438 "},
                                            {"HG00097", "263 1438C 16519 "},
                                            {"HG00099", "73 263 "},
                                            {"NA12878", "263 1438 16519 12705 "}}));
    EXPECT_EQ(read.levels, std::vector<float>(12, 1.0f));
    EXPECT_EQ(read.summary.missing_genotype, 2);
    EXPECT_EQ(read.summary.placeholder, 1);  // MT 3107 N>T
}

TEST(VcfReader, WholeGenomeFilePassesOverTheOtherContigs) {
    const CohortRead read = read_vcf("wgs.vcf");
    ASSERT_TRUE(read.ok()) << read.message;
    EXPECT_EQ(read.converted_text, list_of({{"W1", "73 11719 "}, {"W2", "73 "}}));
    EXPECT_EQ(read.summary.other_contig, 3);
    EXPECT_EQ(read.summary.records, 5);
}

TEST(VcfReader, AlleleShapesNumberRAndMissingLevels) {
    const CohortRead read = read_vcf("shapes.vcf");
    ASSERT_TRUE(read.ok()) << read.message;
    // 8860 AC>GT gives two transitions; CNT>CAC at 3106 gives the transition
    // 3108 and nothing at the N placeholder 3107; the lower-case chrm record
    // reads (the same contig as chrM), and A2's missing AF there leaves its
    // GT 1 to say level 1.
    EXPECT_EQ(read.converted_text, list_of({{"A1", "1438 309insT 8860 8861 3108 16569delG 73 "},
                                            {"A2", "309insTT 73 "}}));
    EXPECT_EQ(read.levels, (std::vector<float>{1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f}));
    EXPECT_EQ(read.summary.placeholder, 1);
    EXPECT_EQ(read.summary.first_placeholder, 3107);
    EXPECT_EQ(read.summary.other_shapes, 4);  // *, <NON_REF>, <DEL>, N
    EXPECT_EQ(read.summary.indel_tokens, 3);
    EXPECT_EQ(read.summary.below_level, 2);   // A2's 1438 C and T at 0.5
}

TEST(VcfReader, RefMismatchesArePassedOverUpToAQuarterOfTheRecords) {
    // One REF in four unlike the reference is passed over; one in three is
    // a file numbered on another sequence.
    const TempFile quarter("quarter.vcf",
                           "##fileformat=VCFv4.2\n##FORMAT=<ID=GT,Number=1,Type=String,Description=\"g\">\n"
                           "#CHROM\tPOS\tID\tREF\tALT\tQUAL\tFILTER\tINFO\tFORMAT\tR1\n"
                           "chrM\t73\t.\tG\tA\t.\tPASS\t.\tGT\t1\nchrM\t263\t.\tA\tG\t.\tPASS\t.\tGT\t1\n"
                           "chrM\t310\t.\tTCCC\tT\t.\tPASS\t.\tGT\t1\nchrM\t750\t.\tA\tG\t.\tPASS\t.\tGT\t1\n");
    const CohortRead some = read_cohort(corvella_test::human_workspace(), {quarter.path()}, CohortOptions{});
    ASSERT_TRUE(some.ok()) << some.message;
    EXPECT_EQ(some.converted_text, list_of({{"R1", "263 311delCCC 750 "}}));
    EXPECT_EQ(some.summary.ref_mismatch, 1);

    const CohortRead third = read_vcf("ref_mismatch.vcf");
    EXPECT_EQ(third.code, COHORT_REFUSED);
    EXPECT_EQ(third.message,
              "ref_mismatch.vcf: 1 of 3 records on chrM (33 %) have a REF unlike the loaded reference (73: REF G, "
              "reference A): the file looks numbered on another reference and is not read.");
    const CohortRead none = read_vcf("all_mismatch.vcf");
    EXPECT_EQ(none.code, COHORT_REFUSED);
    EXPECT_EQ(none.message,
              "all_mismatch.vcf: 2 of 2 records on chrM (100 %) have a REF unlike the loaded reference (73: REF G, "
              "reference A; 263: REF C, reference A): the file looks numbered on another reference and is not read.");
}

TEST(VcfReader, LevelsAloneDecideWithoutGenotypes) {
    const CohortRead read = read_vcf("no_gt.vcf");
    ASSERT_TRUE(read.ok()) << read.message;
    EXPECT_EQ(read.converted_text, list_of({{"N1", "73 263 "}, {"N2", "0 "}}));
    EXPECT_EQ(read.summary.below_level, 2);       // N2's 0.5 and its 0
    EXPECT_EQ(read.summary.missing_genotype, 2);  // 750 has no level at all
    // At level 0 a level of 0 is still no call; 0.5 is.
    EXPECT_EQ(read_vcf("no_gt.vcf", 0).converted_text, list_of({{"N1", "73 263 "}, {"N2", "73 "}}));
}

TEST(VcfReader, MixedGenotypeWithoutLevelIsCarriedOnlyAtLevelZero) {
    const TempFile f("mixed.vcf",
                     "##fileformat=VCFv4.2\n##FORMAT=<ID=GT,Number=1,Type=String,Description=\"g\">\n"
                     "#CHROM\tPOS\tID\tREF\tALT\tQUAL\tFILTER\tINFO\tFORMAT\tX\tY\n"
                     "MT\t73\t.\tA\tG\t.\t.\t.\tGT\t0/1\t1|1\n");
    const CohortRead strict = read_cohort(corvella_test::human_workspace(), {f.path()}, CohortOptions{});
    ASSERT_TRUE(strict.ok()) << strict.message;
    EXPECT_EQ(strict.converted_text, list_of({{"X", "0 "}, {"Y", "73 "}}));
    CohortOptions zero;
    zero.reading.min_level = 0;
    const CohortRead all = read_cohort(corvella_test::human_workspace(), {f.path()}, zero);
    EXPECT_EQ(all.converted_text, list_of({{"X", "73 "}, {"Y", "73 "}}));
    EXPECT_EQ(all.levels, (std::vector<float>{0.0f, 1.0f}));
}

TEST(VcfReader, RefusalsSayWhy) {
    const CohortRead hg19 = read_vcf("hg19_chrM.vcf");
    EXPECT_EQ(hg19.code, COHORT_REFUSED);
    EXPECT_NE(hg19.message.find("16571"), std::string::npos) << hg19.message;
    EXPECT_NE(hg19.message.find("16569"), std::string::npos) << hg19.message;
    EXPECT_NE(hg19.message.find("numbered on another sequence"), std::string::npos) << hg19.message;

    const CohortRead sites = read_vcf("sites_only.vcf");
    EXPECT_EQ(sites.code, COHORT_REFUSED);
    EXPECT_EQ(sites.message, "sites_only.vcf: the VCF has no sample columns; Corvella reads the calls of samples.");

    const CohortRead missing = read_cohort(corvella_test::human_workspace(), {data_path("vcf/none.vcf")}, [] {
        CohortOptions o;
        o.format = InputFormat::Vcf;
        return o;
    }());
    EXPECT_EQ(missing.code, COHORT_REFUSED);
    EXPECT_EQ(missing.message, "none.vcf: File cannot be opened.");
}

TEST(VcfReader, ARecordCutShortBeforeItsAllelesIsRefusedNotRead) {
    const std::string header =
        "##fileformat=VCFv4.2\n##contig=<ID=chrM,length=16569>\n"
        "##FORMAT=<ID=GT,Number=1,Type=String,Description=\"Genotype\">\n"
        "#CHROM\tPOS\tID\tREF\tALT\tQUAL\tFILTER\tINFO\tFORMAT\tS1\n";
    // The second ends in NUL bytes without a line end: cut short as a file.
    const std::string before_ref = "tmp_cut.vcf: line 6 cannot be read: it is cut short before its REF column.";
    const std::vector<std::pair<std::string, std::string>> cuts = {
        {"chrM\t73\n", before_ref},
        {std::string("chrM\t7\0\0\0\0\n", 9), "tmp_cut.vcf: line 6, the last, has no line end: the file looks cut short."},
        {"chrM\n", before_ref},
    };
    for (const auto& [cut, message] : cuts) {
        const TempFile vcf("cut.vcf", header + "chrM\t263\t.\tA\tG\t.\tPASS\t.\tGT\t1\n" + cut);
        const CohortRead read = read_cohort(corvella_test::human_workspace(), {vcf.path()}, CohortOptions{});
        EXPECT_EQ(read.code, COHORT_REFUSED) << cut;
        EXPECT_EQ(read.message, message) << cut;
    }
}

TEST(VcfReader, AnotherReferenceIsNamedByItsAccession) {
    const ReferenceReadResult gb = extract_info_from_reference(data_path("NC_012920.1.gb"));
    ASSERT_TRUE(gb.ok) << gb.message;
    Workspace ws;
    use_reference(ws, gb);
    const TempFile f("acc.vcf",
                     "##fileformat=VCFv4.2\n##FORMAT=<ID=GT,Number=1,Type=String,Description=\"g\">\n"
                     "#CHROM\tPOS\tID\tREF\tALT\tQUAL\tFILTER\tINFO\tFORMAT\tX\n"
                     "NC_012920.1\t73\t.\tA\tG\t.\t.\t.\tGT\t1\n" +
                         gb.accession + "\t263\t.\tA\tG\t.\t.\t.\tGT\t1\n");
    const CohortRead read = read_cohort(ws, {f.path()}, CohortOptions{});
    ASSERT_TRUE(read.ok()) << read.message;
    EXPECT_EQ(read.converted_text, ">" + gb.accession + "\nNumbering Reference\n\n>X\n73 263 \n\n");
}

TEST(CohortLoader, SeveralFilesAreOneCohortFileAfterFile) {
    Workspace ws = corvella_test::human_workspace();
    const CohortRead read =
        load_cohort(ws, {data_path("vcf/mity.vcf"), data_path("vcf/wgs.vcf")}, CohortOptions{});
    ASSERT_TRUE(read.ok()) << read.message;
    EXPECT_EQ(read.code, 3);
    EXPECT_EQ(read.summary.files, 2);
    ASSERT_EQ(ws.sample_names.size(), 4u);
    EXPECT_EQ(sample_name(ws, 0), ">P1");
    EXPECT_EQ(sample_name(ws, 2), ">W2");
    EXPECT_EQ(ws.sample_levels.size(), 5u);
    EXPECT_EQ((ws.variant_tally.at(VariantKey{73, 'G'})), 3);
}

TEST(CohortLoader, AFailedReadChangesNothingAndMixedKindsAreRefused) {
    Workspace ws = corvella_test::human_workspace();
    ASSERT_TRUE(load_cohort(ws, {data_path("vcf/mity.vcf")}, CohortOptions{}).ok());
    const Workspace before = ws;
    const CohortRead bad = load_cohort(ws, {data_path("vcf/mity.vcf"), data_path("vcf/hg19_chrM.vcf")}, CohortOptions{});
    EXPECT_EQ(bad.code, COHORT_REFUSED);
    const CohortRead mixed = load_cohort(ws, {data_path("vcf/mity.vcf"), data_path("vcf/cohort.hsd")}, CohortOptions{});
    EXPECT_EQ(mixed.code, COHORT_REFUSED);
    EXPECT_EQ(mixed.message, "all inputs must be of one kind: mity.vcf is vcf, cohort.hsd is hsd.");
    EXPECT_EQ(ws.sample_names, before.sample_names);
    EXPECT_EQ(ws.sample_levels, before.sample_levels);
    EXPECT_EQ(ws.variant_tally, before.variant_tally);
}

TEST(CohortLoader, AListAfterAVcfClearsTheLevels) {
    Workspace ws = corvella_test::human_workspace();
    ASSERT_TRUE(load_cohort(ws, {data_path("vcf/mity.vcf")}, CohortOptions{}).ok());
    EXPECT_FALSE(ws.sample_levels.empty());
    const TempFile list("after.txt", ">a\n73 \n");
    ASSERT_EQ(load_cohort(ws, {list.path()}, CohortOptions{}).code, 1);
    EXPECT_TRUE(ws.sample_levels.empty());
}

TEST(CohortLoader, SeveralListsPairTheirNamesWithinEachFile) {
    Workspace ws = corvella_test::human_workspace();
    const TempFile caller("caller.txt", ">ref\nNumbering Reference\n\n>s1\n73 \n\n");
    const TempFile plain("plain.txt", ">s2\n263 \n>s3\n0 \n");
    const CohortRead read = load_cohort(ws, {caller.path(), plain.path()}, CohortOptions{});
    ASSERT_EQ(read.code, 3) << read.message;
    EXPECT_EQ(ws.sample_names, (std::vector<std::string>{">s1", ">s2", ">s3"}));
    EXPECT_FALSE(read.has_summary());
}
