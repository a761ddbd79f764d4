// "Open Polymorphism File..." and "Export To Network File..." with VCF and
// HSD files, driven through the scripted dialogs.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <string>
#include <vector>

#include "core/temp_file.h"
#include "fake_dialogs.h"
#include "ui/Corvella_unit.h"
#include "ui/Exporttonetwork.h"
#include "ui/Nonprotein.h"
#include "ui/Rrnastructure.h"
#include "ui/Synonymouscounting.h"
#include "ui/Trnastructure.h"

using corvella::FakeDialogs;
using corvella::VcfChoice;
using corvella_test::data_path;
using corvella_test::TempFile;

namespace {

class VcfOpen : public ::testing::Test {
protected:
    VcfOpen() : form(dialogs) {
        form.show_modal = [this](QDialog& window) { shown.push_back(&window); };
        form.HumanReference1->trigger();
    }
    void open(const std::string& path) {
        dialogs.open_answers.push_back(path);
        form.OpenPolymorphismsFile1->trigger();
    }
    std::vector<QString> summaries() const {
        return {form.Form4->Label1->text(), form.Form5->Label1->text(), form.Form9->Label1->text(),
                form.Form10->Label1->text()};
    }
    FakeDialogs dialogs;
    TForm1 form;
    std::vector<QDialog*> shown;
};

}  // namespace

TEST_F(VcfOpen, TheOpenDialogOffersVcfHsdAndFastaAfterTheListEntries) {
    open(data_path("vcf/cohort.hsd"));
    ASSERT_EQ(dialogs.open_filters.size(), 1u);
    EXPECT_TRUE(dialogs.open_filters[0].startsWith("Text Files (*.txt)|*.txt|All Files|*.*|"));
    EXPECT_TRUE(dialogs.open_filters[0].endsWith(
        "|VCF files (*.vcf; *.vcf.gz; *.bcf)|*.vcf; *.vcf.gz; *.bcf|HSD files (*.hsd)|*.hsd|"
        "FASTA files, unaligned (*.fasta; *.fas; *.fa; *.fna; *.fst; *.gz)|*.fasta; *.fas; *.fa; *.fna; *.fst; *.gz"));
}

TEST_F(VcfOpen, VcfAsksForTheLevelKeepsTheChoiceAndShowsTheSummary) {
    dialogs.vcf_answers.push_back(VcfChoice{0.1, false});
    open(data_path("vcf/mutserve.vcf"));
    ASSERT_EQ(dialogs.vcf_offers.size(), 1u);
    EXPECT_DOUBLE_EQ(dialogs.vcf_offers[0].min_level, 0.9);  // offered first
    EXPECT_FALSE(dialogs.vcf_offers[0].include_filtered);
    EXPECT_TRUE(dialogs.errors.empty());
    ASSERT_EQ(dialogs.informations.size(), 1u);
    EXPECT_TRUE(dialogs.informations[0].startsWith("mutserve.vcf: 3 samples, 5 records, 9 calls kept; passed over:"))
        << dialogs.informations[0].toStdString();
    EXPECT_EQ(summaries(), std::vector<QString>(4, "mutserve.vcf  -  3 sequences"));
    EXPECT_TRUE(form.Protein1->isEnabled());
    // S1's 310 at 0.12 is kept at level 0.1; its C at the placeholder 3107 is no call.
    EXPECT_EQ(form.workspace().sample_levels.size(), 9u);

    // The next VCF offers the kept choice.
    dialogs.vcf_answers.push_back(VcfChoice{0.9, true});
    open(data_path("vcf/mutect2.vcf.gz"));
    ASSERT_EQ(dialogs.vcf_offers.size(), 2u);
    EXPECT_DOUBLE_EQ(dialogs.vcf_offers[1].min_level, 0.1);
    EXPECT_EQ(summaries()[0], "mutect2.vcf.gz  -  1 sequences");
    EXPECT_EQ(form.workspace().sample_positions[0].size(), 5u);  // filtered 2706 and 4769 kept
}

TEST_F(VcfOpen, CancellingTheQuestionOrARefusedFileChangesNothing) {
    TempFile list("vcf_open_list.txt", ">a\n73 \n");
    open(list.path());
    const std::vector<QString> before = summaries();
    open(data_path("vcf/mutserve.vcf"));  // no answer: the question is cancelled
    EXPECT_EQ(dialogs.vcf_offers.size(), 1u);
    EXPECT_TRUE(dialogs.errors.empty());
    EXPECT_EQ(summaries(), before);

    dialogs.vcf_answers.push_back(VcfChoice{});
    open(data_path("vcf/hg19_chrM.vcf"));
    ASSERT_EQ(dialogs.errors.size(), 1u);
    EXPECT_TRUE(dialogs.errors[0].contains("16571")) << dialogs.errors[0].toStdString();
    EXPECT_EQ(summaries(), before);
    EXPECT_EQ(form.workspace().sample_names.size(), 1u);
    EXPECT_TRUE(dialogs.informations.empty());
}

TEST_F(VcfOpen, HsdNeedsNoQuestionAndBadHsdNamesTheFile) {
    open(data_path("vcf/cohort.hsd"));
    EXPECT_TRUE(dialogs.vcf_offers.empty());
    ASSERT_EQ(dialogs.informations.size(), 1u);
    EXPECT_EQ(summaries()[0], "cohort.hsd  -  3 sequences");
    TempFile tabs("vcf_open_tabs.hsd", "\t\t\t\n");
    open(tabs.path());
    EXPECT_EQ(dialogs.errors, (std::vector<QString>{"tmp_vcf_open_tabs.hsd: no sample line: an HSD line holds the sample "
                                                    "id, the range, the haplogroup and the variants, separated by "
                                                    "tabs."}));
}

TEST_F(VcfOpen, NetworkExportReadsTheConvertedListWithItsOwnReader) {
    dialogs.vcf_answers.push_back(VcfChoice{});
    dialogs.open_answers.push_back(data_path("vcf/kg_haploid.vcf"));
    form.ExportToNetworkFile1Click();
    ASSERT_EQ(shown, (std::vector<QDialog*>{form.Form7}));
    EXPECT_EQ(form.Form7->Label2->text(), "kg_haploid.vcf  -  4 sequences");
    // A transition keeps "Z" in the network reading, as from a list.
    const auto& ws = form.workspace();
    EXPECT_EQ(ws.sample_bases[0], "ZZZ");  // its 3107T is the placeholder, no variant
}

TEST_F(VcfOpen, BothOpenCommandsRefuseDamagedFilesWithTheReadersMessage) {
    const std::string head =
        "##fileformat=VCFv4.2\n##FORMAT=<ID=GT,Number=1,Type=String,Description=\"g\">\n"
        "#CHROM\tPOS\tID\tREF\tALT\tQUAL\tFILTER\tINFO\tFORMAT\tX\n";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {head + "chrM\t73\t.\tA\tG\t.\tPASS\t.\tGT\t1\nMT\t263\t.\tA\tG\t.\tPASS\t.\tGT\t1\n",
         "tmp_vcf_open_bad.vcf: line 5 is on MT, but line 4 is on chrM: the file names the mitochondrial sequence "
         "twice, and its records are not merged."},
        {head + "MT\t73\t.\tA\tG\t.\tfa\t.\tGT\t1\n",
         "tmp_vcf_open_bad.vcf: no call was kept; passed over: 1 filtered records (FILTER neither PASS nor \".\"; "
         "--include-filtered keeps them)."},
        {"", "tmp_vcf_open_bad.vcf: the file is empty (0 bytes): there is nothing to read."},
    };
    TempFile list("vcf_open_list.txt", ">a\n73 \n");
    open(list.path());
    const std::vector<QString> before = summaries();
    for (const auto& [text, message] : cases) {
        TempFile bad("vcf_open_bad.vcf", text);
        dialogs.errors.clear();
        dialogs.vcf_answers.push_back(VcfChoice{});
        open(bad.path());
        EXPECT_EQ(dialogs.errors, (std::vector<QString>{QString::fromStdString(message)}));
        EXPECT_EQ(summaries(), before);
        dialogs.errors.clear();
        dialogs.vcf_answers.push_back(VcfChoice{});
        dialogs.open_answers.push_back(bad.path());
        form.ExportToNetworkFile1Click();
        EXPECT_EQ(dialogs.errors, (std::vector<QString>{QString::fromStdString(message)}));
    }
    EXPECT_TRUE(shown.empty());
}
