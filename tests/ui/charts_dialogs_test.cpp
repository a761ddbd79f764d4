#include <gtest/gtest.h>

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QLegend>
#include <QRawFont>
#include <QTemporaryDir>
#include <QValueAxis>

#include "classify/non_protein.h"
#include "classify/protein_counting.h"
#include "classify/rrna_classification.h"
#include "classify/trna_classification.h"
#include "pictures/chart_image.h"
#include "pictures/chart_view.h"
#include "pictures/picture_font.h"
#include "ui/counting_window_layout.h"
#include "ui/qt_dialogs.h"

using namespace corvella;

namespace {

ChartSpec two_series() {
    ChartSpec spec;
    spec.title = "Protein";
    spec.left_axis_title = "Number of polymorphisms";
    spec.series = {{"Syn", CHART_BLUE, {{1, 3, "ATP6"}, {2, 0, "ATP8"}, {3, 7, "COX1"}}},
                   {"Non-Syn", CHART_RED, {{1, 1, "ATP6"}, {3, 2, "COX1"}}}};
    return spec;
}

}  // namespace

TEST(Charts, BarsLegendAndLabelTurnFollowTheSpec) {
    for (const bool legend_and_turn : {true, false}) {
        SCOPED_TRACE(legend_and_turn ? "legend, turned labels" : "no legend, level labels");
        ChartSpec spec = two_series();  // with the legend and turned labels unless told otherwise
        if (!legend_and_turn) spec.legend_visible = spec.rotate_labels = false;
        std::unique_ptr<QChart> chart(build_chart(spec));
        EXPECT_EQ(chart->title(), "Protein");
        EXPECT_EQ(chart->legend()->isVisible(), legend_and_turn);
        ASSERT_EQ(chart->series().size(), 1);
        auto* bars = qobject_cast<QBarSeries*>(chart->series().first());
        ASSERT_NE(bars, nullptr);
        ASSERT_EQ(bars->count(), 2);
        QBarSet* syn = bars->barSets()[0];
        QBarSet* non = bars->barSets()[1];
        EXPECT_EQ(syn->label(), "Syn");
        EXPECT_EQ(syn->color(), QColor(0, 0, 255));
        EXPECT_EQ(non->color(), QColor(255, 0, 0));
        EXPECT_EQ(syn->count(), 3);
        EXPECT_EQ(syn->at(2), 7.0);
        // A series without a point at some x shows no bar there.
        EXPECT_EQ(non->count(), 3);
        EXPECT_EQ(non->at(1), 0.0);
        EXPECT_EQ(non->at(2), 2.0);

        auto bottoms = chart->axes(Qt::Horizontal);
        ASSERT_EQ(bottoms.size(), 1);
        auto* categories = qobject_cast<QBarCategoryAxis*>(bottoms.first());
        ASSERT_NE(categories, nullptr);
        EXPECT_EQ(categories->categories(), (QStringList{"ATP6", "ATP8", "COX1"}));
        EXPECT_EQ(categories->labelsAngle(), legend_and_turn ? -90 : 0);
        auto lefts = chart->axes(Qt::Vertical);
        ASSERT_EQ(lefts.size(), 1);
        EXPECT_EQ(lefts.first()->titleText(), "Number of polymorphisms");
    }
}

TEST(Charts, TextsAreSetInPixelsOfOneFamilyAndLowAxesCountInWholeNumbers) {
    ChartSpec spec = two_series();
    spec.bottom_label_pixels = 9;
    std::unique_ptr<QChart> chart(build_chart(spec));
    auto* left = qobject_cast<QValueAxis*>(chart->axes(Qt::Vertical).first());
    auto* bottom = chart->axes(Qt::Horizontal).first();
    for (const QFont& font : {chart->titleFont(), chart->legend()->font(), left->labelsFont(), left->titleFont(),
                              bottom->labelsFont()}) {
        EXPECT_EQ(font.family(), picture_font_family());
        EXPECT_GT(font.pixelSize(), 0);  // pixels, not points
        EXPECT_EQ(font.hintingPreference(), QFont::PreferNoHinting);
    }
    EXPECT_EQ(bottom->labelsFont().pixelSize(), 9);

    // Nothing counted: the axis runs 0 to 1 with the two whole ticks only.
    for (ChartSeries& s : spec.series)
        for (ChartPoint& p : s.points) p.y = 0;
    chart.reset(build_chart(spec));
    left = qobject_cast<QValueAxis*>(chart->axes(Qt::Vertical).first());
    EXPECT_EQ(left->max(), 1.0);
    EXPECT_EQ(left->tickCount(), 2);
    for (ChartSeries& s : spec.series) s.points.front().y = 3;
    chart.reset(build_chart(spec));
    left = qobject_cast<QValueAxis*>(chart->axes(Qt::Vertical).first());
    EXPECT_EQ(left->tickCount(), static_cast<int>(left->max()) + 1);
}

// The faces Qt draws the chart texts with are the carried ones, whatever
// the machine has installed under the same name: their tables are the
// resource's bytes.
TEST(Charts, TextsAreDrawnWithTheCarriedFaces) {
    ASSERT_TRUE(register_picture_fonts());
    for (const bool bold : {false, true}) {
        QFile file(picture_font_resource(bold));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << bold;
        const QRawFont carried(file.readAll(), 12);
        ASSERT_TRUE(carried.isValid());
        const QRawFont drawn = QRawFont::fromFont(picture_font(12, bold));
        ASSERT_TRUE(drawn.isValid());
        EXPECT_EQ(drawn.familyName(), picture_font_family());
        EXPECT_EQ(drawn.weight(), bold ? QFont::Bold : QFont::Normal);
        for (const char* table : {"head", "name", "glyf"})
            EXPECT_EQ(drawn.fontTable(table), carried.fontTable(table)) << table << (bold ? " bold" : " regular");
    }
}

TEST(Charts, SavedBitmapIsTheChartAsShown) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ChartSpec spec = two_series();
    spec.width = 420;
    spec.height = 300;
    std::unique_ptr<QChartView> view(make_chart_view(spec));
    EXPECT_EQ(view->rubberBand(), QChartView::NoRubberBand);
    view->resize(800, 800);  // the chart keeps its size in any layout
    view->show();
    const std::string path = dir.filePath("chart.bmp").toStdString();
    const WriteResult result = save_chart_bitmap(view.get(), path);
    ASSERT_TRUE(result.ok) << result.error;
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(2), QByteArray("BM"));
    file.close();
    QImageReader reader(QString::fromStdString(path));
    EXPECT_EQ(reader.format(), "bmp");
    EXPECT_EQ(reader.size(), QSize(420, 300));

    // Replacing an existing file, and the same picture from the ChartSpec alone.
    spec.width = 300;
    spec.height = 200;
    const WriteResult again = save_chart_spec_bitmap(spec, path);
    ASSERT_TRUE(again.ok) << again.error;
    EXPECT_EQ(QImageReader(QString::fromStdString(path)).size(), QSize(300, 200));

    // A file that cannot be written says why.
    const std::string unwritable = "/nonexistent-folder/chart.bmp";
    view->resize(100, 100);
    const WriteResult refused = save_chart_bitmap(view.get(), unwritable);
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.error.rfind("Cannot write " + unwritable + ": ", 0), 0u) << refused.error;
    EXPECT_GT(refused.error.size(), ("Cannot write " + unwritable + ": ").size());
}

// Every category label and the whole title are drawn (in the vector
// drawing, as text) at every size from the counting windows' least chart and
// corvella-cli's least --size up, in the window's view as in the batch image.
TEST(Charts, EveryLabelAndTheTitleShowAtSmallSizes) {
    struct Kind {
        const char* name;
        ChartSpec spec;
    };
    const Kind kinds[] = {{"protein", protein_chart_spec(ProteinCounts{})},
                          {"nonprotein", non_protein_chart(NonProteinCounts{})},
                          {"trna", trna_chart(TrnaGroupCounts{})},
                          {"rrna", rrna_chart(RrnaCounts{})}};
    const QSize sizes[] = {QSize(640, 420), CHART_MINIMUM, QSize(397, 405), QSize(320, 240), QSize(1600, 300)};
    QTemporaryDir dir;
    for (const Kind& k : kinds) {
        for (const QSize& size : sizes) {
            for (const bool window : {true, false}) {
                const std::string path = dir.filePath("chart.svg").toStdString();
                if (window) {
                    // The window's view shrinks and grows with the window.
                    std::unique_ptr<QChartView> view(make_chart_view(k.spec));
                    view->setMinimumSize(QSize(1, 1));
                    view->setMaximumSize(QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
                    view->resize(1000, 700);
                    view->resize(size);
                    ASSERT_TRUE(save_chart_as(view.get(), path, ChartImageFormat::Svg).ok);
                } else {
                    ASSERT_TRUE(save_chart_spec_as(k.spec, path, ChartImageFormat::Svg, size).ok);
                }
                QFile file(QString::fromStdString(path));
                ASSERT_TRUE(file.open(QIODevice::ReadOnly));
                const QString svg = QString::fromUtf8(file.readAll());
                const QString where = QString("%1 at %2x%3 %4").arg(k.name).arg(size.width()).arg(size.height())
                                          .arg(window ? "in the window" : "from its description");
                EXPECT_TRUE(svg.contains(QString::fromStdString(k.spec.title).toHtmlEscaped())) << where.toStdString();
                EXPECT_FALSE(svg.contains("...")) << where.toStdString();
                for (const ChartPoint& p : k.spec.series.front().points) {
                    const QString label = QString::fromStdString(p.label).trimmed().toHtmlEscaped();
                    EXPECT_TRUE(svg.contains(">" + label + "<")) << label.toStdString() << ", " << where.toStdString();
                }
            }
        }
    }
}

// At the size the counting windows open with, the texts keep their usual
// letters: the fitting changes nothing there.
TEST(Charts, TheUsualSizeKeepsTheUsualLetters) {
    for (const ChartSpec& spec : {protein_chart_spec(ProteinCounts{}), non_protein_chart(NonProteinCounts{})}) {
        std::unique_ptr<QChartView> view(make_chart_view(spec));
        view->setAttribute(Qt::WA_DontShowOnScreen);
        view->show();
        QChart* chart = view->chart();
        EXPECT_EQ(chart->titleFont().pixelSize(), 16);
        EXPECT_EQ(chart->axes(Qt::Horizontal).first()->labelsFont().pixelSize(), spec.bottom_label_pixels);
        EXPECT_EQ(chart->axes(Qt::Vertical).first()->titleFont().pixelSize(), 12);
        EXPECT_EQ(qobject_cast<QBarCategoryAxis*>(chart->axes(Qt::Horizontal).first())->count(),
                  static_cast<int>(spec.series.front().points.size()));
    }
}

TEST(QtDialogsFilters, PairsBecomeQtNameFilters) {
    struct Case {
        const char* filter;
        QStringList expected;
    };
    const Case cases[] = {
        {"Text Files (*.txt)|*.txt|GenBank Files (*.gbk, *.gen, *.gb, *.gnk)|*.gbk; *.gen; "
         "*.gb; *.gnk|All Files (*.*)|*.*",
         {"Text Files (*.txt)", "GenBank Files (*.gbk *.gen *.gb *.gnk)", "All Files (*)"}},
        {"Text Files (*.txt)|*.txt|All Files|*.*", {"Text Files (*.txt)", "All Files (*)"}},
        {"Text File (*.txt)|*.txt|Microsoft Office Excel 97-2003 (*.xls)|*.xls",
         {"Text File (*.txt)", "Microsoft Office Excel 97-2003 (*.xls)"}},
        {"Bitmap (*.bmp)|*.bmp", {"Bitmap (*.bmp)"}},
        {"Network Binary File (*.rdf)|*.rdf", {"Network Binary File (*.rdf)"}},
    };
    for (const Case& c : cases) EXPECT_EQ(qt_name_filters(c.filter), c.expected) << c.filter;
}
