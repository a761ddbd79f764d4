#include <gtest/gtest.h>

#include <QAction>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "fake_dialogs.h"
#include "ui/Corvella_unit.h"
#include "ui/Progressbarform.h"
#include "ui/Synonymouscounting.h"
#include "pictures/chart_view.h"
#include "classify/protein_counting.h"

namespace {

std::string read_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string crlf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

std::string golden(const std::string& name) { return read_bytes(std::string(CORVELLA_TEST_DATA) + "/" + name); }

// The protein window as a person reaches it: human reference, the six-key
// list (five samples) opened, then "Protein".
class ProteinWindow : public ::testing::Test {
protected:
    ProteinWindow() : form(dialogs), w(*form.Form4) {
        form.show_modal = [this](QDialog& shown) { this->shown = &shown; };
        form.HumanReference1->trigger();
        dialogs.open_answers.push_back(std::string(CORVELLA_TEST_DATA) + "/cli/six_keys.txt");
        form.OpenPolymorphismsFile1->trigger();
        form.Protein1->trigger();
        char pattern[] = "/tmp/corvella-protein-XXXXXX";
        dir = mkdtemp(pattern);
    }
    ~ProteinWindow() override { std::filesystem::remove_all(dir); }

    std::string cell(int column, int row) const {
        const QTableWidgetItem* item = w.StringGrid1->item(row, column);
        return item ? item->text().toStdString() : std::string();
    }
    // Clicks a save button with the dialog answering `name` and file type `type`.
    std::string save(QPushButton* button, const std::string& name, int type) {
        dialogs.save_answers.push_back(corvella::Dialogs::SaveChoice{dir + "/" + name, type});
        QTest::mouseClick(button, Qt::LeftButton);
        return dir + "/" + name;
    }

    corvella::FakeDialogs dialogs;
    TForm1 form;
    TForm4& w;
    QDialog* shown = nullptr;
    std::string dir;
};

}  // namespace

TEST_F(ProteinWindow, ProteinOpensWithTheCountsAndChart) {
    EXPECT_EQ(shown, &w);
    EXPECT_EQ(w.windowTitle(), "Protein Synonymous Counting");
    EXPECT_EQ(w.Label1->text(), "six_keys.txt  -  5 sequences");
    ASSERT_EQ(w.StringGrid1->columnCount(), 3);
    ASSERT_EQ(w.StringGrid1->rowCount(), 15);
    EXPECT_EQ(cell(1, 0), "Synonymous");
    EXPECT_EQ(cell(2, 0), "Non-Synonymous");
    EXPECT_GE(w.StringGrid1->columnWidth(2), 90);  // wider when "Non-Synonymous" needs it
    // Every grid row as the summary report writes it.
    const std::string summary = golden("protein_summary.txt");
    std::string grid;
    for (int r = 1; r <= 14; ++r) grid += cell(0, r) + "\t" + cell(1, r) + "\t" + cell(2, r) + "\n";
    EXPECT_EQ("Gene\tSyn\tN-Syn\n" + grid, summary.substr(0, summary.find("\n\n") + 1));

    EXPECT_EQ(w.Chart1->chart()->title(), "Synonymous and Non Synonymous Positions per Protein");
    EXPECT_EQ(w.Chart1->chart()->titleBrush().color(), QColor(Qt::blue));
    ASSERT_NE(w.Series1(), nullptr);
    ASSERT_NE(w.Series2(), nullptr);
    EXPECT_EQ(w.Series1()->label(), "Syn");
    EXPECT_EQ(w.Series1()->color(), QColor(Qt::blue));
    EXPECT_EQ(w.Series2()->label(), "Non-Syn");
    EXPECT_EQ(w.Series2()->color(), QColor(Qt::red));
    ASSERT_EQ(w.Series1()->count(), 13);
    EXPECT_EQ(w.Series1()->at(1), 2.0);   // ATP8
    EXPECT_EQ(w.Series2()->at(0), 3.0);   // ATP6
    EXPECT_EQ(w.Series1()->at(12), 1.0);  // ND6
}

TEST_F(ProteinWindow, ControlsCarryTheirCaptions) {
    EXPECT_EQ(w.GroupBox1->title(), "Options");
    EXPECT_EQ(w.Label2->text(), "1. Save summary results");
    EXPECT_EQ(w.Label3->text(), "2. Save data per position");
    EXPECT_EQ(w.Label4->text(), "3. Save data per sample");
    EXPECT_EQ(w.Label5->text(), "4. Save graph as image");
    for (QPushButton* b : {w.Button1, w.Button2, w.Button3, w.Button4}) EXPECT_EQ(b->text(), "Save As...");
    EXPECT_EQ(w.Button5->text(), "Close");
    EXPECT_TRUE(w.Label1->font().bold());
}

TEST_F(ProteinWindow, TextReportsMatchTheGoldenFiles) {
    EXPECT_EQ(read_bytes(save(w.Button2, "summary", 1) + ".txt"), crlf(golden("protein_summary.txt")));
    EXPECT_EQ(read_bytes(save(w.Button3, "positions.txt", 1)), crlf(golden("protein_per_position.txt")));
    EXPECT_EQ(read_bytes(save(w.Button4, "samples", 1) + ".txt"), golden("cli/protein_samples.txt"));
    EXPECT_EQ(dialogs.save_filters,
              std::vector<QString>(3, "Text File (*.txt)|*.txt|Microsoft Office Excel 97-2003 (*.xls)|*.xls|Excel Workbook (*.xlsx)|*.xlsx"));
    EXPECT_EQ(dialogs.save_confirm_overwrite, std::vector<bool>(3, true));
    EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(ProteinWindow, WorkbookSavesDriveTheProgressWindowAndKeepTheType) {
    const std::string book = save(w.Button3, "positions", 2) + ".xls";
    EXPECT_GT(std::filesystem::file_size(book), 0u);
    EXPECT_EQ(form.progress().windowTitle(), "Corvella - 100%");
    EXPECT_FALSE(form.progress().isVisible());
    save(w.Button4, "samples", 2);
    EXPECT_TRUE(std::filesystem::exists(dir + "/samples.xls"));
    EXPECT_EQ(form.progress().windowTitle(), "Corvella - 80%");  // samples count from 0: 4 of 5
    // The dialog starts with the type chosen last.
    EXPECT_EQ(dialogs.save_initial_indexes, (std::vector<int>{1, 2}));
    EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(ProteinWindow, ChartImageAndCancelledDialogs) {
    const std::string image = save(w.Button1, "chart", 1) + ".bmp";
    EXPECT_EQ(read_bytes(image).substr(0, 2), "BM");
    EXPECT_EQ(dialogs.save_filters.back(), "Bitmap (*.bmp)|*.bmp|PNG (*.png)|*.png|SVG (*.svg)|*.svg|PDF (*.pdf)|*.pdf");
    // The batch chart of the same counts is the same picture, byte for byte.
    const corvella::Workspace& ws = form.workspace();
    const corvella::ChartSpec spec =
        corvella::protein_chart_spec(corvella::count_protein_variants(ws, ws.variant_tally));
    const std::string batch = dir + "/batch.bmp";
    ASSERT_TRUE(corvella::save_chart_spec_bitmap(spec, batch).ok);
    EXPECT_EQ(read_bytes(batch), read_bytes(image));
    std::filesystem::remove(batch);
    QTest::mouseClick(w.Button2, Qt::LeftButton);  // no answer: cancelled
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), std::filesystem::directory_iterator()), 1);
}

TEST_F(ProteinWindow, ProteinRecountsFromTheCurrentTally) {
    form.workspace().variant_tally = {{{11719, 'A'}, 1}, {{11719, 'C'}, 1}};
    form.Protein1->trigger();
    EXPECT_EQ(cell(1, 11), "2");  // ND4
    EXPECT_EQ(cell(2, 1), "0");   // ATP6 back to 0
    EXPECT_EQ(cell(1, 14), "2");
    EXPECT_EQ(cell(2, 14), "0");
    EXPECT_EQ(w.Series2()->at(0), 0.0);
}
