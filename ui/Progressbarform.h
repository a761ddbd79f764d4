// TForm6: the progress window of the long reports and readings. The report
// that drives it sets its caption on every step.
//
// Two ways to drive it. run() does the work on a worker thread while the
// window, modal to the window that started the work, shows its steps with
// the event loop running; its Cancel button stops the work. start(), step()
// and finish() called on the window itself do the work on this thread, the
// window repainted now and then from inside the loop (readings and the
// aligner, which cannot be cancelled).
#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <atomic>
#include <functional>

#include "output/report.h"

class QProgressBar;
class QPushButton;

class TForm6 : public QDialog, public corvella::ProgressSink {
    Q_OBJECT
public:
    // At most this many milliseconds pass between two repaints during a
    // report, and at least this many: about 30 a second. Painting once per
    // sample made a 30,000-sample workbook 35 times slower than the CLI.
    static constexpr int REPAINT_INTERVAL_MS = 33;
    // Work that has not started its steps by then (building a table,
    // packing a workbook) shows the window with a busy bar.
    static constexpr int BUSY_SHOW_MS = 250;

    explicit TForm6(QWidget* parent = nullptr);

    // The window that starts the work owns the progress window while it
    // runs, so that the window manager keeps it above that (modal) window
    // rather than under it. Call before start(); nullptr gives it back to
    // the window it was created for. An owner that is no longer shown when
    // the next work starts is left the same way.
    void set_owner(QWidget* owner);

    // Runs `work` on a worker thread and returns when it has ended. `work`
    // reports its steps to the sink it is given (any thread may call it).
    // The window, owned by `owner` and modal to it, shows once the work
    // starts its steps, or after BUSY_SHOW_MS, and follows the steps; before
    // the first step and after the last (packing a workbook) its bar is busy.
    // Cancel, the window's close button and Escape cancel the work: its next
    // step, and the atomic writer before it puts a file in place, throw
    // WorkCancelled. False when the work was cancelled; an exception of the
    // work is thrown again here.
    bool run(QWidget* owner, const std::function<void(corvella::ProgressSink&)>& work);

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

    // Whether run() is under way, and whether its work was asked to stop.
    bool running() const { return running_; }
    bool cancelling() const { return running_ && cancel_; }

    QProgressBar* ProgressBar1;
    QPushButton* CancelButton;  // shown while run() is under way

public slots:
    // Cancel of a run (Escape and the close button come here too); outside a
    // run the window closes as any dialog.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void paint_now();
    void show_percent(int percent);

    QWidget* home_;  // the parent given at construction
    QElapsedTimer since_paint_;
    int percent_ = -1;
    int repaints_ = 0;
    bool running_ = false;
    std::atomic<bool> cancel_{false};
};
