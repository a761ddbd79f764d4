#include "pictures/chart_view.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QFont>
#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QGraphicsTextItem>
#include <functional>
#include <QValueAxis>
#include <algorithm>
#include <map>

#include "pictures/picture_font.h"

namespace corvella {

namespace {

QColor colour_of(uint32_t rgb) { return QColor::fromRgb(static_cast<QRgb>(rgb)); }

constexpr int TITLE_PIXELS = 16;
constexpr int TEXT_PIXELS = 12;

// The smallest letters a chart text is set in to make it fit.
constexpr int SMALLEST_PIXELS = 6;

// The largest size from `pixels` down to SMALLEST_PIXELS at which the text
// fits, by `fits`.
int fitting_pixels(int pixels, bool bold, const std::function<bool(const QFontMetricsF&)>& fits) {
    for (int px = pixels; px > SMALLEST_PIXELS; --px)
        if (fits(QFontMetricsF(picture_font(px, bold)))) return px;
    return SMALLEST_PIXELS;
}

// A chart view that sets the chart's texts smaller where the chart is too
// small for them at their usual size, each time it is resized.
class FittingChartView : public QChartView {
public:
    using QChartView::QChartView;

protected:
    void resizeEvent(QResizeEvent* event) override {
        QChartView::resizeEvent(event);
        fit_chart_texts(chart());
    }
};

void relayout(QChart* chart) {
    chart->layout()->invalidate();
    chart->layout()->activate();
}

// Whether one of the chart's texts (its title, an axis title, a label) is
// shown with exactly `text`: neither cut short nor hidden.
bool shows_whole(const QGraphicsItem* item, const QString& text) {
    for (const QGraphicsItem* child : item->childItems()) {
        if (const auto* t = qgraphicsitem_cast<const QGraphicsTextItem*>(child))
            if (t->isVisible() && t->toPlainText().trimmed() == text.trimmed()) return true;
        if (shows_whole(child, text)) return true;
    }
    return false;
}

// The axis leaves out a turned label that would reach past either end of
// the plot: where the categories are too narrow for the first and the last
// label, an empty category at each end gives them room (and takes it away
// again when the chart grows).
void pad_categories(QChart* chart, QBarCategoryAxis* bottom, bool pad) {
    if (chart->property("corvella_padded").toBool() == pad) return;
    chart->setProperty("corvella_padded", pad);
    QStringList categories = chart->property("corvella_categories").toStringList();
    if (pad) categories = QStringList{QStringLiteral(" ")} + categories + QStringList{QStringLiteral("  ")};
    bottom->setCategories(categories);
    for (QAbstractSeries* series : chart->series())
        if (auto* bars = qobject_cast<QBarSeries*>(series))
            for (QBarSet* set : bars->barSets()) {
                if (pad) {
                    set->insert(0, 0.0);
                    set->append(0.0);
                } else if (set->count() >= 2) {
                    set->remove(set->count() - 1);
                    set->remove(0);
                }
            }
}

}  // namespace

void fit_chart_texts(QChart* chart) {
    if (chart == nullptr || chart->size().isEmpty()) return;
    auto* bottom = qobject_cast<QBarCategoryAxis*>(chart->axes(Qt::Horizontal).value(0));
    auto* left = qobject_cast<QValueAxis*>(chart->axes(Qt::Vertical).value(0));
    const int label_pixels = chart->property("corvella_label_pixels").toInt();
    // Each pass lays the chart out anew; the plot area moves a little when
    // a text shrinks, so a second pass checks the result.
    for (int pass = 0; pass < 3; ++pass) {
        const QRectF plot = chart->plotArea();
        const QMargins margins = chart->margins();
        // The title's box: inside the chart's frame and margins, less the
        // text item's own margins.
        const double room = chart->contentsRect().width() - margins.left() - margins.right() - 12.0;
        const QString title = chart->title();
        const QFont title_font = picture_font(
            fitting_pixels(TITLE_PIXELS, true, [&](const QFontMetricsF& m) { return m.horizontalAdvance(title) <= room; }),
            true);
        bool changed = title_font.pixelSize() != chart->titleFont().pixelSize();
        if (changed) chart->setTitleFont(title_font);
        if (bottom != nullptr && bottom->count() > 0 && plot.width() > 0 && label_pixels > 0) {
            // Turned labels stand side by side as wide as a line of text;
            // level ones as wide as the longest label.
            const QStringList labels = chart->property("corvella_categories").toStringList();
            const bool turned = bottom->labelsAngle() != 0;
            const auto n = static_cast<double>(std::max<qsizetype>(1, labels.size()));
            const bool pad = turned && QFontMetricsF(picture_font(label_pixels)).height() + 4.0 > plot.width() / n;
            const double per = plot.width() / (n + (pad ? 2.0 : 0.0));
            const QFont font = picture_font(fitting_pixels(label_pixels, false, [&](const QFontMetricsF& m) {
                if (turned) return m.height() + 2.0 <= per;
                double widest = 0;
                for (const QString& l : labels) widest = std::max(widest, m.horizontalAdvance(l));
                return widest <= per - 2.0;
            }));
            if (font.pixelSize() != bottom->labelsFont().pixelSize()) {
                bottom->setLabelsFont(font);
                changed = true;
            }
            if (pad != chart->property("corvella_padded").toBool()) {
                pad_categories(chart, bottom, pad);
                changed = true;
            }
        }
        if (left != nullptr && plot.height() > 0) {
            const QString text = left->titleText();
            const QFont font = picture_font(
                fitting_pixels(TEXT_PIXELS, true,
                               [&](const QFontMetricsF& m) { return m.horizontalAdvance(text) <= plot.height() - 4.0; }),
                true);
            if (font.pixelSize() != left->titleFont().pixelSize()) {
                left->setTitleFont(font);
                changed = true;
            }
        }
        if (!changed || chart->layout() == nullptr) break;
        relayout(chart);
    }
    if (chart->layout() == nullptr) return;
    // The estimates above are near; what the chart really shows decides. A
    // text still cut or left out is set smaller until it shows whole.
    auto shrink_until = [&](const std::function<QFont()>& current, const std::function<void(const QFont&)>& set,
                            bool bold, const std::function<bool()>& whole) {
        for (int px = current().pixelSize(); px > SMALLEST_PIXELS && !whole(); --px) {
            set(picture_font(px - 1, bold));
            relayout(chart);
        }
    };
    const QString title = chart->title();
    shrink_until([&] { return chart->titleFont(); }, [&](const QFont& f) { chart->setTitleFont(f); }, true,
                 [&] { return title.isEmpty() || shows_whole(chart, title); });
    if (left != nullptr && !left->titleText().isEmpty())
        shrink_until([&] { return left->titleFont(); }, [&](const QFont& f) { left->setTitleFont(f); }, true,
                     [&] { return shows_whole(chart, left->titleText()); });
    if (bottom != nullptr && label_pixels > 0) {
        const QStringList labels = chart->property("corvella_categories").toStringList();
        auto all_shown = [&] {
            for (const QString& l : labels)
                if (!l.trimmed().isEmpty() && !shows_whole(chart, l)) return false;
            return true;
        };
        shrink_until([&] { return bottom->labelsFont(); }, [&](const QFont& f) { bottom->setLabelsFont(f); }, false,
                     all_shown);
        if (!all_shown() && !chart->property("corvella_padded").toBool() && bottom->labelsAngle() != 0) {
            pad_categories(chart, bottom, true);
            relayout(chart);
        }
    }
}

QChart* build_chart(const ChartSpec& spec) {
    auto* chart = new QChart();
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setTitle(QString::fromStdString(spec.title));
    chart->setTitleBrush(QBrush(colour_of(spec.title_rgb)));
    chart->setTitleFont(picture_font(TITLE_PIXELS, true));
    chart->legend()->setVisible(spec.legend_visible);
    chart->legend()->setFont(picture_font(TEXT_PIXELS));

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
    bottom->setLabelsFont(picture_font(spec.bottom_label_pixels));
    chart->setProperty("corvella_label_pixels", spec.bottom_label_pixels);
    chart->setProperty("corvella_categories", bottom->categories());
    chart->addAxis(bottom, Qt::AlignBottom);
    bars->attachAxis(bottom);

    auto* left = new QValueAxis();
    left->setTitleText(QString::fromStdString(spec.left_axis_title));
    left->setLabelFormat("%d");
    left->setLabelsFont(picture_font(TEXT_PIXELS));
    left->setTitleFont(picture_font(TEXT_PIXELS, true));
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
    auto* view = new FittingChartView(build_chart(spec), parent);
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
    fit_chart_texts(view.chart());
}

}  // namespace corvella
