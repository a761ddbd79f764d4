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
#include <QTemporaryDir>
#include <QValueAxis>

#include "pictures/chart_view.h"
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

TEST(Charts, BarsFollowTheSpec) {
    std::unique_ptr<QChart> chart(build_chart(two_series()));
    EXPECT_EQ(chart->title(), "Protein");
    EXPECT_TRUE(chart->legend()->isVisible());
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
    EXPECT_EQ(categories->labelsAngle(), -90);
    auto lefts = chart->axes(Qt::Vertical);
    ASSERT_EQ(lefts.size(), 1);
    EXPECT_EQ(lefts.first()->titleText(), "Number of polymorphisms");
}

TEST(Charts, LegendAndLabelTurnFollowTheSpec) {
    ChartSpec spec = two_series();
    spec.legend_visible = false;
    spec.rotate_labels = false;
    std::unique_ptr<QChart> chart(build_chart(spec));
    EXPECT_FALSE(chart->legend()->isVisible());
    auto* categories = qobject_cast<QBarCategoryAxis*>(chart->axes(Qt::Horizontal).first());
    EXPECT_EQ(categories->labelsAngle(), 0);
}

TEST(Charts, TextsAreSetInPixelsOfOneFamilyAndLowAxesCountInWholeNumbers) {
    ChartSpec spec = two_series();
    spec.bottom_label_pixels = 9;
    std::unique_ptr<QChart> chart(build_chart(spec));
    auto* left = qobject_cast<QValueAxis*>(chart->axes(Qt::Vertical).first());
    auto* bottom = chart->axes(Qt::Horizontal).first();
    for (const QFont& font : {chart->titleFont(), chart->legend()->font(), left->labelsFont(), left->titleFont(),
                              bottom->labelsFont()}) {
        EXPECT_EQ(font.family(), "Arial");
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
}

TEST(Charts, UnwritableBitmapReportsTheReason) {
    std::unique_ptr<QChartView> view(make_chart_view(two_series()));
    view->resize(100, 100);
    const std::string path = "/nonexistent-folder/chart.bmp";
    const WriteResult result = save_chart_bitmap(view.get(), path);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error.rfind("Cannot write " + path + ": ", 0), 0u) << result.error;
    EXPECT_GT(result.error.size(), ("Cannot write " + path + ": ").size());
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
