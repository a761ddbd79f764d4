#include "pictures/chart_view.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QFont>
#include <QValueAxis>
#include <algorithm>
#include <map>

namespace corvella {

namespace {

QColor colour_of(uint32_t rgb) { return QColor::fromRgb(static_cast<QRgb>(rgb)); }

// Every text of a chart in one named family at a size in pixels, hinted and
// smoothed the same way everywhere: the display's resolution, its font
// hinting and its sub-pixel order would otherwise change the picture, and
// the window's image would no longer be the batch image.
QFont chart_font(int pixels, bool bold = false) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoSubpixelAntialias));
    return font;
}

constexpr int TITLE_PIXELS = 16;
constexpr int TEXT_PIXELS = 12;

}  // namespace

QChart* build_chart(const ChartSpec& spec) {
    auto* chart = new QChart();
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setTitle(QString::fromStdString(spec.title));
    chart->setTitleBrush(QBrush(colour_of(spec.title_rgb)));
    chart->setTitleFont(chart_font(TITLE_PIXELS, true));
    chart->legend()->setVisible(spec.legend_visible);
    chart->legend()->setFont(chart_font(TEXT_PIXELS));

    // Every x that any series uses becomes a category, left to right; a
    // series without a point at some x shows no bar there.
    std::map<double, QString> categories;
    for (const ChartSeries& s : spec.series)
        for (const ChartPoint& pt : s.points)
            categories.emplace(pt.x, QString::fromStdString(pt.label));

    auto* bars = new QBarSeries();
    for (const ChartSeries& s : spec.series) {
        auto* set = new QBarSet(QString::fromStdString(s.title));
        set->setColor(colour_of(s.rgb));
        set->setBorderColor(colour_of(s.rgb));
        for (const auto& [x, label] : categories) {
            (void)label;
            auto it = std::find_if(s.points.begin(), s.points.end(),
                                   [x = x](const ChartPoint& pt) { return pt.x == x; });
            set->append(it == s.points.end() ? 0.0 : it->y);
        }
        bars->append(set);
    }
    chart->addSeries(bars);

    auto* bottom = new QBarCategoryAxis();
    for (const auto& [x, label] : categories) {
        (void)x;
        bottom->append(label);
    }
    if (!spec.label_font.empty() || spec.label_pixel_size > 0) {
        QFont font = bottom->labelsFont();
        if (!spec.label_font.empty()) font.setFamily(QString::fromStdString(spec.label_font));
        if (spec.label_pixel_size > 0) font.setPixelSize(spec.label_pixel_size);
        bottom->setLabelsFont(font);
    }
    if (spec.rotate_labels) {
        bottom->setLabelsAngle(-90);
        // Turned labels have the bar's height to run in, not its width: do
        // not let the axis cut them to the width of a category.
        bottom->setTruncateLabels(false);
    }
    bottom->setLabelsFont(chart_font(spec.bottom_label_pixels));
    chart->addAxis(bottom, Qt::AlignBottom);
    bars->attachAxis(bottom);

    auto* left = new QValueAxis();
    left->setTitleText(QString::fromStdString(spec.left_axis_title));
    left->setLabelFormat("%d");
    left->setLabelsFont(chart_font(TEXT_PIXELS));
    left->setTitleFont(chart_font(TEXT_PIXELS, true));
    double top = 0.0;
    for (const ChartSeries& s : spec.series)
        for (const ChartPoint& pt : s.points) top = std::max(top, pt.y);
    left->setRange(0.0, top > 0.0 ? top : 1.0);
    left->applyNiceNumbers();
    // Counts are whole numbers: a low axis (an empty chart runs 0 to 1)
    // gets a tick per count, not tenths that all read "0".
    const int whole = static_cast<int>(left->max());
    if (whole >= 1 && whole < left->tickCount() - 1) left->setTickCount(whole + 1);
    chart->addAxis(left, Qt::AlignLeft);
    bars->attachAxis(left);
    return chart;
}

QChartView* make_chart_view(const ChartSpec& spec, QWidget* parent) {
    auto* view = new QChartView(build_chart(spec), parent);
    view->setRubberBand(QChartView::NoRubberBand);
    view->setRenderHint(QPainter::Antialiasing);
    // A fixed size, the same in every window and in corvella-cli, so that
    // "Save graph as image" and the batch chart give the same picture.
    view->setFixedSize(spec.width, spec.height);
    return view;
}

void show_chart(QChartView& view, const ChartSpec& spec) {
    QChart* old = view.chart();
    view.setChart(build_chart(spec));
    delete old;
}

}  // namespace corvella
