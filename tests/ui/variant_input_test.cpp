// The variant input commands of the main window and the "Calculate
// Polymorphisms" window, driven through the scripted dialogs.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "core/human_reference.h"
#include "core/temp_file.h"
#include "fake_dialogs.h"
#include "ui/Corvella_unit.h"
#include "ui/Nonprotein.h"
#include "ui/Polymorphisms.h"
#include "ui/Rrnastructure.h"
#include "ui/Synonymouscounting.h"
#include "ui/Trnastructure.h"

using corvella::FakeDialogs;
using corvella_test::data_path;
using corvella_test::TempFile;

namespace {

std::string file_content(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class VariantInput : public ::testing::Test {
protected:
    VariantInput() : form(dialogs) {
        form.show_modal = [this](QDialog& window) { shown.push_back(&window); };
    }

    // Which counting items are enabled, and the human mark.
    std::vector<bool> counting_state() const {
        return {form.CheckPosition1->isEnabled(), form.Protein1->isEnabled(), form.NonProtein1->isEnabled(),
                form.tRNAshumanonly1->isEnabled(), form.rRNAshumanonly1->isEnabled(),
                form.HumanReference1->isChecked()};
    }
    std::vector<QString> summaries() const {
        return {form.Form4->Label1->text(), form.Form5->Label1->text(), form.Form9->Label1->text(),
                form.Form10->Label1->text()};
    }
    void open_list(const std::string& path) {
        dialogs.open_answers.push_back(path);
        form.OpenPolymorphismsFile1->trigger();
    }
    void open_reference(const std::string& path) {
        dialogs.open_answers.push_back(path);
        form.OpenOtherReferenceFile1->trigger();
    }
    void import(const std::string& path) {
        dialogs.open_answers.push_back(path);
        form.ImportAlignedFiles1->trigger();
    }

    FakeDialogs dialogs;
    TForm1 form;
    std::vector<QDialog*> shown;
};

}  // namespace

TEST_F(VariantInput, ListAfterEachReferenceEnablesItsCountingAndSetsTheSummaries) {
    TempFile list("ui_two.txt", ">ref\nNumbering Reference\n\n>a\n73 \n\n>b\n16519A \n\n");
    form.HumanReference1->trigger();
    open_list(list.path());
    EXPECT_TRUE(dialogs.errors.empty());
    EXPECT_EQ(dialogs.open_filters.back(), TForm1::OpenDialog3Filter);
    EXPECT_EQ(counting_state(), (std::vector<bool>{true, true, true, true, true, true}));
    EXPECT_EQ(summaries(), std::vector<QString>(4, "tmp_ui_two.txt  -  2 sequences"));
    EXPECT_EQ(form.workspace().variant_tally.size(), 2u);

    open_reference(data_path("NC_012920.1.gb"));
    EXPECT_EQ(form.windowTitle(), "Corvella - NC_012920");
    EXPECT_EQ(counting_state(), (std::vector<bool>{true, false, false, false, false, false}));
    EXPECT_EQ(form.workspace().region_table, corvella::HUMAN_REGION_TABLE);
    open_list(list.path());
    EXPECT_EQ(counting_state(), (std::vector<bool>{true, true, true, false, false, false}));
}

TEST_F(VariantInput, FailedReadsChangeNeitherWorkspaceNorTitleNorMenus) {
    TempFile good("ui_good.txt", ">a\n73\n");
    TempFile more_entries("ui_more_entries.txt", ">a\n73\n263\n");
    std::string gb = file_content(data_path("NC_012920.1.gb"));
    gb.replace(gb.find("ACCESSION"), 9, "COMMENTED");
    TempFile no_accession("ui_no_accession.gb", gb);
    TempFile blank_first("ui_blank_first.fasta", "\n>r\nACGT\n");

    form.HumanReference1->trigger();
    open_list(good.path());
    import(data_path("aligned-3.fasta"));
    shown.clear();
    const corvella::Workspace before = form.workspace();
    const std::vector<bool> menus = counting_state();
    const std::vector<QString> labels = summaries();

    open_list(more_entries.path());
    open_list("/nonexistent/list.txt");
    open_reference(no_accession.path());
    open_reference("/nonexistent/ref.gb");
    import(blank_first.path());
    import("/nonexistent/aligned.fasta");
    EXPECT_EQ(dialogs.errors, (std::vector<QString>{"Bad input format.", "File cannot be opened.", "Bad input format.",
                                                    "File cannot be opened.", "Bad input format.",
                                                    "File cannot be openned."}));
    const corvella::Workspace& after = form.workspace();
    EXPECT_EQ(after.sample_positions, before.sample_positions);
    EXPECT_EQ(after.sample_names, before.sample_names);
    EXPECT_EQ(after.variant_tally, before.variant_tally);
    EXPECT_EQ(after.ref_sequence, before.ref_sequence);
    EXPECT_EQ(after.region_table, before.region_table);
    EXPECT_EQ(after.aligned_sequences, before.aligned_sequences);
    EXPECT_EQ(form.windowTitle(), "Corvella - AC_000021");
    EXPECT_EQ(counting_state(), menus);
    EXPECT_EQ(summaries(), labels);
    EXPECT_TRUE(shown.empty());  // the polymorphism window opens only after a good import
}

TEST_F(VariantInput, ImportRunSaveAndOpenTheSavedList) {
    import(data_path("aligned-3.fasta"));
    ASSERT_EQ(shown, std::vector<QDialog*>{form.Form2});
    TForm2& window = *form.Form2;
    EXPECT_EQ(window.Label2->text(), "aligned-3.fasta");
    EXPECT_EQ(window.Memo1->toPlainText(), "3 sequences were retrieved.");
    EXPECT_TRUE(window.Memo1->isReadOnly());
    EXPECT_FALSE(window.Button4->isEnabled());

    window.Button1->click();
    EXPECT_TRUE(window.Button4->isEnabled());
    const QString memo = window.Memo1->toPlainText();
    EXPECT_TRUE(memo.startsWith(">rCRS\nNumbering Reference\n\n>HM625681.1 ")) << memo.left(80).toStdString();
    EXPECT_EQ(memo.toStdString(), window.list_text());

    const std::string base = std::string(CORVELLA_BINARY_DIR) + "/ui_saved_list";
    std::remove((base + ".txt").c_str());
    dialogs.save_answers.push_back(corvella::Dialogs::SaveChoice{base, 1});
    window.Button4->click();
    EXPECT_EQ(dialogs.save_filters.back(), "Text file (*.txt)|*.txt");
    EXPECT_TRUE(dialogs.save_confirm_overwrite.back());
    std::string crlf;
    for (char c : window.list_text()) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_EQ(file_content(base + ".txt"), crlf);

    // The completed name is an existing file: declining the question keeps it.
    dialogs.save_answers.push_back(corvella::Dialogs::SaveChoice{base, 1});
    dialogs.replace_answers.push_back(false);
    window.Memo1->clear();
    window.Button1->click();
    window.Button4->click();
    EXPECT_EQ(dialogs.replace_questions, std::vector<std::string>{base + ".txt"});

    window.Button3->click();
    EXPECT_TRUE(form.workspace().aligned_sequences.empty());
    EXPECT_TRUE(form.workspace().aligned_names.empty());

    form.HumanReference1->trigger();
    open_list(base + ".txt");
    EXPECT_TRUE(dialogs.errors.empty());
    EXPECT_EQ(summaries()[0], "ui_saved_list.txt  -  2 sequences");
    EXPECT_EQ(form.workspace().variant_tally.at(corvella::VariantKey{263, 'G'}), 2);
    std::remove((base + ".txt").c_str());
}

TEST_F(VariantInput, SaveAsAppendsTxtUnlessTheNameEndsInIt) {
    import(data_path("aligned-3.fasta"));
    form.Form2->Button1->click();
    const std::string dir = std::string(CORVELLA_BINARY_DIR) + "/";
    for (const char* name : {"result.TXT", "result.txt"}) {
        dialogs.save_answers.push_back(corvella::Dialogs::SaveChoice{dir + name, 1});
        form.Form2->Button4->click();
    }
    for (const char* written : {"result.TXT.txt", "result.txt"}) {
        EXPECT_FALSE(file_content(dir + written).empty()) << written;
        std::remove((dir + written).c_str());
    }
}
