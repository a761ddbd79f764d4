// "Import Unaligned File...": whole mitogenomes aligned to the loaded
// reference, their summary in "Calculate Polymorphisms", then Run and Save
// As as after an aligned import; driven through the scripted dialogs.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <fstream>
#include <sstream>

#include "input/aligned_import.h"
#include "core/temp_file.h"
#include "fake_dialogs.h"
#include "unaligned_fasta.h"
#include "ui/Corvella_unit.h"
#include "ui/Polymorphisms.h"
#include "ui/Progressbarform.h"

using corvella::FakeDialogs;
using corvella_test::data_path;
using corvella_test::TempFile;
using corvella_test::raw_fasta;

namespace {

std::string file_content(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class UnalignedImport : public ::testing::Test {
protected:
    UnalignedImport() : form(dialogs) {
        form.show_modal = [this](QDialog& window) { shown.push_back(&window); };
    }
    void import(const std::string& path) {
        dialogs.open_answers.push_back(path);
        form.ImportUnalignedFile1->trigger();
    }

    FakeDialogs dialogs;
    TForm1 form;
    std::vector<QDialog*> shown;
};

}  // namespace

TEST_F(UnalignedImport, NeedsAReferenceThenShowsTheSummaryRunsAndSaves) {
    EXPECT_FALSE(form.ImportUnalignedFile1->isEnabled());
    form.HumanReference1->trigger();
    ASSERT_TRUE(form.ImportUnalignedFile1->isEnabled());

    TempFile raw("ui_raw.fasta", raw_fasta());
    import(raw.path());
    EXPECT_TRUE(dialogs.errors.empty());
    EXPECT_EQ(dialogs.open_filters.back(), TForm1::OpenDialog4Filter);
    ASSERT_EQ(shown, std::vector<QDialog*>{form.Form2});
    EXPECT_FALSE(form.Form6->isVisible());
    EXPECT_EQ(form.Form6->windowTitle(), "Corvella - 100%");

    TForm2& window = *form.Form2;
    EXPECT_EQ(window.Label2->text(), "tmp_ui_raw.fasta");
    const QString summary = window.Memo1->toPlainText();
    EXPECT_TRUE(summary.startsWith("2 sequences were read, 2 aligned to the reference (16569 bases).\n\n"
                                   ">HM625681.1 Homo sapiens isolate Lab004 mitochondrion, complete genome\n"
                                   "16570 letters, 16570 aligned columns, 14 differences"))
        << summary.toStdString();
    EXPECT_FALSE(window.Button4->isEnabled());

    window.Button1->click();
    EXPECT_TRUE(window.Button4->isEnabled());
    const std::string list = window.Memo1->toPlainText().toStdString();
    EXPECT_EQ(list.substr(0, 35), ">rCRS\nNumbering Reference\n\n>HM62568");
    EXPECT_NE(list.find("\n263 315insC 750 "), std::string::npos);
    EXPECT_NE(list.find(" 15944delT "), std::string::npos);

    const std::string saved = std::string(CORVELLA_BINARY_DIR) + "/tmp_ui_unaligned_list";
    dialogs.save_answers.push_back(corvella::Dialogs::SaveChoice{saved, 1});
    window.Button4->click();
    const std::string written = file_content(saved + ".txt");
    std::remove((saved + ".txt").c_str());
    EXPECT_NE(written.find("\r\n263 315insC 750 "), std::string::npos);

    // An aligned import afterwards runs the aligned caller again.
    window.Button3->click();
    dialogs.open_answers.push_back(data_path("aligned-3.fasta"));
    form.ImportAlignedFiles1->trigger();
    window.Button1->click();
    EXPECT_NE(window.Memo1->toPlainText().toStdString().find(" 310insC "), std::string::npos);
}

TEST_F(UnalignedImport, ForeignReferenceNamesTheListAndBadFilesGiveTheirMessage) {
    dialogs.open_answers.push_back(data_path("NC_012920.1.gb"));
    form.OpenOtherReferenceFile1->trigger();
    TempFile protein("ui_protein.fasta", ">p\nMKVL\n");
    TempFile raw("ui_raw2.fasta", raw_fasta());
    import(protein.path());
    import("/nonexistent/raw.fasta");
    EXPECT_EQ(dialogs.errors,
              (std::vector<QString>{"tmp_ui_protein.fasta: Line 2: \"L\" is not a nucleotide letter (record \"p\").",
                                    "raw.fasta: File cannot be opened."}));
    EXPECT_TRUE(shown.empty());
    import(raw.path());
    form.Form2->Button1->click();
    EXPECT_TRUE(form.Form2->Memo1->toPlainText().startsWith(">NC_012920\nNumbering Reference\n"));
}
