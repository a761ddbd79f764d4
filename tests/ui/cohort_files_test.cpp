// A cohort of several files: chosen together in the Open dialog, named
// together on the command line, or listed in a text file of paths; and
// unaligned FASTA read through "Open Polymorphism File...".
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>

#include "core/temp_file.h"
#include "fake_dialogs.h"
#include "unaligned_fasta.h"
#include "input/aligned_import.h"
#include "input/input_paths.h"
#include "ui/Corvella_unit.h"
#include "ui/Polymorphisms.h"
#include "ui/Synonymouscounting.h"
#include "ui/command_line_files.h"

using corvella::FakeDialogs;
using corvella::PresetOpenDialogs;
using corvella::VcfChoice;
using corvella_test::data_path;
using corvella_test::TempFile;

namespace {

class CohortFiles : public ::testing::Test {
protected:
    CohortFiles() : form(dialogs) {
        form.show_modal = [this](QDialog& window) { shown.push_back(&window); };
    }
    size_t samples() { return form.workspace().sample_positions.size(); }
    std::string loaded() const { return form.LoadedLabel->text().toStdString(); }
    void command_line(const std::vector<std::string>& words) {
        corvella::open_command_line_files(
            form, [this](std::optional<std::string> p) { dialogs.answer_next_open(std::move(p)); }, words);
    }

    PresetOpenDialogs<FakeDialogs> dialogs;
    TForm1 form;
    std::vector<QDialog*> shown;
};

const std::string LIST_A = ">rCRS\nNumbering Reference\n\n>a1\n73G 263G\n>a2\n263G\n";
const std::string LIST_B = ">b1\n16519 \n>b2\n73G\n>b3\n150 \n";

}  // namespace

TEST_F(CohortFiles, TheOpenDialogTakesSeveralFilesAsOneCohort) {
    form.HumanReference1->trigger();
    const TempFile a("cohort_a.txt", LIST_A), b("cohort_b.txt", LIST_B);
    dialogs.open_files_answers.push_back({a.path(), b.path()});
    form.OpenPolymorphismsFile1->trigger();
    EXPECT_TRUE(dialogs.errors.empty());
    EXPECT_EQ(samples(), 5u);
    EXPECT_TRUE(form.Protein1->isEnabled());
    EXPECT_NE(loaded().find("Polymorphism list: tmp_cohort_a.txt and 1 more file - 5 samples"), std::string::npos)
        << loaded();
    EXPECT_EQ(form.Form4->Label1->text(), "tmp_cohort_a.txt and 1 more file  -  5 sequences");

    // Two VCFs: one question for both, one summary naming the two files.
    dialogs.vcf_answers.push_back(VcfChoice{0.9, false});
    dialogs.open_files_answers.push_back({data_path("vcf/mutserve.vcf"), data_path("vcf/mity.vcf")});
    form.OpenPolymorphismsFile1->trigger();
    EXPECT_EQ(dialogs.vcf_offers.size(), 1u);
    ASSERT_EQ(dialogs.informations.size(), 1u);
    EXPECT_TRUE(dialogs.informations[0].startsWith("2 files, 4 samples, ")) << dialogs.informations[0].toStdString();
    EXPECT_EQ(samples(), 4u);

    // A failing file of a cohort leaves the cohort read before.
    const TempFile bad("cohort_bad.txt", "73G\n16519\n>x\n");
    dialogs.open_files_answers.push_back({a.path(), bad.path()});
    form.OpenPolymorphismsFile1->trigger();
    ASSERT_EQ(dialogs.errors.size(), 1u);
    EXPECT_TRUE(dialogs.errors[0].endsWith("Bad input format.")) << dialogs.errors[0].toStdString();
    EXPECT_TRUE(dialogs.error_details[0].contains("cohort_bad.txt")) << dialogs.error_details[0].toStdString();
    EXPECT_EQ(samples(), 4u);
}

TEST_F(CohortFiles, AFileOfPathsOpensTheFilesItLists) {
    form.HumanReference1->trigger();
    const TempFile a("paths_a.txt", LIST_A), b("paths_b.txt", LIST_B);
    // One absolute path, one relative to the list's folder, and an empty line.
    const TempFile paths("paths.txt", a.path() + "\n\n" + "tmp_paths_b.txt\n");
    dialogs.open_answers.push_back(paths.path());
    form.OpenPolymorphismsFile1->trigger();
    EXPECT_TRUE(dialogs.errors.empty());
    EXPECT_EQ(samples(), 5u);
    EXPECT_NE(loaded().find("tmp_paths_a.txt and 1 more file"), std::string::npos) << loaded();

    // What is, and is not, such a file.
    const TempFile missing("paths_missing.txt", a.path() + "\n/no/such/list.txt\n");
    const TempFile self("paths_self.txt", "tmp_paths_self.txt\n");
    const TempFile empty("paths_empty.txt", "\n\n");
    EXPECT_EQ(corvella::listed_paths(paths.path()), (std::vector<std::string>{a.path(), b.path()}));
    for (const std::string& not_a_list : {a.path(), missing.path(), self.path(), empty.path(),
                                          data_path("vcf/mutserve.vcf"), std::string("/no/such/paths.txt")})
        EXPECT_FALSE(corvella::listed_paths(not_a_list).has_value()) << not_a_list;
}

TEST_F(CohortFiles, TheCommandLineOpensItsFilesAsOneCohortAfterItsReference) {
    const TempFile a("cmd_a.txt", LIST_A), b("cmd_b.txt", LIST_B);
    command_line({data_path("NC_012920.1.gb"), a.path(), b.path()});
    EXPECT_EQ(form.windowTitle(), "Corvella - NC_012920");
    EXPECT_TRUE(dialogs.errors.empty());
    EXPECT_EQ(samples(), 5u);
    EXPECT_TRUE(form.Protein1->isEnabled());

    // Three VCFs: one question, all kept.
    dialogs.vcf_answers.push_back(VcfChoice{0.9, false});
    command_line({data_path("vcf/mutserve.vcf"), data_path("vcf/mity.vcf"), data_path("vcf/mtoolbox.vcf")});
    EXPECT_EQ(dialogs.vcf_offers.size(), 1u);
    EXPECT_EQ(samples(), 6u);

    // @PATHS stands for the files it lists, as for corvella-cli.
    const TempFile paths("cmd_paths.txt", a.path() + "\n" + b.path() + "\n");
    command_line({"@" + paths.path()});
    EXPECT_TRUE(dialogs.errors.empty());
    EXPECT_EQ(samples(), 5u);
    command_line({"@/no/such/paths.txt"});
    ASSERT_EQ(dialogs.errors.size(), 1u);
    EXPECT_EQ(dialogs.errors[0], "File cannot be opened.");
    EXPECT_TRUE(dialogs.error_details[0].contains("/no/such/paths.txt")) << dialogs.error_details[0].toStdString();
    EXPECT_TRUE(dialogs.open_filters.empty());  // no dialog was shown
}

TEST_F(CohortFiles, AnUnalignedFastaOpenedForCountingShowsItsAlignmentSummary) {
    form.HumanReference1->trigger();
    const TempFile fasta("counting.fasta", corvella_test::raw_fasta());
    const corvella::AlignedReadResult aligned =
        corvella::parse_aligned_text(corvella_test::data_text("aligned-3.fasta"));
    dialogs.open_answers.push_back(fasta.path());
    form.ImportUnalignedFile1->trigger();
    ASSERT_EQ(shown.size(), 1u);
    const QString imported = form.Form2->Memo1->toPlainText();
    ASSERT_FALSE(imported.isEmpty());

    dialogs.open_answers.push_back(fasta.path());
    form.OpenPolymorphismsFile1->trigger();
    EXPECT_TRUE(dialogs.errors.empty());
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1], form.Form2);
    EXPECT_EQ(form.Form2->Memo1->toPlainText(), imported);
    EXPECT_EQ(form.Form2->Label2->text(), "tmp_counting.fasta");
    EXPECT_EQ(samples(), aligned.sequences.size() - 1);
    EXPECT_TRUE(form.Protein1->isEnabled());
}
