// TForm6: the progress window of the long workbook reports. Non-modal, no
// cancel; the report that drives it sets its caption on every step.
#pragma once

#include <QDialog>

#include "output/report.h"

class QProgressBar;

class TForm6 : public QDialog, public corvella::ProgressSink {
    Q_OBJECT
public:
    explicit TForm6(QWidget* parent = nullptr);

    // Range 0..maximum, step 1, shown without blocking.
    void start(int32_t maximum) override;
    // One step; caption "Corvella - <percent>%"; repainted at once because
    // the report loop keeps the event loop from running.
    void step(int percent) override;
    void finish() override;

    QProgressBar* ProgressBar1;
};
