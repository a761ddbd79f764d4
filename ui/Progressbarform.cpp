#include "ui/Progressbarform.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>
#include <thread>

#include "output/cancellation.h"

namespace {

// The steps of work on a worker thread, as the progress window reads them.
class WorkerSteps : public corvella::ProgressSink {
public:
    void start(int32_t maximum) override {
        corvella::throw_if_cancelled();
        maximum_ = maximum;
        value_ = 0;
        percent_ = 0;
        finished_ = false;
        started_ = true;
    }
    void step(int percent) override {
        corvella::throw_if_cancelled();
        value_.fetch_add(1, std::memory_order_relaxed);
        percent_.store(percent, std::memory_order_relaxed);
    }
    void finish() override { finished_ = true; }

    std::atomic<int32_t> maximum_{0};
    std::atomic<int32_t> value_{0};
    std::atomic<int> percent_{0};
    std::atomic<bool> started_{false};
    std::atomic<bool> finished_{false};
};

}  // namespace

TForm6::TForm6(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      ProgressBar1(new QProgressBar(this)),
      CancelButton(new QPushButton("Cancel", this)),
      home_(parent) {
    setModal(false);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setFixedWidth(337);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    CancelButton->setObjectName("CancelButton");
    CancelButton->setAutoDefault(false);
    CancelButton->hide();
    connect(CancelButton, &QPushButton::clicked, this, &TForm6::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ProgressBar1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CancelButton);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TForm6::set_owner(QWidget* owner) {
    if (owner == nullptr) owner = home_;
    if (owner == parentWidget()) return;
    // setParent hides a window; it is shown again by start().
    setParent(owner, windowFlags());
}

void TForm6::show_percent(int percent) {
    if (percent == percent_) return;
    percent_ = percent;
    const QString text = QString("%1%").arg(percent);
    // The bar would round its own percentage down while the caption
    // rounds up: both show the caption's number.
    ProgressBar1->setFormat(text);
    const QString caption = "Corvella - " + text;
    // A new report's first step is told even when its caption reads as the
    // last one of the report before (a window set the same title is silent).
    if (windowTitle() == caption)
        emit windowTitleChanged(caption);
    else
        setWindowTitle(caption);
}

bool TForm6::run(QWidget* owner, const std::function<void(corvella::ProgressSink&)>& work) {
    if (owner == nullptr || !owner->isVisible()) owner = home_;
    set_owner(owner);
    setWindowModality(Qt::WindowModal);
    cancel_ = false;
    running_ = true;
    percent_ = -1;
    CancelButton->setEnabled(true);
    CancelButton->setText("Cancel");
    CancelButton->show();

    WorkerSteps steps;
    std::exception_ptr failure;
    bool cancelled = false;
    std::atomic<bool> done{false};
    QEventLoop loop;
    std::thread worker([&] {
        {
            corvella::CancelScope scope(cancel_);
            try {
                work(steps);
            } catch (const corvella::WorkCancelled&) {
                cancelled = true;
            } catch (...) {
                failure = std::current_exception();
            }
        }
        done = true;
        QMetaObject::invokeMethod(&loop, "quit", Qt::QueuedConnection);
    });

    // What the window shows follows the worker's steps.
    bool busy = true;
    int32_t shown_maximum = -1;
    auto follow = [&] {
        const bool stepping = steps.started_ && !steps.finished_;
        if (stepping) {
            const int32_t maximum = steps.maximum_;
            if (busy || maximum != shown_maximum) ProgressBar1->setRange(0, maximum);
            busy = false;
            shown_maximum = maximum;
            ProgressBar1->setValue(std::min(steps.value_.load(), maximum));
            show_percent(steps.percent_);
        } else if (!busy) {
            // Before the first step and after the last: a phase without
            // steps, such as packing the workbook.
            ProgressBar1->setRange(0, 0);
            busy = true;
            shown_maximum = -1;
        }
    };
    QElapsedTimer clock;
    clock.start();
    QTimer poll;
    poll.setInterval(REPAINT_INTERVAL_MS);
    QObject::connect(&poll, &QTimer::timeout, this, [&] {
        if (done) return;
        if (isVisible()) {
            follow();
        } else if (steps.started_ || clock.elapsed() >= BUSY_SHOW_MS) {
            loop.quit();  // on to the second wait, with the window up
        }
    });
    ProgressBar1->setRange(0, 0);
    ProgressBar1->setFormat(QStringLiteral("%p%"));
    poll.start();
    // Until the window shows, the person's clicks and keys wait; once it is
    // up, it is modal and they reach it alone.
    if (!done) loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!done) {
        show();
        raise();
        follow();
        loop.exec();
    }
    poll.stop();
    worker.join();

    // The last step is shown, in a window that was shown, before it closes.
    if (steps.started_ && !cancelled) {
        if (!isVisible()) show();
        ProgressBar1->setRange(0, std::max<int32_t>(steps.maximum_, 1));
        ProgressBar1->setValue(std::min(steps.value_.load(), steps.maximum_.load()));
        show_percent(steps.percent_);
    }
    running_ = false;
    CancelButton->hide();
    hide();
    setWindowModality(Qt::NonModal);
    if (failure) std::rethrow_exception(failure);
    return !cancelled;
}

void TForm6::reject() {
    if (!running_) {
        QDialog::reject();
        return;
    }
    cancel_ = true;
    CancelButton->setEnabled(false);
    CancelButton->setText("Cancelling...");
}

void TForm6::closeEvent(QCloseEvent* event) {
    if (running_) {
        reject();
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
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
    show_percent(percent);
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
