#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <stdexcept>

#include "fake_dialogs.h"
#include "ui/About.h"
#include "ui/Corvella_unit.h"
#include "ui/Exporttonetwork.h"
#include "ui/Nonprotein.h"
#include "ui/Polymorphisms.h"
#include "ui/Progressbarform.h"
#include "ui/Rrnastructure.h"
#include "ui/Synonymous.h"
#include "ui/Synonymouscounting.h"
#include "ui/Trnastructure.h"
#include "ui/application.h"
#include "ui/widget_helpers.h"

using corvella::FakeDialogs;

namespace {

// The enabled state of the items the enabling rules move, and the mark.
struct MenuState {
    bool check_position, check_database, protein, non_protein, trna, rrna, mark;
    bool operator==(const MenuState& o) const {
        return check_position == o.check_position && check_database == o.check_database &&
               protein == o.protein && non_protein == o.non_protein && trna == o.trna &&
               rrna == o.rrna && mark == o.mark;
    }
};

std::ostream& operator<<(std::ostream& os, const MenuState& s) {
    return os << "{CP " << s.check_position << ", CD " << s.check_database << ", P "
              << s.protein << ", NP " << s.non_protein << ", t " << s.trna << ", r " << s.rrna
              << ", mark " << s.mark << "}";
}

class MainWindow : public ::testing::Test {
protected:
    MainWindow() : form(dialogs) {
        form.show_modal = [this](QDialog& window) { shown.push_back(&window); };
    }

    MenuState state() const {
        return {form.CheckPosition1->isEnabled(), form.CheckDatabase1->menuAction()->isEnabled(),
                form.Protein1->isEnabled(),       form.NonProtein1->isEnabled(),
                form.tRNAshumanonly1->isEnabled(), form.rRNAshumanonly1->isEnabled(),
                form.HumanReference1->isChecked()};
    }

    FakeDialogs dialogs;
    TForm1 form;
    std::vector<QDialog*> shown;
};

}  // namespace

TEST_F(MainWindow, MenuTreeHasItsCaptionsAndNames) {
    struct Item {
        const char* name;
        const char* caption;
        const char* parent;  // caption of the menu that holds it; "" for the bar
    };
    const Item items[] = {
        {"Polymorphisms2", "Polymorphisms", ""},
        {"ImportAlignedFiles1", "Import Aligned File...", "Polymorphisms"},
        {"ExportToNetworkFile1", "Export To Network File...", "Polymorphisms"},
        {"Classification1", "Classification", ""},
        {"Reference1", "Reference", "Classification"},
        {"HumanReference1", "Human Reference", "Reference"},
        {"OpenOtherReferenceFile1", "Open Other Reference File...", "Reference"},
        {"CheckPosition1", "Check Position", "Classification"},
        {"CheckDatabase1", "Check Database", "Classification"},
        {"OpenPolymorphismsFile1", "Open Polymorphism File...", "Check Database"},
        {"Protein1", "Protein", "Check Database"},
        {"NonProtein1", "Non-Protein", "Check Database"},
        {"tRNAshumanonly1", "tRNA's (human only)", "Check Database"},
        {"rRNAshumanonly1", "rRNA's (human only)", "Check Database"},
        {"About1", "About", ""},
        {"Exit1", "Exit", ""},
    };
    QList<QAction*> bar_actions = form.menuBar()->actions();
    ASSERT_EQ(bar_actions.size(), 4);
    for (const Item& item : items) {
        QAction* action = form.findChild<QAction*>(item.name);
        if (QMenu* menu = form.findChild<QMenu*>(item.name)) action = menu->menuAction();
        ASSERT_NE(action, nullptr) << item.name;
        EXPECT_EQ(corvella::shown_caption(action->text()), item.caption) << item.name;
        bool found = false;
        if (std::string(item.parent).empty()) {
            found = bar_actions.contains(action);
        } else {
            for (QMenu* menu : form.findChildren<QMenu*>())
                if (corvella::shown_caption(menu->title()) == item.parent) found = menu->actions().contains(action);
        }
        EXPECT_TRUE(found) << item.name << " under " << item.parent;
    }
    EXPECT_TRUE(form.HumanReference1->isCheckable());
}

TEST_F(MainWindow, StartsWithOnlyTheReferenceFreeCommandsReachable) {
    EXPECT_EQ(form.windowTitle(), "Corvella");
    EXPECT_EQ(state(), (MenuState{false, false, true, true, true, true, false}));
    EXPECT_TRUE(form.ImportAlignedFiles1->isEnabled());
    EXPECT_TRUE(form.ExportToNetworkFile1->isEnabled());
    EXPECT_TRUE(form.Reference1->menuAction()->isEnabled());
    EXPECT_EQ(form.workspace().reference_length(), 0);
}

TEST_F(MainWindow, HumanReferenceTogglesTitleMarkAndCommands) {
    form.HumanReference1->trigger();
    EXPECT_EQ(form.windowTitle(), "Corvella - AC_000021");
    EXPECT_EQ(state(), (MenuState{true, true, false, false, false, false, true}));
    EXPECT_TRUE(form.workspace().human_reference);
    EXPECT_EQ(form.workspace().reference_length(), 16569);
    EXPECT_EQ(form.workspace().reference_letter(3107), 'N');

    form.HumanReference1->trigger();
    EXPECT_EQ(form.windowTitle(), "Corvella");
    EXPECT_EQ(state(), (MenuState{false, false, false, false, false, false, false}));
    EXPECT_FALSE(form.workspace().human_reference);
    // Switching off keeps the data.
    EXPECT_EQ(form.workspace().reference_length(), 16569);
    EXPECT_EQ(form.workspace().protein_start(0), 8527);
}

TEST_F(MainWindow, ListReadAfterEachReferenceEnablesItsCounting) {
    form.HumanReference1->trigger();
    form.on_polymorphism_list_read();
    EXPECT_EQ(state(), (MenuState{true, true, true, true, true, true, true}));

    // The reference loaded again: counting waits for the list once more.
    form.HumanReference1->trigger();
    form.HumanReference1->trigger();
    EXPECT_EQ(state(), (MenuState{true, true, false, false, false, false, true}));
    form.on_polymorphism_list_read();
    EXPECT_EQ(state(), (MenuState{true, true, true, true, true, true, true}));

    form.on_other_reference_loaded();
    EXPECT_EQ(state(), (MenuState{true, true, false, false, false, false, false}));
    EXPECT_FALSE(form.workspace().human_reference);
    form.on_polymorphism_list_read();
    EXPECT_EQ(state(), (MenuState{true, true, true, true, false, false, false}));

    // Another reference read again after the list.
    form.on_other_reference_loaded();
    EXPECT_EQ(state(), (MenuState{true, true, false, false, false, false, false}));
}

TEST_F(MainWindow, CancelledOpenDialogsChangeNothing) {
    form.HumanReference1->trigger();
    form.on_polymorphism_list_read();
    const MenuState before = state();
    const corvella::Workspace ws_before = form.workspace();

    form.ImportAlignedFiles1->trigger();
    form.ExportToNetworkFile1->trigger();
    form.OpenOtherReferenceFile1->trigger();
    form.OpenPolymorphismsFile1->trigger();

    EXPECT_EQ(dialogs.open_filters,
              (std::vector<QString>{TForm1::OpenDialog2Filter, TForm1::OpenDialog3Filter,
                                    TForm1::OpenDialog1Filter, TForm1::OpenDialog3Filter}));
    EXPECT_TRUE(shown.empty());
    EXPECT_TRUE(dialogs.errors.empty());
    EXPECT_EQ(state(), before);
    EXPECT_EQ(form.windowTitle(), "Corvella - AC_000021");
    EXPECT_EQ(form.workspace().ref_sequence, ws_before.ref_sequence);
    EXPECT_EQ(form.workspace().region_table, ws_before.region_table);
}

TEST_F(MainWindow, OpenDialogFiltersAreExact) {
    EXPECT_STREQ(TForm1::OpenDialog1Filter,
                 "Text Files (*.txt)|*.txt|GenBank Files (*.gbk, *.gen, *.gb, *.gnk)|*.gbk; "
                 "*.gen; *.gb; *.gnk|All Files (*.*)|*.*");
    EXPECT_STREQ(TForm1::OpenDialog2Filter,
                 "Text Files (*.txt)|*.txt|Fasta Files (*.fas, *.fasta, *.fst)|*.fas; *.fasta; "
                 "*.fst|All Files|*.*");
    // The list entries first (the default stays the text files), then VCF and HSD.
    EXPECT_STREQ(TForm1::OpenDialog3Filter,
                 "Text Files (*.txt)|*.txt|All Files|*.*|VCF files (*.vcf; *.vcf.gz; *.bcf)|*.vcf; *.vcf.gz; "
                 "*.bcf|HSD files (*.hsd)|*.hsd|"
                 "FASTA files, unaligned (*.fasta; *.fas; *.fa; *.fna; *.fst; *.gz)|*.fasta; *.fas; *.fa; *.fna; *.fst; *.gz");
}

TEST_F(MainWindow, WindowsAreCreatedWithTheirCaptions) {
    EXPECT_EQ(form.Form2->windowTitle(), "Calculate Polymorphisms");
    EXPECT_EQ(form.Form3->windowTitle(), "Synonymous (1 Position)");
    EXPECT_EQ(form.Form4->windowTitle(), "Protein Synonymous Counting");
    EXPECT_EQ(form.Form5->windowTitle(), "Non Protein Position Counting");
    EXPECT_EQ(form.Form7->windowTitle(), "Export to Network Binary File");
    EXPECT_EQ(form.Form8->windowTitle(), "About Corvella");
    EXPECT_EQ(form.Form9->windowTitle(), "Human tRNA's structure");
    EXPECT_EQ(form.Form10->windowTitle(), "Human rRNA's structure");
    EXPECT_EQ(&form.progress(), form.Form6);
    EXPECT_EQ(form.Form6->ProgressBar1->width(), 337);
    for (QWidget* w : std::initializer_list<QWidget*>{form.Form2, form.Form3, form.Form4,
                                                      form.Form5, form.Form6, form.Form7,
                                                      form.Form8, form.Form9, form.Form10})
        EXPECT_FALSE(w->isVisible()) << w->windowTitle().toStdString();
}

TEST_F(MainWindow, CommandsOpenTheirWindows) {
    form.About1->trigger();
    form.HumanReference1->trigger();
    form.CheckPosition1->trigger();
    EXPECT_EQ(shown, (std::vector<QDialog*>{form.Form8, form.Form3}));
    EXPECT_EQ(form.Form8->Label1->text(), "Corvella Version 1.0");
    EXPECT_EQ(form.Form8->Button1->text(), "Close");
}

TEST_F(MainWindow, PicturesComeFromTheJpegResources) {
    ASSERT_FALSE(form.Image1->pixmap().isNull());
    EXPECT_EQ(form.Image1->pixmap().size(), QSize(88, 609));
    ASSERT_FALSE(form.Image2->pixmap().isNull());
    EXPECT_EQ(form.Image2->pixmap().size(), QSize(283, 53));
    EXPECT_FALSE(form.Form8->Image1->pixmap().isNull());
    EXPECT_EQ(form.Label2->text(), "Corvella ver1.0");
    EXPECT_EQ(form.Label2->font().pixelSize(), 24);
}

TEST_F(MainWindow, RelocateImageFollowsEveryResize) {
    form.show();
    for (const QSize size : {QSize(1000, 200), QSize(900, 500), QSize(1200, 900)}) {
        form.resize(size);
        QApplication::processEvents();
        const int height = form.centralWidget()->height();
        const int top = std::max((height - 609) / 2, 16);
        const int left = form.frameGeometry().width() - 88 - 32;
        EXPECT_EQ(form.Image1->pos(), QPoint(left, top)) << height;
        EXPECT_EQ(form.Image2->pos(), QPoint(left - 283 - 32, top + 512)) << height;
        EXPECT_EQ(form.Label2->pos(), QPoint(left - form.Label2->width() - 32, top + 440));
    }
    form.resize(1000, 200);
    QApplication::processEvents();
    EXPECT_EQ(form.Image1->y(), 16);
}

TEST_F(MainWindow, ExitClosesTheMainWindow) {
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.Exit1->trigger();
    EXPECT_FALSE(form.isVisible());
}

TEST_F(MainWindow, ErrorInACommandIsShownAndTheProgramGoesOn) {
    form.show_modal = [](QDialog&) { throw std::runtime_error("window failed"); };
    form.About1->trigger();
    EXPECT_EQ(dialogs.errors, std::vector<QString>{"window failed"});

    form.show_modal = [](QDialog&) { throw 42; };
    form.About1->trigger();
    EXPECT_EQ(dialogs.errors, (std::vector<QString>{"window failed", ""}));

    // Later commands still run.
    form.HumanReference1->trigger();
    EXPECT_TRUE(form.workspace().human_reference);
}

TEST(Application, ErrorEscapingAnyHandlerReachesTheErrorHook) {
    auto* app = dynamic_cast<corvella::CorvellaApplication*>(QCoreApplication::instance());
    ASSERT_NE(app, nullptr);
    std::vector<QString> seen;
    app->on_error = [&seen](const QString& text) { seen.push_back(text); };
    QPushButton button("Throw");
    QObject::connect(&button, &QPushButton::clicked, [] { throw std::logic_error("button"); });
    button.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));
    QTest::mouseClick(&button, Qt::LeftButton);
    app->on_error = nullptr;
    EXPECT_EQ(seen, std::vector<QString>{"button"});
}

TEST(ProgressWindow, DrivenAsTheWorkbookReportsDriveIt) {
    TForm6 progress;
    progress.start(3);
    EXPECT_TRUE(progress.isVisible());
    EXPECT_FALSE(progress.isModal());
    EXPECT_EQ(progress.ProgressBar1->minimum(), 0);
    EXPECT_EQ(progress.ProgressBar1->maximum(), 3);
    EXPECT_EQ(progress.ProgressBar1->value(), 0);

    std::vector<QString> captions;
    std::vector<int> values;
    for (int k = 1; k <= 3; ++k) {
        progress.step(corvella::progress_percent(k, 3));
        captions.push_back(progress.windowTitle());
        values.push_back(progress.ProgressBar1->value());
    }
    EXPECT_EQ(captions, (std::vector<QString>{"Corvella - 34%", "Corvella - 67%", "Corvella - 100%"}));
    EXPECT_EQ(values, (std::vector<int>{1, 2, 3}));
    progress.finish();
    EXPECT_FALSE(progress.isVisible());

    // Started again for the next report, the bar begins from nothing.
    progress.start(4);
    EXPECT_EQ(progress.ProgressBar1->value(), 0);
    progress.step(0);
    EXPECT_EQ(progress.windowTitle(), "Corvella - 0%");
    progress.finish();
}
