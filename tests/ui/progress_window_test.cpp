// The progress window of a long save: the work runs off the event loop
// (timers and painting go on), every phase of it under the window (a busy
// bar before the steps and while the workbook is packed), modal to the
// window that started it, without minimise or maximise, and with a Cancel
// that stops the work and keeps what was on disk.
#include <gtest/gtest.h>

#include <QDialog>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <thread>

#include "../output/temp_folder.h"
#include "core/temp_file.h"
#include "fake_dialogs.h"
#include "output/cancellation.h"
#include "ui/Corvella_unit.h"
#include "ui/Exporttonetwork.h"
#include "ui/Progressbarform.h"
#include "ui/report_saving.h"
#include "ui/text_lines_view.h"
#include "export/network_file.h"

using corvella::Dialogs;
using corvella::FakeDialogs;
using corvella::ProgressSink;
using corvella::ReportForms;
using corvella::RowSink;

namespace {

const QString FILTER = "Text File (*.txt)|*.txt|Microsoft Office Excel 97-2003 (*.xls)|*.xls|Excel Workbook "
                       "(*.xlsx)|*.xlsx";

void pause_ms(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// A report of `rows` rows, each taking `row_ms`, with optional phases
// without steps before the first row and after the last.
ReportForms slow_report(int rows, int row_ms, int before_ms = 0, int after_ms = 0) {
    return ReportForms{[] { return std::string("a\tb\n"); },
                       [=](RowSink& sink, ProgressSink* progress) {
                           pause_ms(before_ms);
                           if (!sink.begin({rows, 1})) return;
                           if (progress) progress->start(rows);
                           for (int r = 1; r <= rows; ++r) {
                               pause_ms(row_ms);
                               if (!sink.row(r, {{1, std::to_string(r)}})) return;
                               if (progress) progress->step(corvella::progress_percent(r, rows));
                           }
                           if (progress) progress->finish();
                           sink.end();
                           pause_ms(after_ms);
                       },
                       1000000};
}

class ProgressWindowRun : public corvella_test::TempFolder {
protected:
    ProgressWindowRun() : progress(&owner) {
        owner.resize(400, 300);
        owner.show();
    }
    bool save(const ReportForms& forms, const std::string& name, int type) {
        dialogs.save_answers.push_back(Dialogs::SaveChoice{path(name), type});
        return corvella::save_report(&owner, dialogs, state, FILTER, forms, &progress);
    }
    void empty_folder() {
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }

    QDialog owner;
    TForm6 progress;
    FakeDialogs dialogs;
    corvella::SaveDialogState state;
};

}  // namespace

TEST_F(ProgressWindowRun, HasNoMinimiseOrMaximiseButtonAndACancelButtonWhileItRuns) {
    const Qt::WindowFlags flags = progress.windowFlags();
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(flags & Qt::CustomizeWindowHint);
    EXPECT_TRUE(progress.CancelButton->isHidden());

    bool seen = false;
    QObject::connect(&progress, &QWidget::windowTitleChanged, [&] {
        if (seen) return;
        seen = true;
        EXPECT_TRUE(progress.isVisible());
        EXPECT_FALSE(progress.CancelButton->isHidden());
        EXPECT_EQ(progress.parentWidget(), &owner);
        EXPECT_EQ(progress.windowModality(), Qt::WindowModal);
    });
    EXPECT_TRUE(save(slow_report(20, 10), "rows", 3));
    EXPECT_TRUE(seen);
    EXPECT_FALSE(progress.isVisible());
    EXPECT_TRUE(progress.CancelButton->isHidden());
    EXPECT_EQ(progress.windowTitle(), "Corvella - 100%");
}

TEST_F(ProgressWindowRun, TheEventLoopRunsThroughEveryPhaseOfTheSave) {
    // Before the steps, during them and while the file is packed.
    struct Seen {
        int ticks = 0;
        int busy_while_shown = 0;
        int stepping_while_shown = 0;
    } seen;
    QTimer tick;
    tick.setInterval(10);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        ++seen.ticks;
        if (!progress.isVisible()) return;
        if (progress.ProgressBar1->maximum() == 0) ++seen.busy_while_shown;
        else ++seen.stepping_while_shown;
    });
    tick.start();
    for (int type : {2, 3}) {
        SCOPED_TRACE(type);
        seen = Seen{};
        ASSERT_TRUE(save(slow_report(10, 20, 2 * TForm6::BUSY_SHOW_MS, 2 * TForm6::BUSY_SHOW_MS), "phases", type));
        EXPECT_TRUE(dialogs.errors.empty());
        EXPECT_GT(seen.ticks, 30);
        EXPECT_GT(seen.busy_while_shown, 5);      // the phases without steps
        EXPECT_GT(seen.stepping_while_shown, 3);  // the steps
    }
}

TEST_F(ProgressWindowRun, CancelStopsTheSaveWritesNothingAndKeepsTheFileThatWasThere) {
    struct Case {
        const char* what;
        bool when_busy;  // pressed once the steps are done, else at the first step
        int after_ms;
        const char* existing;  // nullptr: no file before
    };
    const Case* running_case = nullptr;
    QTimer press;
    press.setInterval(5);
    QObject::connect(&press, &QTimer::timeout, [&] {
        if (running_case == nullptr || !progress.running() || progress.cancelling() || !progress.isVisible()) return;
        const bool stepped = progress.windowTitle().startsWith("Corvella - ");
        const bool busy = progress.ProgressBar1->maximum() == 0;
        if (running_case->when_busy ? stepped && busy && progress.windowTitle() == "Corvella - 100%" : stepped)
            progress.CancelButton->click();
    });
    press.start();
    for (const Case& c : {Case{"during the steps", false, 0, nullptr}, Case{"during the steps", false, 0, "old"},
                          Case{"while the file is packed", true, 600, "old"}}) {
        running_case = &c;
        for (int type : {2, 3}) {
            SCOPED_TRACE(std::string(c.what) + (type == 2 ? " .xls" : " .xlsx"));
            const std::string target = path(type == 2 ? "kept.xls" : "kept.xlsx");
            empty_folder();
            if (c.existing) put_bytes(target, c.existing);
            progress.setWindowTitle(QString());
            EXPECT_FALSE(save(slow_report(200, 5, 0, c.after_ms), "kept", type));
            EXPECT_TRUE(dialogs.errors.empty());
            EXPECT_EQ(std::filesystem::exists(target), c.existing != nullptr);
            if (c.existing) {
                EXPECT_EQ(read_bytes(target), c.existing);
            }
            EXPECT_EQ(entries(), c.existing ? 1u : 0u);  // no temporary left behind
            EXPECT_FALSE(progress.isVisible());
            EXPECT_FALSE(progress.running());
        }
    }
    // The window's close button cancels as Cancel does.
    running_case = nullptr;
    QTimer close_it;
    close_it.setInterval(5);
    QObject::connect(&close_it, &QTimer::timeout, [&] {
        if (progress.running() && progress.isVisible() && !progress.cancelling()) progress.close();
    });
    close_it.start();
    empty_folder();
    EXPECT_FALSE(save(slow_report(200, 5), "closed", 3));
    EXPECT_EQ(entries(), 0u);
    EXPECT_FALSE(progress.isVisible());
    // Outside a run there is nothing to cancel.
    EXPECT_FALSE(progress.cancelling());
}

TEST_F(ProgressWindowRun, AFailureOfTheWorkReachesTheCommandAndClosesTheWindow) {
    const ReportForms broken{[] { return std::string(); },
                             [](RowSink& sink, ProgressSink* p) {
                                 sink.begin({2, 1});
                                 if (p) p->start(2);
                                 throw std::runtime_error("the report broke");
                             },
                             0};
    EXPECT_THROW(save(broken, "broken", 3), std::runtime_error);
    EXPECT_FALSE(progress.isVisible());
    EXPECT_FALSE(progress.running());
    EXPECT_EQ(entries(), 0u);
    // A report too large for its sheet is refused before the window shows.
    int shows = 0;
    QObject::connect(&progress, &QWidget::windowTitleChanged, [&] { ++shows; });
    EXPECT_FALSE(save(slow_report(70000, 0), "large", 2));
    ASSERT_EQ(dialogs.errors.size(), 1u);
    EXPECT_TRUE(dialogs.errors[0].contains("does not fit an Excel 97-2003 sheet"));
    EXPECT_EQ(shows, 0);
}

TEST(NetworkTransform, BuildsTheTextUnderTheProgressWindowWithTheEventLoopRunning) {
    FakeDialogs dialogs;
    TForm1 form(dialogs);
    std::string text;
    for (int s = 0; s < 20000; ++s)
        text += ">s" + std::to_string(s) + "\n" + std::to_string(1000 + s % 3000) + " " + std::to_string(5000 + s % 1500) + "\n";
    const corvella_test::TempFile list("transform_list.txt", text);
    int ticks = 0;
    QTimer tick;
    tick.setInterval(0);
    QObject::connect(&tick, &QTimer::timeout, [&] { ++ticks; });
    bool titled = false;
    QObject::connect(&form.progress(), &QWidget::windowTitleChanged, [&] { titled = true; });
    form.show_modal = [&](QDialog& window) {
        window.show();
        tick.start();
        form.Form7->Button1->click();
        tick.stop();
        window.close();
    };
    form.show();
    dialogs.open_answers.push_back(list.path());
    form.ExportToNetworkFile1->trigger();
    ASSERT_TRUE(dialogs.errors.empty());
    EXPECT_GT(ticks, 0);
    EXPECT_TRUE(titled);
    EXPECT_EQ(form.progress().windowTitle(), "Corvella - 100%");
    EXPECT_FALSE(form.progress().isVisible());
}
