// What the four counting windows share: one layout from 800x600 to a large
// screen, grids that copy as tab-separated text, a chart whose image is the
// batch image at the batch size, and a progress window above them.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QChartView>
#include <QClipboard>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QImage>
#include <QProcess>
#include <QScreen>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QElapsedTimer>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "classify/non_protein.h"
#include "classify/protein_counting.h"
#include "classify/rrna_classification.h"
#include "classify/trna_classification.h"
#include "fake_dialogs.h"
#include "ui/Corvella_unit.h"
#include "ui/Nonprotein.h"
#include "ui/Progressbarform.h"
#include "ui/Rrnastructure.h"
#include "ui/Synonymouscounting.h"
#include "ui/Trnastructure.h"
#include "ui/counting_window_layout.h"
#include "ui/grid_copy.h"

using corvella::Dialogs;
using corvella::FakeDialogs;

namespace {

const std::string DATA = CORVELLA_TEST_DATA;
const QSize BATCH_SIZE(corvella::ChartSpec{}.width, corvella::ChartSpec{}.height);

std::string read_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// One counting window, its chart, the buttons of its "Options" box and its grids.
struct Counting {
    const char* kind;  // corvella-cli chart kind
    QDialog* window;
    QChartView* chart;
    QGroupBox* options;
    QPushButton* chart_button;
    QPushButton* per_sample;
    std::vector<QTableWidget*> grids;
};

class CountingWindows : public ::testing::Test {
protected:
    CountingWindows() : form(dialogs) {
        form.show_modal = [](QDialog&) {};
        form.HumanReference1->trigger();
        dialogs.open_answers.push_back(DATA + "/cli/six_keys.txt");
        form.OpenPolymorphismsFile1->trigger();
        form.Protein1->trigger();
        form.NonProtein1->trigger();
        form.tRNAshumanonly1->trigger();
        form.rRNAshumanonly1->trigger();
        dir = std::string(CORVELLA_BINARY_DIR) + "/counting_layout_" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::create_directories(dir);
    }
    ~CountingWindows() override {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }

    std::vector<Counting> windows() {
        return {
            {"protein", form.Form4, form.Form4->Chart1, form.Form4->GroupBox1, form.Form4->Button1,
             form.Form4->Button4, {form.Form4->StringGrid1}},
            {"nonprotein", form.Form5, form.Form5->Chart1, form.Form5->GroupBox1, form.Form5->Button5,
             form.Form5->Button3, {form.Form5->StringGrid1, form.Form5->StringGrid2}},
            {"trna", form.Form9, form.Form9->Chart1, form.Form9->options_box(), form.Form9->Button1,
             form.Form9->Button4, {form.Form9->StringGrid1}},
            {"rrna", form.Form10, form.Form10->Chart1, form.Form10->options_box(), form.Form10->Button1,
             form.Form10->Button4, {form.Form10->StringGrid1}},
        };
    }

    FakeDialogs dialogs;
    TForm1 form;
    std::string dir;
};

}  // namespace

TEST_F(CountingWindows, OpenWithTheBatchChartSizeAndFitFrom800x600ToAFullScreen) {
    for (const Counting& c : windows()) {
        SCOPED_TRACE(c.kind);
        ASSERT_NE(c.options, nullptr);
        const QSize natural = c.window->size();
        c.window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(c.window));
        QApplication::processEvents();
        const QRect room = c.window->screen()->availableGeometry();
        if (natural.width() + 8 <= room.width() && natural.height() + 32 <= room.height()) {
            // As opened on a screen with room, the chart is what corvella-cli paints by default.
            EXPECT_EQ(c.chart->size(), BATCH_SIZE);
        } else {
            // On a smaller screen the window opens to fit it.
            EXPECT_LE(c.window->width(), room.width());
            EXPECT_LE(c.window->height(), room.height());
        }

        // Down to 800x600 (less a title bar) everything is on screen.
        const QSize least = c.window->minimumSizeHint();
        EXPECT_LE(least.width(), 800);
        EXPECT_LE(least.height(), 560);
        c.window->resize(800, 560);
        QApplication::processEvents();
        EXPECT_EQ(c.window->size(), QSize(800, 560));
        for (QWidget* part : c.window->findChildren<QWidget*>()) {
            if (!part->isVisible() || part->isWindow()) continue;
            const QRect in_window(part->mapTo(c.window, QPoint(0, 0)), part->size());
            EXPECT_TRUE(c.window->rect().contains(in_window))
                << part->metaObject()->className() << " " << part->objectName().toStdString();
        }
        const QSize small_chart = c.chart->size();
        EXPECT_GE(small_chart.width(), corvella::CHART_MINIMUM.width());

        // Full screen: the chart takes the room, the save rows keep their width.
        c.window->resize(1600, 1000);
        QApplication::processEvents();
        EXPECT_GT(c.chart->width(), small_chart.width() + 700);
        EXPECT_GT(c.chart->height(), small_chart.height() + 400);
        EXPECT_EQ(c.options->width(), c.options->sizeHint().width());
        c.window->hide();
    }
}

TEST_F(CountingWindows, GridTextsAreNeitherWrappedNorCut) {
    for (const Counting& c : windows()) {
        for (QTableWidget* grid : c.grids) {
            EXPECT_FALSE(grid->wordWrap()) << c.kind;
            const QFontMetrics metrics(grid->font());
            for (int r = 0; r < grid->rowCount(); ++r)
                for (int col = 0; col < grid->columnCount(); ++col) {
                    const QString text = grid->item(r, col)->text();
                    EXPECT_LE(metrics.horizontalAdvance(text), grid->columnWidth(col))
                        << c.kind << ": " << text.toStdString();
                }
            // Every row shows without scrolling.
            EXPECT_GE(grid->height(), grid->rowCount() * grid->rowHeight(0)) << c.kind;
        }
    }
}

TEST_F(CountingWindows, GridSelectionsCopyAsTabSeparatedLines) {
    QTableWidget& grid = *form.Form4->StringGrid1;
    auto cell = [&](int r, int c) { return grid.item(r, c)->text(); };
    // A block of cells.
    grid.setRangeSelected(QTableWidgetSelectionRange(1, 0, 2, 2), true);
    EXPECT_EQ(corvella::selected_grid_text(grid),
              cell(1, 0) + "\t" + cell(1, 1) + "\t" + cell(1, 2) + "\n" + cell(2, 0) + "\t" + cell(2, 1) + "\t" +
                  cell(2, 2) + "\n");
    EXPECT_EQ(cell(1, 0), "ATP6");

    // A click on a fixed cell of the first column takes its row; on the corner, all.
    grid.clearSelection();
    emit grid.cellClicked(14, 0);
    EXPECT_EQ(corvella::selected_grid_text(grid), "TOTAL\t" + cell(14, 1) + "\t" + cell(14, 2) + "\n");
    emit grid.cellClicked(0, 0);
    const QString all = corvella::selected_grid_text(grid);
    EXPECT_EQ(all.count('\n'), 15);
    EXPECT_EQ(all.count('\t'), 30);
    EXPECT_TRUE(all.startsWith("\tSynonymous\tNon-Synonymous\n"));

    // Two cells apart: the cells between stay empty fields.
    grid.clearSelection();
    grid.setRangeSelected(QTableWidgetSelectionRange(1, 1, 1, 1), true);
    grid.setRangeSelected(QTableWidgetSelectionRange(3, 2, 3, 2), true);
    EXPECT_EQ(corvella::selected_grid_text(grid), cell(1, 1) + "\t\n\t\n\t" + cell(3, 2) + "\n");

    // Ctrl+C on the grid, and the context menu's "Copy".
    QApplication::clipboard()->clear();
    form.Form4->show();
    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), cell(1, 1) + "\t\n\t\n\t" + cell(3, 2) + "\n");
    QTest::keyClick(&grid, Qt::Key_A, Qt::ControlModifier);
    QApplication::clipboard()->clear();
    QAction* copy = nullptr;
    for (QAction* a : grid.actions())
        if (a->text() == "&Copy") copy = a;
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(grid.contextMenuPolicy(), Qt::ActionsContextMenu);
    copy->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), all);

    // The other windows' grids copy too.
    QTableWidget& rrna = *form.Form10->StringGrid1;
    rrna.selectAll();
    EXPECT_TRUE(corvella::selected_grid_text(rrna).startsWith("\t12S\t16S\nStem\t"));
}

TEST_F(CountingWindows, TheChartSavedFromAnOpenedWindowIsTheBatchImage) {
    const QString cli = QString::fromStdString(std::string(CORVELLA_BINARY_DIR) + "/corvella-cli");
    for (const Counting& c : windows()) {
        SCOPED_TRACE(c.kind);
        c.window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(c.window));
        // Sized so that the chart has the batch size (where the window
        // opened smaller, on a small screen).
        c.window->resize(c.window->size() + BATCH_SIZE - c.chart->size());
        QApplication::processEvents();
        ASSERT_EQ(c.chart->size(), BATCH_SIZE);
        // The bitmap and the PNG (opaque RGB on every display) are the CLI's bytes.
        for (const auto& [type, extension] : {std::pair<int, const char*>{1, ".bmp"}, {2, ".png"}}) {
            SCOPED_TRACE(extension);
            const std::string window_image = dir + "/" + c.kind + "-window" + extension;
            dialogs.save_answers.push_back(Dialogs::SaveChoice{window_image, type});
            c.chart_button->click();
            ASSERT_TRUE(dialogs.errors.empty());
            const std::string batch = dir + "/" + c.kind + "-cli" + extension;
            QProcess run;
            run.start(cli, {"chart", c.kind, QString::fromStdString(DATA + "/cli/six_keys.txt"), "-o",
                            QString::fromStdString(batch)});
            ASSERT_TRUE(run.waitForFinished(60000));
            ASSERT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
            EXPECT_TRUE(read_bytes(window_image) == read_bytes(batch)) << c.kind << " differs from corvella-cli chart";
            EXPECT_FALSE(QImage(QString::fromStdString(window_image)).hasAlphaChannel());
        }
        const std::string shown = dir + "/" + c.kind + "-window.bmp";

        // Resized, the image is the chart as now shown.
        c.window->resize(c.window->width() + 200, c.window->height() + 100);
        QApplication::processEvents();
        dialogs.save_answers.push_back(Dialogs::SaveChoice{shown, 1});
        c.chart_button->click();
        const std::string bytes = read_bytes(shown);
        ASSERT_GT(bytes.size(), 26u);
        int32_t width = 0;  // little-endian at offset 18 of the BMP header
        for (int i = 3; i >= 0; --i) width = (width << 8) | static_cast<unsigned char>(bytes[18 + i]);
        EXPECT_EQ(width, c.chart->width());
        c.window->hide();
    }
}

TEST_F(CountingWindows, TheProgressWindowBelongsToTheWindowThatStartedTheReport) {
    // Watch the progress window while a per-sample workbook is written.
    struct Seen {
        QWidget* owner;
        bool visible;
        QString bar_text;
        QString title;
    };
    std::vector<Seen> seen;
    TForm6& progress = form.progress();
    QObject::connect(&progress, &QWidget::windowTitleChanged, [&](const QString& title) {
        seen.push_back({progress.parentWidget(), progress.isVisible(), progress.ProgressBar1->text(), title});
    });
    for (const Counting& c : windows()) {
        SCOPED_TRACE(c.kind);
        QDialog* window = c.window;
        seen.clear();
        window->show();
        dialogs.save_answers.push_back(Dialogs::SaveChoice{dir + "/" + c.kind + "-samples", 2});
        c.per_sample->click();
        EXPECT_TRUE(std::filesystem::exists(dir + "/" + c.kind + "-samples.xls"));
        ASSERT_FALSE(seen.empty());
        for (const Seen& s : seen) {
            EXPECT_EQ(s.owner, window);
            EXPECT_TRUE(s.visible);
            // The bar shows the number the title shows.
            EXPECT_EQ("Corvella - " + s.bar_text, s.title);
        }
        EXPECT_TRUE(progress.isWindow());
        EXPECT_FALSE(progress.isVisible());
        window->hide();
    }
}

TEST(ProgressWindowPainting, RepaintsAreThrottledToAboutThirtyASecond) {
    TForm6 progress;
    const int32_t n = 400000;
    QElapsedTimer clock;
    clock.start();
    progress.start(n);
    for (int32_t k = 0; k < n; ++k) progress.step(corvella::progress_percent(k, n));
    const qint64 ms = clock.elapsed();
    // One paint at the start, then at most one per interval.
    EXPECT_GE(progress.repaints(), 1);
    EXPECT_LE(progress.repaints(), 2 + ms / TForm6::REPAINT_INTERVAL_MS);
    EXPECT_EQ(progress.ProgressBar1->value(), n);
    EXPECT_EQ(progress.windowTitle(), "Corvella - 100%");
    EXPECT_EQ(progress.ProgressBar1->text(), "100%");
    progress.finish();
}
