// Every file dialog starts in the folder of the last file chosen in this run,
// and each save dialog offers the name chosen in it last time.
#include <gtest/gtest.h>

#include <QPushButton>
#include <filesystem>
#include <string>

#include "fake_dialogs.h"
#include "ui/Corvella_unit.h"
#include "ui/Nonprotein.h"
#include "ui/Synonymouscounting.h"
#include "ui/qt_dialogs.h"

using corvella::DialogStart;
using corvella::Dialogs;
using corvella::FakeDialogs;

namespace {

const std::string DATA = CORVELLA_TEST_DATA;

class DialogMemory : public ::testing::Test {
protected:
    DialogMemory() : form(dialogs) {
        form.show_modal = [](QDialog&) {};
        dir = std::string(CORVELLA_BINARY_DIR) + "/dialog_memory_" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::create_directories(dir + "/reports");
    }
    ~DialogMemory() override {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
    void save(QPushButton* button, const std::string& path, int type) {
        dialogs.save_answers.push_back(Dialogs::SaveChoice{path, type});
        button->click();
    }

    FakeDialogs dialogs;
    TForm1 form;
    std::string dir;
};

}  // namespace

namespace corvella {
bool operator==(const DialogStart& a, const DialogStart& b) { return a.folder == b.folder && a.name == b.name; }
std::ostream& operator<<(std::ostream& os, const DialogStart& s) {
    return os << "{" << s.folder << ", " << s.name << "}";
}
}  // namespace corvella

TEST_F(DialogMemory, DialogsStartWhereTheLastFileWasAndSaveDialogsOfferTheirLastName) {
    // The first dialog of a run has nothing to go by.
    form.HumanReference1->trigger();
    dialogs.open_answers.push_back(DATA + "/cli/six_keys.txt");
    form.OpenPolymorphismsFile1->trigger();
    EXPECT_EQ(dialogs.open_starts.back(), (DialogStart{"", ""}));

    // The next open dialog, whichever it is, starts in the list's folder.
    form.ImportAlignedFiles1->trigger();  // cancelled
    EXPECT_EQ(dialogs.open_starts.back(), (DialogStart{DATA + "/cli", ""}));
    // A cancelled dialog changes nothing.
    form.OpenOtherReferenceFile1->trigger();
    EXPECT_EQ(dialogs.open_starts.back(), (DialogStart{DATA + "/cli", ""}));

    // A save into another folder moves every dialog there.
    TForm4& protein = *form.Form4;
    form.Protein1->trigger();
    save(protein.Button2, dir + "/reports/summary", 1);
    EXPECT_TRUE(std::filesystem::exists(dir + "/reports/summary.txt"));
    EXPECT_EQ(dialogs.save_starts.back(), (DialogStart{DATA + "/cli", ""}));
    save(protein.Button3, dir + "/reports/positions", 1);
    // The same dialog (SaveDialog1 of the protein window) saves three tables:
    // each offers the name chosen for it last, none before its first save.
    EXPECT_EQ(dialogs.save_starts.back(), (DialogStart{dir + "/reports", ""}));
    protein.Button2->click();  // cancelled
    EXPECT_EQ(dialogs.save_starts.back(), (DialogStart{dir + "/reports", "summary"}));
    // The chart's dialog is another one: folder yes, name not yet.
    save(protein.Button1, dir + "/reports/chart.bmp", 1);
    EXPECT_EQ(dialogs.save_starts.back(), (DialogStart{dir + "/reports", ""}));
    protein.Button1->click();  // cancelled, but offered its own last name
    EXPECT_EQ(dialogs.save_starts.back(), (DialogStart{dir + "/reports", "chart.bmp"}));
    protein.Button4->click();
    EXPECT_EQ(dialogs.save_starts.back(), (DialogStart{dir + "/reports", ""}));
    protein.Button3->click();
    EXPECT_EQ(dialogs.save_starts.back(), (DialogStart{dir + "/reports", "positions"}));

    // Another window's dialog with the same kind of filter has its own name.
    form.NonProtein1->trigger();
    form.Form5->Button1->click();
    EXPECT_EQ(dialogs.save_starts.back(), (DialogStart{dir + "/reports", ""}));

    form.OpenPolymorphismsFile1->trigger();
    EXPECT_EQ(dialogs.open_starts.back(), (DialogStart{dir + "/reports", ""}));
}

TEST_F(DialogMemory, TwoSaveDialogsOfOneWindowWithOneFilterKeepTheirOwnNames) {
    form.HumanReference1->trigger();
    dialogs.open_answers.push_back(DATA + "/cli/six_keys.txt");
    form.OpenPolymorphismsFile1->trigger();
    dialogs.save_answers.push_back(Dialogs::SaveChoice{dir + "/reports/variants", 1});
    form.VariantTable1->trigger();
    ASSERT_TRUE(std::filesystem::exists(dir + "/reports/variants.txt"));
    form.GeneTable1->trigger();
    EXPECT_EQ(dialogs.save_starts.back(), (DialogStart{dir + "/reports", ""}));
    form.VariantTable1->trigger();
    EXPECT_EQ(dialogs.save_starts.back(), (DialogStart{dir + "/reports", "variants"}));
}

TEST_F(DialogMemory, TheImageDialogStartsWithTheTypeChosenLastInAnyChartsDialog) {
    form.HumanReference1->trigger();
    dialogs.open_answers.push_back(DATA + "/cli/six_keys.txt");
    form.OpenPolymorphismsFile1->trigger();
    form.Protein1->trigger();
    TForm4& protein = *form.Form4;
    protein.Button1->click();  // cancelled: the first of the run starts on Bitmap
    save(protein.Button1, dir + "/reports/chart", 2);
    EXPECT_TRUE(std::filesystem::exists(dir + "/reports/chart.png"));
    protein.Button1->click();
    form.NonProtein1->trigger();
    save(form.Form5->Button5, dir + "/reports/regions", 3);  // another window's chart, same memory
    protein.Button1->click();
    EXPECT_EQ(dialogs.save_initial_indexes, (std::vector<int>{1, 1, 2, 2, 3}));
    // The table dialogs keep their own type.
    protein.Button2->click();
    EXPECT_EQ(dialogs.save_initial_indexes.back(), 1);
}

TEST_F(DialogMemory, TheTableCommandsSaveDialogsAreTitledWithTheirTable) {
    form.HumanReference1->trigger();
    dialogs.open_answers.push_back(DATA + "/cli/six_keys.txt");
    form.OpenPolymorphismsFile1->trigger();
    form.VariantTable1->trigger();
    form.GeneTable1->trigger();
    ASSERT_EQ(dialogs.save_starts.size(), 2u);
    EXPECT_EQ(dialogs.save_starts[0].title, "Save Variant Table");
    EXPECT_EQ(dialogs.save_starts[1].title, "Save Gene Table");
    // The counting windows' dialogs keep the toolkit's own title.
    form.Protein1->trigger();
    form.Form4->Button2->click();
    EXPECT_EQ(dialogs.save_starts.back().title, "");
}

TEST(QtDialogStart, FolderAndNameMakeTheDialogsStartingPath) {
    EXPECT_EQ(corvella::qt_start_path({"", ""}), "");
    EXPECT_EQ(corvella::qt_start_path({"/data/runs", ""}), "/data/runs");
    EXPECT_EQ(corvella::qt_start_path({"/data/runs", "summary"}), "/data/runs/summary");
    EXPECT_EQ(corvella::qt_start_path({"", "summary"}), "summary");
}
