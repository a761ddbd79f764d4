#include "ui/counting_window_layout.h"

#include <QChartView>
#include <QDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QEvent>
#include <algorithm>
#include <QVBoxLayout>

namespace corvella {

namespace {

// Each time the window is shown it is made to fit the screen it is on: a
// window opened at its batch-chart size on an 800x600 screen shrinks, the
// chart with it.
class FitToScreen : public QObject {
public:
    explicit FitToScreen(QWidget* window) : QObject(window), window_(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::Show) fit();
        return false;
    }

private:
    void fit() {
        const QScreen* screen = window_->screen();
        if (screen == nullptr) return;
        const QRect room = screen->availableGeometry();
        // The frame is not known before the window manager has framed the
        // window once; allow for a title bar until then.
        const int frame_height = std::max(window_->frameGeometry().height() - window_->height(), 32);
        const int frame_width = std::max(window_->frameGeometry().width() - window_->width(), 8);
        const QSize fits(std::min(window_->width(), room.width() - frame_width),
                         std::min(window_->height(), room.height() - frame_height));
        if (fits != window_->size()) window_->resize(fits.expandedTo(window_->minimumSizeHint()));
    }

    QWidget* window_;
};

}  // namespace

void lay_out_counting_window(QDialog* window, QLabel* summary, QLayout* data, QChartView* chart,
                             QGroupBox* options, QPushButton* close) {
    auto* left = new QVBoxLayout();
    left->addLayout(data);
    left->addStretch(1);

    auto* under_chart = new QHBoxLayout();
    under_chart->addWidget(options, 0, Qt::AlignLeft | Qt::AlignBottom);
    under_chart->addStretch(1);
    under_chart->addWidget(close, 0, Qt::AlignBottom);
    auto* right = new QVBoxLayout();
    right->addWidget(chart, 1);
    right->addLayout(under_chart);

    auto* columns = new QHBoxLayout();
    columns->addLayout(left);
    columns->addLayout(right, 1);
    auto* layout = new QVBoxLayout(window);
    layout->addWidget(summary);
    layout->addLayout(columns, 1);

    // Open at the size that gives the chart exactly its batch size, then let
    // it grow and shrink with the window.
    const QSize opening = chart->size();
    chart->setFixedSize(opening);
    window->adjustSize();
    chart->setMinimumSize(CHART_MINIMUM);
    chart->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    chart->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    window->installEventFilter(new FitToScreen(window));
}

}  // namespace corvella
