#include <gtest/gtest.h>

#include <QAction>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "fake_dialogs.h"
#include "ui/Corvella_unit.h"
#include "ui/Progressbarform.h"
#include "ui/Rrnastructure.h"
#include "ui/Trnastructure.h"

using corvella::Dialogs;
using corvella::FakeDialogs;

namespace {

const QString REPORT_FILTER = "Text File (*.txt)|*.txt|Microsoft Office Excel 97-2003 (*.xls)|*.xls|Excel Workbook (*.xlsx)|*.xlsx";

std::string data_path(const std::string& name) { return std::string(CORVELLA_TEST_DATA) + "/" + name; }

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The golden text as the text writer stores it, every "\n" as CR LF.
std::string golden_on_disk(const std::string& name) {
    std::string crlf;
    for (const char c : read_file(data_path(name))) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    return crlf;
}

std::vector<double> bar_heights(QChartView* view, int set) {
    auto* bars = qobject_cast<QBarSeries*>(view->chart()->series().at(0));
    std::vector<double> heights;
    for (int k = 0; k < bars->barSets().at(set)->count(); ++k) heights.push_back(bars->barSets().at(set)->at(k));
    return heights;
}

std::string cell(QTableWidget* grid, int column, int row) {
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text().toStdString() : std::string();
}

// The main window with the built-in reference and the four-sample list read.
class StructureWindows : public ::testing::Test {
protected:
    StructureWindows() : form(dialogs) {
        form.show_modal = [this](QDialog& window) { shown.push_back(&window); };
        form.HumanReference1->trigger();
        read_list();
    }

    void read_list() {
        dialogs.open_answers.push_back(data_path("rna_samples.txt"));
        form.OpenPolymorphismsFile1->trigger();
    }

    std::string out(const std::string& name) const { return (dir.path() + "/").toStdString() + name; }
    void answer_save(const std::string& name, int type) { dialogs.save_answers.push_back(Dialogs::SaveChoice{out(name), type}); }

    QTemporaryDir dir;
    FakeDialogs dialogs;
    TForm1 form;
    std::vector<QDialog*> shown;
};

}  // namespace

TEST_F(StructureWindows, TrnaCommandFillsGridAndChartThenSavesEveryReport) {
    ASSERT_TRUE(form.tRNAshumanonly1->isEnabled());
    form.tRNAshumanonly1->trigger();
    TForm9& w = *form.Form9;
    ASSERT_EQ(shown, std::vector<QDialog*>{&w});
    EXPECT_EQ(w.windowTitle(), "Human tRNA's structure");
    EXPECT_EQ(w.Label1->text(), "rna_samples.txt  -  4 sequences");
    EXPECT_EQ(cell(w.StringGrid1, 1, 0), "No. of positions");
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"Stem", "5"}, {"Loop", "2"}, {"Var. Region", "1"}, {"Other", "2"}};
    for (int r = 0; r < 4; ++r) {
        EXPECT_EQ(cell(w.StringGrid1, 0, r + 1), rows[r].first);
        EXPECT_EQ(cell(w.StringGrid1, 1, r + 1), rows[r].second);
    }
    EXPECT_EQ(bar_heights(w.Chart1, 0), (std::vector<double>{5, 2, 1, 2}));
    EXPECT_EQ(w.Chart1->chart()->title(), "Number of positions per tRNA region");
    EXPECT_EQ(w.Image1->pixmap().size(), QSize(211, 224));

    answer_save("summary", 1);
    answer_save("positions", 1);
    answer_save("samples", 1);
    w.Button2->click();
    w.Button3->click();
    w.Button4->click();
    EXPECT_EQ(read_file(out("summary.txt")), golden_on_disk("trna_summary.txt"));
    EXPECT_EQ(read_file(out("positions.txt")), golden_on_disk("trna_per_position.txt"));
    EXPECT_EQ(read_file(out("samples.txt")), golden_on_disk("trna_per_sample.txt"));
    EXPECT_EQ(dialogs.save_filters, (std::vector<QString>(3, REPORT_FILTER)));
    EXPECT_EQ(dialogs.save_confirm_overwrite, (std::vector<bool>(3, true)));

    // A workbook choice is remembered for the next save; the per-sample
    // workbook runs the progress window up to the last sample counted from 0.
    answer_save("samples", 2);
    answer_save("again", 1);
    w.Button4->click();
    EXPECT_TRUE(std::filesystem::exists(out("samples.xls")));
    EXPECT_EQ(form.Form6->windowTitle(), "Corvella - 75%");
    EXPECT_FALSE(form.Form6->isVisible());
    w.Button4->click();
    EXPECT_EQ(dialogs.save_initial_indexes, (std::vector<int>{1, 1, 1, 1, 2}));

    dialogs.save_answers.push_back(Dialogs::SaveChoice{out("chart"), 1});
    w.resize(800, 600);
    w.Button1->click();
    EXPECT_EQ(dialogs.save_filters.back(), "Bitmap (*.bmp)|*.bmp");
    EXPECT_FALSE(dialogs.save_confirm_overwrite.back());
    EXPECT_GT(std::filesystem::file_size(out("chart.bmp")), 54u);
    EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(StructureWindows, TrnaSummarySavesTheGridAsShown) {
    form.tRNAshumanonly1->trigger();
    form.Form9->StringGrid1->item(1, 1)->setText("17");
    answer_save("summary", 1);
    form.Form9->Button2->click();
    EXPECT_EQ(read_file(out("summary.txt")), "Region\tNo. of Positions\r\nStem\t17\r\nLoop\t2\r\nVar. Region\t1\r\nOther\t2\r\n");
}

TEST_F(StructureWindows, RrnaCommandFillsGridAndTwoSeriesThenSavesEveryReport) {
    ASSERT_TRUE(form.rRNAshumanonly1->isEnabled());
    form.rRNAshumanonly1->trigger();
    TForm10& w = *form.Form10;
    ASSERT_EQ(shown, std::vector<QDialog*>{&w});
    EXPECT_EQ(w.windowTitle(), "Human rRNA's structure");
    EXPECT_EQ(w.Label1->text(), "rna_samples.txt  -  4 sequences");
    const std::vector<std::vector<std::string>> grid = {
        {"", "12S", "16S"}, {"Stem", "2", "1"}, {"Non-stem", "3", "1"}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) EXPECT_EQ(cell(w.StringGrid1, c, r), grid[r][c]) << c << "," << r;
    EXPECT_EQ(bar_heights(w.Chart1, 0), (std::vector<double>{2, 3}));
    EXPECT_EQ(bar_heights(w.Chart1, 1), (std::vector<double>{1, 1}));
    EXPECT_TRUE(w.Chart1->chart()->legend()->isVisible());

    answer_save("summary.txt", 1);
    answer_save("positions", 1);
    answer_save("samples", 1);
    w.Button2->click();
    w.Button3->click();
    w.Button4->click();
    EXPECT_EQ(read_file(out("summary.txt")), golden_on_disk("rrna_summary.txt"));
    EXPECT_EQ(read_file(out("positions.txt")), golden_on_disk("rrna_per_position.txt"));
    EXPECT_EQ(read_file(out("samples.txt")), golden_on_disk("rrna_per_sample.txt"));

    // Two walks over four samples: the last caption is 3 of 8.
    answer_save("samples", 2);
    w.Button4->click();
    EXPECT_TRUE(std::filesystem::exists(out("samples.xls")));
    EXPECT_EQ(form.Form6->windowTitle(), "Corvella - 38%");
    EXPECT_EQ(form.Form6->ProgressBar1->maximum(), 8);

    dialogs.save_answers.push_back(std::nullopt);  // a cancelled dialog writes nothing
    w.Button3->click();
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path().toStdString()),
                            std::filesystem::directory_iterator()), 4);
    w.Button5->click();
    EXPECT_FALSE(w.isVisible());
}

TEST_F(StructureWindows, StructureCommandsNeedTheBuiltInReference) {
    dialogs.open_answers.push_back(data_path("NC_012920.1.gb"));
    form.OpenOtherReferenceFile1->trigger();
    ASSERT_TRUE(dialogs.errors.empty());
    ASSERT_FALSE(form.HumanReference1->isChecked());
    EXPECT_FALSE(form.tRNAshumanonly1->isEnabled());
    EXPECT_FALSE(form.rRNAshumanonly1->isEnabled());
    // Reading a list again enables the counting commands, but not these two.
    read_list();
    EXPECT_TRUE(form.Protein1->isEnabled());
    EXPECT_FALSE(form.tRNAshumanonly1->isEnabled());
    EXPECT_FALSE(form.rRNAshumanonly1->isEnabled());
}
