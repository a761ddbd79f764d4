#include "ui/genome_map_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QToolTip>
#include <QVBoxLayout>

#include "classify/genome_map_layout.h"
#include "ui/application.h"
#include "pictures/chart_image.h"
#include "pictures/genome_map_painter.h"
#include "ui/report_saving.h"

namespace corvella {

GenomeMapView::GenomeMapView(const Workspace& ws, QWidget* parent)
    : QWidget(parent), ws_(ws), bars_(map_bars(ws)) {
    setObjectName("GenomeMapView");
    setMouseTracking(true);
    setMinimumSize(MAP_MINIMUM_WIDTH, MAP_MINIMUM_HEIGHT);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    resize(MAP_DEFAULT_WIDTH, MAP_DEFAULT_HEIGHT);
    map_ = lay_out_genome_map(ws_, bars_, width(), height());
}

QString GenomeMapView::text_at(QPointF point) const {
    const MapBar* bar = map_bar_at(map_, point.x(), point.y());
    return bar == nullptr ? QString() : QString::fromStdString(map_bar_text(map_, *bar));
}

void GenomeMapView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paint_genome_map(painter, map_);
}

void GenomeMapView::resizeEvent(QResizeEvent*) {
    if (map_.width != width() || map_.height != height()) map_ = lay_out_genome_map(ws_, bars_, width(), height());
}

void GenomeMapView::mouseMoveEvent(QMouseEvent* event) {
    const QString text = text_at(event->position());
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(event->globalPosition().toPoint(), text, this);
    emit pointed(text);
}

void GenomeMapView::leaveEvent(QEvent*) { emit pointed(QString()); }

GenomeMapWindow::GenomeMapWindow(const Workspace& ws, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs) {
    setObjectName("GenomeMapWindow");
    setWindowTitle("Genome Map");
    view_ = new GenomeMapView(ws, this);
    pointer_ = new QLabel(this);
    pointer_->setObjectName("PointerLabel");
    pointer_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    pointer_->setText("Point at a variant's bar to see it here.");
    save_ = new QPushButton("Save As...", this);
    save_->setObjectName("SaveButton");
    auto* close = new QPushButton("Close", this);
    close->setObjectName("CloseButton");
    auto* buttons = new QHBoxLayout();
    buttons->addWidget(pointer_, 1);
    buttons->addWidget(save_);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view_, 1);
    layout->addLayout(buttons);
    connect(view_, &GenomeMapView::pointed, this, [this](const QString& text) {
        if (!text.isEmpty()) pointer_->setText(text);
    });
    connect(save_, &QPushButton::clicked, this, [this] { run_command(dialogs_, this, [this] { save(); }); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    setSizeGripEnabled(true);
}

void GenomeMapWindow::save() {
    save_chart_image(this, dialogs_, [this](const std::string& path, ChartImageFormat format) {
        return save_genome_map(view_->map(), path, format);
    });
}

}  // namespace corvella

#include "ui/Corvella_unit.h"

// "Genome Map..." under "Classification": the map of the list read last,
// shown modally as the counting windows are.
void TForm1::GenomeMap1Click() {
    corvella::GenomeMapWindow window(workspace_, dialogs_, this);
    window.resize(corvella::MAP_DEFAULT_WIDTH + 24, corvella::MAP_DEFAULT_HEIGHT + 60);
    show_modal(window);
}
