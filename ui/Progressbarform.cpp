#include "ui/Progressbarform.h"

#include <QCoreApplication>
#include <QProgressBar>
#include <QVBoxLayout>

TForm6::TForm6(QWidget* parent) : QDialog(parent), ProgressBar1(new QProgressBar(this)) {
    setModal(false);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setFixedWidth(337);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ProgressBar1);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TForm6::start(int32_t maximum) {
    ProgressBar1->setRange(0, maximum);
    ProgressBar1->setValue(0);
    show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TForm6::step(int percent) {
    ProgressBar1->setValue(std::min(ProgressBar1->value() + 1, ProgressBar1->maximum()));
    setWindowTitle(QString("Corvella - %1%").arg(percent));
    ProgressBar1->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TForm6::finish() { close(); }
