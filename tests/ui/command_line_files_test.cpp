// `corvella FILE...`: files named on the command line open through the menu
// command a person would choose, without showing an open dialog.
#include <gtest/gtest.h>

#include <QAction>

#include "fake_dialogs.h"
#include "ui/Corvella_unit.h"
#include "ui/command_line_files.h"

using corvella::FakeDialogs;
using corvella::PresetOpenDialogs;

namespace {

const std::string kData = CORVELLA_TEST_DATA;

class CommandLineFiles : public ::testing::Test {
protected:
    CommandLineFiles() : form(dialogs) {}

    void open(const std::string& path) {
        corvella::open_command_line_file(
            form, [this](std::optional<std::string> p) { dialogs.answer_next_open(std::move(p)); }, path);
    }

    PresetOpenDialogs<FakeDialogs> dialogs;
    TForm1 form;
};

}  // namespace

TEST_F(CommandLineFiles, AListLoadsTheHumanReferenceFirst) {
    open(kData + "/cli/six_keys.txt");
    EXPECT_TRUE(form.HumanReference1->isChecked());
    EXPECT_EQ(form.windowTitle(), "Corvella - AC_000021");
    EXPECT_TRUE(form.Protein1->isEnabled());
    EXPECT_TRUE(form.tRNAshumanonly1->isEnabled());
    EXPECT_TRUE(dialogs.open_filters.empty());  // no dialog was shown
    EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(CommandLineFiles, AListKeepsAReferenceAlreadyLoaded) {
    form.HumanReference1->trigger();
    open(kData + "/cli/six_keys.txt");
    EXPECT_TRUE(form.HumanReference1->isChecked());  // not toggled off again
    EXPECT_TRUE(form.Protein1->isEnabled());

    // A GenBank reference, then a list: the list is read on that reference.
    open(kData + "/NC_012920.1.gb");
    EXPECT_EQ(form.windowTitle(), "Corvella - NC_012920");
    EXPECT_FALSE(form.Protein1->isEnabled());
    open(kData + "/cli/six_keys.txt");
    EXPECT_FALSE(form.HumanReference1->isChecked());
    EXPECT_EQ(form.windowTitle(), "Corvella - NC_012920");
    EXPECT_TRUE(form.Protein1->isEnabled());
    EXPECT_FALSE(form.tRNAshumanonly1->isEnabled());  // human reference only
    EXPECT_TRUE(dialogs.open_filters.empty());
}

TEST_F(CommandLineFiles, AGenBankFileOpensAsTheReference) {
    EXPECT_TRUE(corvella::looks_like_genbank(kData + "/NC_012920.1.gb"));
    EXPECT_FALSE(corvella::looks_like_genbank(kData + "/cli/six_keys.txt"));
    open(kData + "/NC_012920.1.gb");
    EXPECT_EQ(form.windowTitle(), "Corvella - NC_012920");
    EXPECT_FALSE(form.HumanReference1->isChecked());
    EXPECT_TRUE(form.CheckPosition1->isEnabled());
    EXPECT_TRUE(dialogs.open_filters.empty());
}

TEST_F(CommandLineFiles, AVcfAsksItsQuestionAndShowsItsSummary) {
    dialogs.vcf_answers.push_back(corvella::VcfChoice{0.9, true});
    open(kData + "/vcf/mity.vcf");
    EXPECT_TRUE(form.HumanReference1->isChecked());
    EXPECT_EQ(dialogs.vcf_offers.size(), 1u);
    EXPECT_EQ(dialogs.informations.size(), 1u);
    EXPECT_TRUE(form.Protein1->isEnabled());
}

TEST_F(CommandLineFiles, AFileThatCannotBeReadLeavesNoAnswerForTheNextDialog) {
    open(kData + "/no such file.txt");
    EXPECT_EQ(dialogs.errors.size(), 1u);
    EXPECT_FALSE(form.Protein1->isEnabled());
    // The next "Open Polymorphism File..." shows its dialog again.
    form.OpenPolymorphismsFile1->trigger();
    EXPECT_EQ(dialogs.open_filters.size(), 1u);
}
