// The main window as a keyboard user and a reader of its status see it:
// mnemonics and shortcuts on the menu, and the line naming what is loaded.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "fake_dialogs.h"
#include "ui/Corvella_unit.h"
#include "ui/Nonprotein.h"
#include "ui/Rrnastructure.h"
#include "ui/Synonymous.h"
#include "ui/Synonymouscounting.h"
#include "ui/Trnastructure.h"
#include "ui/widget_helpers.h"

using corvella::FakeDialogs;
using corvella::mnemonic_of;
using corvella::shown_caption;

namespace {

const std::string DATA = CORVELLA_TEST_DATA;

class MainWindowKeys : public ::testing::Test {
protected:
    MainWindowKeys() : form(dialogs) { form.show_modal = [this](QDialog& w) { shown.push_back(&w); }; }

    std::string loaded() const { return form.LoadedLabel->text().toStdString(); }

    FakeDialogs dialogs;
    TForm1 form;
    std::vector<QDialog*> shown;
};

// Every item of `menu` and of the menus under it, with the path of captions.
void walk(const QList<QAction*>& actions, const std::string& path,
          const std::function<void(const QList<QAction*>&, const std::string&)>& visit) {
    visit(actions, path);
    for (QAction* a : actions)
        if (QMenu* sub = a->menu()) walk(sub->actions(), path + "/" + shown_caption(a->text()).toStdString(), visit);
}

}  // namespace

TEST_F(MainWindowKeys, EveryCaptionHasItsOwnMnemonicAmongItsSiblings) {
    int items = 0;
    walk(form.menuBar()->actions(), "", [&](const QList<QAction*>& siblings, const std::string& path) {
        std::set<QChar> taken;
        for (QAction* a : siblings) {
            if (a->isSeparator()) continue;
            ++items;
            const QChar letter = mnemonic_of(a->text());
            EXPECT_FALSE(letter.isNull()) << path << ": " << a->text().toStdString();
            EXPECT_TRUE(taken.insert(letter).second)
                << path << ": '" << QString(letter).toStdString() << "' twice, at " << a->text().toStdString();
        }
    });
    EXPECT_GE(items, 16);
    // The marker adds nothing to what is read.
    EXPECT_EQ(shown_caption(form.Exit1->text()), "Exit");
    EXPECT_EQ(shown_caption(form.CheckPosition1->text()), "Check Position");
    EXPECT_EQ(shown_caption(form.tRNAshumanonly1->text()), "tRNA's (human only)");
    EXPECT_EQ(shown_caption("Salt && Pepper"), "Salt & Pepper");
    EXPECT_TRUE(mnemonic_of("Salt && Pepper").isNull());
    EXPECT_EQ(mnemonic_of("Salt && &Pepper"), QChar('p'));
}

TEST_F(MainWindowKeys, CommonCommandsHaveShortcuts) {
    EXPECT_EQ(form.OpenPolymorphismsFile1->shortcut(), QKeySequence(QKeySequence::Open));
    EXPECT_EQ(form.OpenOtherReferenceFile1->shortcut(), QKeySequence("Ctrl+R"));
    EXPECT_EQ(form.CheckPosition1->shortcut(), QKeySequence("Ctrl+P"));
    EXPECT_EQ(form.Exit1->shortcut(), QKeySequence("Ctrl+Q"));
    std::set<QKeySequence> keys;
    walk(form.menuBar()->actions(), "", [&](const QList<QAction*>& siblings, const std::string&) {
        for (QAction* a : siblings) {
            if (!a->shortcut().isEmpty()) {
                EXPECT_TRUE(keys.insert(a->shortcut()).second) << a->text().toStdString();
            }
        }
    });
    EXPECT_EQ(keys.size(), 4u);
}

TEST_F(MainWindowKeys, ShortcutsRunTheirCommandOnlyWhereTheMenuReachesIt) {
    form.show();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    // No reference yet: "Check Database" is greyed, so is the list command.
    QTest::keyClick(&form, Qt::Key_O, Qt::ControlModifier);
    QTest::keyClick(&form, Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(dialogs.open_filters.empty());
    EXPECT_TRUE(shown.empty());
    QTest::keyClick(&form, Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(dialogs.open_filters, std::vector<QString>{TForm1::OpenDialog1Filter});

    form.HumanReference1->trigger();
    QTest::keyClick(&form, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(dialogs.open_filters.back(), TForm1::OpenDialog3Filter);
    QTest::keyClick(&form, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(shown, std::vector<QDialog*>{static_cast<QDialog*>(form.Form3)});
    QTest::keyClick(&form, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(form.isVisible());
}

TEST_F(MainWindowKeys, TheLoadedLineFollowsEveryRead) {
    EXPECT_EQ(loaded(), "Reference: none\nPolymorphism list: none");
    form.HumanReference1->trigger();
    const std::string human = "Reference: built-in human reference (AC_000021); genetic code 2 (Vertebrate Mitochondrial)";
    EXPECT_EQ(loaded(), human + "\nPolymorphism list: none");

    dialogs.open_answers.push_back(DATA + "/cli/six_keys.txt");
    form.OpenPolymorphismsFile1->trigger();
    const size_t keys = form.workspace().variant_tally.size();
    const int32_t samples = static_cast<int32_t>(form.workspace().sample_positions.size());
    EXPECT_EQ(loaded(), human + "\nPolymorphism list: six_keys.txt - " +
                            std::to_string(samples) + " samples, " + std::to_string(keys) + " distinct variants");

    // A failed read leaves the line as it was.
    dialogs.open_answers.push_back(DATA + "/no-such-list.txt");
    form.OpenPolymorphismsFile1->trigger();
    EXPECT_EQ(dialogs.errors.size(), 1u);
    EXPECT_NE(loaded().find("six_keys.txt"), std::string::npos);

    dialogs.open_answers.push_back(DATA + "/NC_012920.1.gb");
    form.OpenOtherReferenceFile1->trigger();
    EXPECT_EQ(loaded().substr(0, loaded().find('\n')),
              "Reference: NC_012920 (NC_012920.1.gb); genetic code 2 (Vertebrate Mitochondrial)");

    form.HumanReference1->trigger();  // on
    form.HumanReference1->trigger();  // off again: nothing loaded
    EXPECT_EQ(loaded().substr(0, loaded().find('\n')), "Reference: none");
}

TEST_F(MainWindowKeys, NetworkExportNamesItsFileInTheCountingWindows) {
    form.HumanReference1->trigger();
    dialogs.open_answers.push_back(DATA + "/cli/six_keys.txt");
    form.OpenPolymorphismsFile1->trigger();
    ASSERT_EQ(form.Form4->Label1->text().toStdString().rfind("six_keys.txt  -  ", 0), 0u);

    const std::string dir = std::string(CORVELLA_BINARY_DIR) + "/keys_network_export";
    std::filesystem::create_directories(dir);
    const std::string other = dir + "/other.txt";
    std::ofstream(other, std::ios::binary) << ">a\n73G 263G\n>b\n263G 16519\n>c\n263G\n";
    dialogs.open_answers.push_back(other);
    form.ExportToNetworkFile1->trigger();
    // The counting windows now count the exported list: their label says so.
    for (QLabel* label : {form.Form4->Label1, form.Form5->Label1, form.Form9->Label1, form.Form10->Label1})
        EXPECT_EQ(label->text(), "other.txt  -  3 sequences");
    // Its tally holds the distinct variants that vary, named as every read names them.
    EXPECT_NE(loaded().find("Polymorphism list: other.txt - 3 samples, 2 distinct variants"), std::string::npos)
        << loaded();
    std::filesystem::remove_all(dir);
}

TEST_F(MainWindowKeys, AReferenceOpenedAfterAListLeavesNoListNamedWhileCountingIsOff) {
    struct Step {
        const char* what;
        std::function<void()> act;
    };
    const std::vector<Step> loads = {
        {"another reference", [&] {
             dialogs.open_answers.push_back(DATA + "/NC_012920.1.gb");
             form.OpenOtherReferenceFile1->trigger();
         }},
        {"the human reference off and on", [&] {
             form.HumanReference1->trigger();
             form.HumanReference1->trigger();
         }},
    };
    for (const Step& s : loads) {
        SCOPED_TRACE(s.what);
        if (!form.HumanReference1->isChecked()) form.HumanReference1->trigger();
        dialogs.open_answers.push_back(DATA + "/cli/six_keys.txt");
        form.OpenPolymorphismsFile1->trigger();
        ASSERT_NE(loaded().find("six_keys.txt"), std::string::npos);
        s.act();
        EXPECT_FALSE(form.Protein1->isEnabled());
        EXPECT_EQ(loaded().substr(loaded().find('\n') + 1), "Polymorphism list: none");
    }
}

TEST_F(MainWindowKeys, TheReferenceLineNamesTheGeneticCodesOfAnotherRecord) {
    // ATP8 read with the invertebrate code, as a record's /transl_table=5 gives it.
    std::ifstream in(DATA + "/NC_012920.1.gb", std::ios::binary);
    std::string record((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string atp8 = "/gene=\"ATP8\"";
    const size_t gene = record.find(atp8);
    ASSERT_NE(gene, std::string::npos);
    const size_t table = record.find("/transl_table=2", gene);
    ASSERT_NE(table, std::string::npos);
    record.replace(table, 15, "/transl_table=5");
    const std::string dir = std::string(CORVELLA_BINARY_DIR) + "/keys_genetic_code";
    std::filesystem::create_directories(dir);
    std::ofstream(dir + "/moth.gb", std::ios::binary) << record;
    dialogs.open_answers.push_back(dir + "/moth.gb");
    form.OpenOtherReferenceFile1->trigger();
    ASSERT_TRUE(dialogs.errors.empty()) << dialogs.errors[0].toStdString();
    EXPECT_EQ(loaded().substr(0, loaded().find('\n')),
              "Reference: NC_012920 (moth.gb); genetic codes 2 (Vertebrate Mitochondrial) for ATP6 COX1 COX2 "
              "COX3 CYTB ND1 ND2 ND3 ND4L ND4 ND5 ND6, 5 (Invertebrate Mitochondrial) for ATP8");
    std::filesystem::remove_all(dir);
}

TEST_F(MainWindowKeys, F10AndAltEnterTheMenuBar) {
    form.show();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QTest::keyClick(&form, Qt::Key_F10);
    EXPECT_EQ(form.menuBar()->activeAction(), form.Polymorphisms2->menuAction());
    if (QMenu* open = form.Polymorphisms2; open->isVisible()) open->close();
    // Alt pressed and released alone reaches the bar in this program's style.
    EXPECT_EQ(form.menuBar()->style()->styleHint(QStyle::SH_MenuBar_AltKeyNavigation, nullptr, form.menuBar()), 1);
}
