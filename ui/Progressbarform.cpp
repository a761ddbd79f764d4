#include "ui/Progressbarform.h"

#include <QCoreApplication>
#include <QProgressBar>
#include <QVBoxLayout>
#include <algorithm>

TForm6::TForm6(QWidget* parent) : QDialog(parent), ProgressBar1(new QProgressBar(this)), home_(parent) {
    setModal(false);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setFixedWidth(337);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ProgressBar1);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TForm6::set_owner(QWidget* owner) {
    if (owner == nullptr) owner = home_;
    if (owner == parentWidget()) return;
    // setParent hides a window; it is shown again by start().
    setParent(owner, windowFlags());
}

void TForm6::start(int32_t maximum) {
    // Started by a window other than the last owner (which has closed since).
    if (parentWidget() != nullptr && !parentWidget()->isVisible()) set_owner(nullptr);
    ProgressBar1->setRange(0, maximum);
    ProgressBar1->setValue(0);
    ProgressBar1->setFormat(QStringLiteral("0%"));
    percent_ = -1;
    repaints_ = 0;
    show();
    raise();
    paint_now();
}

void TForm6::step(int percent) {
    // QProgressBar repaints at once whenever its value has moved by a pixel:
    // tens of thousands of steps would paint hundreds of times. The bar is
    // painted only by paint_now, at most about 30 times a second.
    ProgressBar1->setUpdatesEnabled(false);
    ProgressBar1->setValue(std::min(ProgressBar1->value() + 1, ProgressBar1->maximum()));
    ProgressBar1->setUpdatesEnabled(true);
    if (percent != percent_) {
        percent_ = percent;
        const QString text = QString("%1%").arg(percent);
        // The bar would round its own percentage down while the caption
        // rounds up: both show the caption's number.
        ProgressBar1->setFormat(text);
        setWindowTitle("Corvella - " + text);
    }
    if (since_paint_.elapsed() >= REPAINT_INTERVAL_MS) paint_now();
}

void TForm6::paint_now() {
    ProgressBar1->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    ++repaints_;
    since_paint_.restart();
}

void TForm6::finish() {
    close();
    // Let the window go from the screen before the workbook is written.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
