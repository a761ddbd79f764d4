#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <vector>

#include "fake_dialogs.h"
#include "ui/Corvella_unit.h"
#include "ui/Synonymous.h"

namespace {

// The single-position window as the menu opens it, on the human reference.
class SinglePosition : public ::testing::Test {
protected:
    SinglePosition() : form(dialogs), w(*form.Form3) {
        form.show_modal = [](QDialog&) {};
        form.HumanReference1->trigger();
        form.CheckPosition1->trigger();
    }

    void run(const QString& position) {
        w.Edit1->setText(position);
        QTest::mouseClick(w.Button2, Qt::LeftButton);
    }
    void pick(const QString& base) { w.ComboBox1->setCurrentIndex(w.ComboBox1->findText(base)); }
    bool locked() const {
        return !w.Button1->isEnabled() && !w.Button2->isEnabled() && w.Edit1->isReadOnly();
    }
    bool open() const {
        return w.Button1->isEnabled() && w.Button2->isEnabled() && !w.Edit1->isReadOnly();
    }

    corvella::FakeDialogs dialogs;
    TForm1 form;
    TForm3& w;
};

const char* const kAtp6Atp8 =
    "Locus: ATP6\nAmino acid position: 1\nCodon: AUG -> GUG\n"
    "Amino acid: M -> V (Non-Synonymous)\nPolarity/Acidity: Neutral Apolar -> Neutral Apolar\n\n"
    "Locus: ATP8\nAmino acid position: 54\nCodon: AAA -> AAG\n"
    "Amino acid: K -> K (Synonymous)\nPolarity/Acidity: Basic Polar -> Basic Polar\n";

}  // namespace

TEST_F(SinglePosition, ControlsStartAsCreated) {
    EXPECT_EQ(w.windowTitle(), "Synonymous (1 Position)");
    EXPECT_EQ(w.Label1->text(), "Position:");
    EXPECT_EQ(w.Button1->text(), "Show Ref Base");
    EXPECT_EQ(w.Label2->text(), "Base (ref):");
    EXPECT_EQ(w.Label3->text(), "Base (new):");
    EXPECT_EQ(w.Button2->text(), "Run");
    EXPECT_EQ(w.Button3->text(), "Clear");
    EXPECT_EQ(w.Button4->text(), "Close");
    ASSERT_EQ(w.ComboBox1->count(), 4);
    EXPECT_EQ(w.ComboBox1->itemText(0), "A");
    EXPECT_EQ(w.ComboBox1->itemText(3), "T");
    EXPECT_TRUE(w.ComboBox1->isEditable());
    EXPECT_TRUE(w.Edit2->isReadOnly());
    EXPECT_EQ(w.new_base(), 'X');
    EXPECT_TRUE(open());
}

TEST_F(SinglePosition, ValidationMessagesComeOneAtATimeInOrder) {
    struct Step {
        const char* entry;
        const char* base;  // picked before the run; "" leaves the box as it is
        const char* message;
    };
    const Step steps[] = {
        {"", "", "Insert a position number!"},
        {"12a", "", "Position number is not correct!"},
        {"-5", "", "Position number is not correct!"},
        {"0", "", "Position number is not correct!"},
        {"16570", "", "Position number too large!"},
        {"14766", "", "Select the mutation base."},
        {"14766", "C", "The new base must be different."},
    };
    for (const Step& s : steps) {
        if (*s.base) pick(s.base);
        run(s.entry);
        EXPECT_EQ(w.Label4->text(), s.message) << s.entry;
        EXPECT_TRUE(w.Memo1->toPlainText().isEmpty()) << s.entry;
        EXPECT_TRUE(open()) << s.entry;
    }
    // A typed lower-case letter is not a base.
    w.ComboBox1->setEditText("g");
    run("14766");
    EXPECT_EQ(w.Label4->text(), "Select the mutation base.");
}

TEST_F(SinglePosition, EntryTakesAtMostSevenCharacters) {
    QTest::keyClicks(w.Edit1, "123456789");
    EXPECT_EQ(w.Edit1->text(), "1234567");
}

TEST_F(SinglePosition, ShowRefBaseOnAProteinPositionLeavesTheMemoEmpty) {
    w.Edit1->setText("8527");
    QTest::mouseClick(w.Button1, Qt::LeftButton);
    EXPECT_EQ(w.Edit2->text(), "A");
    EXPECT_TRUE(w.Memo1->toPlainText().isEmpty());
    EXPECT_TRUE(w.Label4->text().isEmpty());
    EXPECT_TRUE(open());
}

TEST_F(SinglePosition, NonProteinRunShowsTheLocusWithoutLocking) {
    pick("A");
    run("3107");
    EXPECT_EQ(w.Edit2->text(), "N");
    EXPECT_EQ(w.Memo1->toPlainText(), "l-rRNA");
    EXPECT_TRUE(open());
    run("577");
    EXPECT_EQ(w.Memo1->toPlainText(), "tRNA-Phe(Acc-stem)");
    EXPECT_EQ(w.Edit2->text(), "G");
    EXPECT_TRUE(open());
}

TEST_F(SinglePosition, ProteinRunLocksUntilClear) {
    pick("G");
    run("8527");
    EXPECT_EQ(w.Memo1->toPlainText(), kAtp6Atp8);
    EXPECT_EQ(w.Edit2->text(), "A");
    EXPECT_TRUE(w.Label4->text().isEmpty());
    EXPECT_TRUE(locked());

    QTest::mouseClick(w.Button3, Qt::LeftButton);
    EXPECT_TRUE(open());
    EXPECT_TRUE(w.Edit1->text().isEmpty());
    EXPECT_TRUE(w.Edit2->text().isEmpty());
    EXPECT_TRUE(w.Memo1->toPlainText().isEmpty());
    EXPECT_TRUE(w.ComboBox1->currentText().isEmpty());
    EXPECT_EQ(w.new_base(), 'X');
    run("14766");
    EXPECT_EQ(w.Label4->text(), "Select the mutation base.");
}

TEST_F(SinglePosition, ReopeningReleasesTheLockAndKeepsTheNewBase) {
    pick("G");
    run("8527");
    ASSERT_TRUE(locked());
    w.Label4->setText("stale");
    form.CheckPosition1->trigger();
    EXPECT_TRUE(open());
    EXPECT_TRUE(w.Edit1->text().isEmpty());
    EXPECT_TRUE(w.Edit2->text().isEmpty());
    EXPECT_TRUE(w.Memo1->toPlainText().isEmpty());
    EXPECT_TRUE(w.Label4->text().isEmpty());
    EXPECT_EQ(w.ComboBox1->currentText(), "G");
    EXPECT_EQ(w.new_base(), 'G');
    run("8527");
    EXPECT_EQ(w.Memo1->toPlainText(), kAtp6Atp8);
}

TEST_F(SinglePosition, CutShortCodonShowsItsBlanks) {
    pick("C");
    run("9990");
    const QStringList lines = w.Memo1->toPlainText().split('\n');
    ASSERT_GE(lines.size(), 5);
    EXPECT_EQ(lines[2], "Codon: U   -> CAC");
    EXPECT_EQ(lines[3], "Amino acid: STOP -> H (Non-Synonymous)");
    EXPECT_EQ(lines[4], "Polarity/Acidity: STOP -> Basic Polar");
}

TEST_F(SinglePosition, EmptiedBaseBoxKeepsTheBaseChosenBefore) {
    pick("T");
    w.ComboBox1->setEditText("");
    EXPECT_EQ(w.new_base(), 'T');
    w.ComboBox1->setEditText("Gx");
    EXPECT_EQ(w.new_base(), 'G');
}

TEST_F(SinglePosition, ReturnInThePositionBoxRunsTheCheckWhileRunIsOpen) {
    pick("G");
    w.Edit1->setText("8527");
    QTest::keyClick(w.Edit1, Qt::Key_Return);
    EXPECT_EQ(w.Memo1->toPlainText(), kAtp6Atp8);
    EXPECT_TRUE(locked());
    // Locked after a protein run: Return does nothing until "Clear".
    w.Memo1->setPlainText("kept");
    QTest::keyClick(w.Edit1, Qt::Key_Return);
    EXPECT_EQ(w.Memo1->toPlainText(), "kept");
    // A bad entry answers on the message line, as "Run" does.
    QTest::mouseClick(w.Button3, Qt::LeftButton);
    w.Edit1->setText("0");
    QTest::keyClick(w.Edit1, Qt::Key_Enter);
    EXPECT_FALSE(w.Label4->text().isEmpty());
}

TEST_F(SinglePosition, TabPassesOverTheReadOnlyBoxes) {
    // Walk the tab chain from the position box once round the window.
    std::vector<QWidget*> chain;
    QWidget* at = w.Edit1;
    do {
        if (at->focusPolicy() & Qt::TabFocus) chain.push_back(at);
        at = at->nextInFocusChain();
    } while (at != w.Edit1);
    EXPECT_EQ(std::count(chain.begin(), chain.end(), w.Edit2), 0);
    EXPECT_EQ(std::count(chain.begin(), chain.end(), w.Memo1), 0);
    EXPECT_EQ(std::count(chain.begin(), chain.end(), w.ComboBox1), 1);
    EXPECT_EQ(std::count(chain.begin(), chain.end(), w.Button2), 1);
}

// The window names the loaded reference, so a record that is not human is
// never taken for one.
TEST_F(SinglePosition, NamesTheLoadedReference) {
    EXPECT_EQ(w.ReferenceLabel->text(),
              "Reference: AC_000021, 16569 bases; genetic code 2 (Vertebrate Mitochondrial); forward strand: ATP6 "
              "ATP8 COX1 COX2 COX3 CYTB ND1 ND2 ND3 ND4L ND4 ND5; reverse strand: ND6");
}
