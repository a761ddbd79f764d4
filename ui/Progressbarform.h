// TForm6: the progress window of the long workbook reports. Non-modal, no
// cancel; the report that drives it sets its caption on every step.
#pragma once

#include <QDialog>
#include <QElapsedTimer>

#include "output/report.h"

class QProgressBar;

class TForm6 : public QDialog, public corvella::ProgressSink {
    Q_OBJECT
public:
    // At most this many milliseconds pass between two repaints during a
    // report, and at least this many: about 30 a second. Painting once per
    // sample made a 30,000-sample workbook 35 times slower than the CLI.
    static constexpr int REPAINT_INTERVAL_MS = 33;

    explicit TForm6(QWidget* parent = nullptr);

    // The window that starts the work owns the progress window while it
    // runs, so that the window manager keeps it above that (modal) window
    // rather than under it. Call before start(); nullptr gives it back to
    // the window it was created for. An owner that is no longer shown when
    // the next work starts is left the same way.
    void set_owner(QWidget* owner);

    // Range 0..maximum, step 1, shown without blocking, raised and painted.
    void start(int32_t maximum) override;
    // One step; caption "Corvella - <percent>%", and the bar's text the same
    // percentage. The report loop keeps the event loop from running, so the
    // window is repainted here, but not more often than REPAINT_INTERVAL_MS.
    void step(int percent) override;
    void finish() override;

    // How many times the window was painted from inside the report loop
    // since the last start() (the first paint at start() included).
    int repaints() const { return repaints_; }

    QProgressBar* ProgressBar1;

private:
    void paint_now();

    QWidget* home_;  // the parent given at construction
    QElapsedTimer since_paint_;
    int percent_ = -1;
    int repaints_ = 0;
};
