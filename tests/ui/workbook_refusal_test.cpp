// A per-sample workbook that cannot fit its sheet is refused before the
// report's loop runs: the message comes and the progress window never opens.
#include <gtest/gtest.h>

#include <QEvent>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "fake_dialogs.h"
#include "ui/Corvella_unit.h"
#include "ui/Progressbarform.h"
#include "ui/Synonymouscounting.h"

namespace {

// Counts how often a window is shown and how often its caption changes.
class ShowCounter : public QObject {
public:
    int shows = 0;
    int captions = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Show) ++shows;
        if (e->type() == QEvent::WindowTitleChange) ++captions;
        return false;
    }
};

class OversizedWorkbook : public ::testing::Test {
protected:
    OversizedWorkbook() {
        char pattern[] = "/tmp/corvella-refusal-XXXXXX";
        dir = mkdtemp(pattern);
    }
    ~OversizedWorkbook() override { std::filesystem::remove_all(dir); }

    // A list of `samples` samples, each with the ATP6/ATP8 overlap variant 8527G.
    std::string write_list(int samples) {
        const std::string path = dir + "/cohort.txt";
        std::ofstream out(path, std::ios::binary);
        out << ">rCRS\nNumbering Reference\n";
        for (int i = 0; i < samples; ++i) out << ">s" << i << "\n8527G\n";
        return path;
    }

    std::string dir;
};

}  // namespace

TEST_F(OversizedWorkbook, ProteinPerSampleXlsIsRefusedBeforeAnyProgressStepAndXlsxIsWritten) {
    corvella::FakeDialogs dialogs;
    TForm1 form(dialogs);
    form.show_modal = [](QDialog&) {};
    form.HumanReference1->trigger();
    // 32,766 samples: two blocks of rows and their headers give 65,538 rows.
    dialogs.open_answers.push_back(write_list(32766));
    form.OpenPolymorphismsFile1->trigger();
    form.Protein1->trigger();
    TForm4& w = *form.Form4;

    ShowCounter progress_window;
    form.progress().installEventFilter(&progress_window);
    const std::string xls = dir + "/samples.xls";
    dialogs.save_answers.push_back(corvella::Dialogs::SaveChoice{dir + "/samples", 2});
    QTest::mouseClick(w.Button4, Qt::LeftButton);
    ASSERT_EQ(dialogs.errors.size(), 1u);
    EXPECT_EQ(dialogs.errors[0].toStdString(),
              "The report " + xls +
                  " does not fit an Excel 97-2003 sheet (at most 65,536 rows and 256 columns). "
                  "Save it as a text file instead.");
    EXPECT_EQ(progress_window.shows, 0);
    EXPECT_EQ(progress_window.captions, 0);
    EXPECT_FALSE(form.progress().isVisible());
    EXPECT_FALSE(std::filesystem::exists(xls));

    // The same report as .xlsx fits its sheet and drives the progress window.
    dialogs.save_answers.push_back(corvella::Dialogs::SaveChoice{dir + "/samples", 3});
    QTest::mouseClick(w.Button4, Qt::LeftButton);
    EXPECT_EQ(dialogs.errors.size(), 1u);
    EXPECT_EQ(dialogs.save_initial_indexes.back(), 2);  // the type chosen last
    EXPECT_TRUE(std::filesystem::exists(dir + "/samples.xlsx"));
    EXPECT_EQ(progress_window.shows, 1);
    EXPECT_GT(progress_window.captions, 0);
    EXPECT_FALSE(form.progress().isVisible());
}
