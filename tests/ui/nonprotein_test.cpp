#include <gtest/gtest.h>

#include <QAction>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "classify/non_protein_reports.h"
#include "fake_dialogs.h"
#include "pictures/chart_view.h"
#include "ui/Corvella_unit.h"
#include "ui/Nonprotein.h"

using corvella::Dialogs;

namespace {

// The non-protein window as the menu opens it, on the human reference with a
// small tally.
class NonProteinWindow : public ::testing::Test {
protected:
    NonProteinWindow() : form(dialogs), w(*form.Form5) {
        form.show_modal = [this](QDialog& d) { shown = &d; };
        form.HumanReference1->trigger();
        form.workspace().variant_tally = {
            {{4330, 'A'}, 1}, {{4330, 'G'}, 1}, {{5826, 'C'}, 1}, {{16519, 'C'}, 7}, {{8000, 'A'}, 1}};
        form.on_polymorphism_list_read();
    }

    QString cell(QTableWidget* grid, int row, int column) const {
        const QTableWidgetItem* item = grid->item(row, column);
        return item ? item->text() : QString("<none>");
    }
    std::string path(const char* name) const { return dir.filePath(name).toStdString(); }
    QByteArray file(const char* name) const {
        QFile f(dir.filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void answer_save(const char* name, int index) {
        dialogs.save_answers.push_back(Dialogs::SaveChoice{path(name), index});
    }

    corvella::FakeDialogs dialogs;
    TForm1 form;
    TForm5& w;
    QDialog* shown = nullptr;
    QTemporaryDir dir;
};

}  // namespace

TEST_F(NonProteinWindow, ControlsStartAsCreated) {
    EXPECT_EQ(w.windowTitle(), "Non Protein Position Counting");
    for (QTableWidget* grid : {w.StringGrid1, w.StringGrid2}) {
        EXPECT_EQ(grid->rowCount(), 14);
        EXPECT_EQ(grid->columnCount(), 2);
        EXPECT_EQ(cell(grid, 0, 1), "No. Positions");
        // At least the designed widths; wider where a label needs it.
        EXPECT_GE(grid->columnWidth(0), 90);
        EXPECT_GE(grid->columnWidth(1), 69);
        EXPECT_EQ(cell(grid, 1, 1), "");  // no count before the first command
    }
    EXPECT_EQ(cell(w.StringGrid1, 1, 0), "D-loop");
    EXPECT_EQ(cell(w.StringGrid1, 2, 0), "12S rRNA");
    EXPECT_EQ(cell(w.StringGrid1, 6, 0), "tRNA-Leu(UUR)");
    EXPECT_EQ(cell(w.StringGrid1, 13, 0), "tRNA-Cys");
    EXPECT_EQ(cell(w.StringGrid2, 1, 0), "tRNA-Tyr");
    EXPECT_EQ(cell(w.StringGrid2, 12, 0), "tRNA-Pro");
    EXPECT_EQ(cell(w.StringGrid2, 13, 0), "Non-coding");
    EXPECT_EQ(w.GroupBox1->title(), "Options");
    EXPECT_EQ(w.Label2->text(), "1. Save summary results");
    EXPECT_EQ(w.Label3->text(), "2. Save data per position");
    EXPECT_EQ(w.Label4->text(), "3. Save data per sample");
    EXPECT_EQ(w.Label5->text(), "4. Save graph as image ");
    for (QPushButton* b : {w.Button1, w.Button2, w.Button3, w.Button5}) EXPECT_EQ(b->text(), "Save As...");
    EXPECT_EQ(w.Button4->text(), "Close");
}

TEST_F(NonProteinWindow, MenuCommandFillsGridsAndChartThenShowsTheWindow) {
    form.NonProtein1->trigger();
    EXPECT_EQ(shown, &w);
    EXPECT_EQ(cell(w.StringGrid1, 1, 1), "1");   // D-loop: 16519
    EXPECT_EQ(cell(w.StringGrid1, 7, 1), "2");   // tRNA-Ile: both 4330 keys
    EXPECT_EQ(cell(w.StringGrid1, 8, 1), "0");   // tRNA-Gln
    EXPECT_EQ(cell(w.StringGrid1, 13, 1), "1");  // tRNA-Cys: 5826
    EXPECT_EQ(cell(w.StringGrid2, 13, 1), "0");  // 8000 lies in COX2 only

    QChart* chart = w.Chart1->chart();
    EXPECT_EQ(chart->title(), "Number of Positions per Gene/Region");
    EXPECT_FALSE(chart->legend()->isVisible());
    auto* bars = qobject_cast<QBarSeries*>(chart->series().first());
    ASSERT_NE(bars, nullptr);
    ASSERT_EQ(bars->barSets().size(), 1);
    QBarSet* set = bars->barSets().first();
    ASSERT_EQ(set->count(), 26);
    EXPECT_EQ(set->color(), QColor(Qt::blue));
    EXPECT_EQ(set->at(0), 1.0);
    EXPECT_EQ(set->at(6), 2.0);
    auto* axis = qobject_cast<QBarCategoryAxis*>(chart->axes(Qt::Horizontal).first());
    ASSERT_NE(axis, nullptr);
    EXPECT_EQ(axis->at(24), " Pro");
    EXPECT_EQ(axis->labelsFont().pixelSize(), 9);

    // A second command counts the tally as it is then.
    form.workspace().variant_tally.clear();
    form.NonProtein1->trigger();
    EXPECT_EQ(cell(w.StringGrid1, 7, 1), "0");
    auto* recounted = qobject_cast<QBarSeries*>(w.Chart1->chart()->series().first());
    ASSERT_NE(recounted, nullptr);
    EXPECT_EQ(recounted->barSets().first()->at(6), 0.0);
}

TEST_F(NonProteinWindow, SummaryTextIsWrittenFromTheGridWithCrLf) {
    form.NonProtein1->trigger();
    answer_save("summary", 1);
    QTest::mouseClick(w.Button1, Qt::LeftButton);
    ASSERT_EQ(dialogs.save_filters.size(), 1u);
    EXPECT_EQ(dialogs.save_filters[0], "Text Files (*.txt)|*.txt|Microsoft Office Excel 97-2003 (*.xls)|*.xls|Excel Workbook (*.xlsx)|*.xlsx");
    EXPECT_TRUE(dialogs.save_confirm_overwrite[0]);
    EXPECT_EQ(dialogs.save_initial_indexes[0], 1);
    const QByteArray text = file("summary.txt");
    EXPECT_TRUE(text.startsWith("Gene/Region\tFrequencyNo. of Positions\r\nD-loop\t1\r\n"));
    EXPECT_TRUE(text.contains("\r\ntRNA-Ile\t2\r\n"));
    EXPECT_TRUE(text.endsWith("\r\ntRNA-Ile-tRNA-Gln (4330A 4330G)\r\ntRNA-Cys-tRNA-Tyr (5826)\r\n\r\n"));
    EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(NonProteinWindow, WorkbookChoiceIsRememberedAndDrivesTheProgressWindow) {
    form.NonProtein1->trigger();
    answer_save("positions", 2);
    QTest::mouseClick(w.Button2, Qt::LeftButton);
    EXPECT_TRUE(file("positions.xls").startsWith(QByteArray::fromHex("d0cf11e0a1b11ae1")));
    EXPECT_EQ(form.progress().windowTitle(), "Corvella - 100%");

    answer_save("samples.xls", 2);
    QTest::mouseClick(w.Button3, Qt::LeftButton);
    ASSERT_EQ(dialogs.save_initial_indexes.size(), 2u);
    EXPECT_EQ(dialogs.save_initial_indexes[1], 2);
    EXPECT_FALSE(file("samples.xls").isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath("samples.xls.xls")));
    EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(NonProteinWindow, CancelOrUnknownTypeWritesNothing) {
    QTest::mouseClick(w.Button1, Qt::LeftButton);  // the fake cancels
    answer_save("odd", 4);
    QTest::mouseClick(w.Button3, Qt::LeftButton);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 0);
    EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(NonProteinWindow, CompletedNameOfAnExistingFileIsOnlyReplacedWhenConfirmed) {
    {
        QFile old(dir.filePath("run1.txt"));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("keep");
    }
    answer_save("run1", 1);
    dialogs.replace_answers.push_back(false);
    QTest::mouseClick(w.Button2, Qt::LeftButton);
    EXPECT_EQ(dialogs.replace_questions, std::vector<std::string>{path("run1.txt")});
    EXPECT_EQ(file("run1.txt"), "keep");

    answer_save("run1", 1);
    dialogs.replace_answers.push_back(true);
    QTest::mouseClick(w.Button2, Qt::LeftButton);
    EXPECT_TRUE(file("run1.txt").startsWith("Position\tBase Change\tGene/Region\tFrequency\r\n"));
}

TEST_F(NonProteinWindow, ChartIsSavedAsBitmapAndFailuresAreShown) {
    form.NonProtein1->trigger();
    w.resize(900, 500);
    dialogs.save_answers.push_back(Dialogs::SaveChoice{path("chart"), 1});
    QTest::mouseClick(w.Button5, Qt::LeftButton);
    EXPECT_EQ(dialogs.save_filters.back(), "Bitmap (*.bmp)|*.bmp|PNG (*.png)|*.png|SVG (*.svg)|*.svg|PDF (*.pdf)|*.pdf");
    EXPECT_FALSE(dialogs.save_confirm_overwrite.back());
    EXPECT_TRUE(file("chart.bmp").startsWith("BM"));
    // The batch chart of the same counts is the same picture, Arial labels
    // included, whatever face this machine gives that family.
    const corvella::Workspace& ws = form.workspace();
    const corvella::ChartSpec spec = corvella::non_protein_chart(corvella::count_non_protein(ws, ws.variant_tally));
    ASSERT_TRUE(corvella::save_chart_spec_bitmap(spec, path("batch.bmp")).ok);
    EXPECT_EQ(file("batch.bmp"), file("chart.bmp"));

    dialogs.save_answers.push_back(Dialogs::SaveChoice{"/nonexistent-folder/chart", 1});
    QTest::mouseClick(w.Button5, Qt::LeftButton);
    ASSERT_EQ(dialogs.errors.size(), 1u);
    EXPECT_TRUE(dialogs.errors[0].startsWith("Cannot write /nonexistent-folder/chart.bmp"));
}
