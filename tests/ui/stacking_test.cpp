// Under a real window manager: while a per-sample workbook is written from a
// modal counting window, the progress window is mapped and stacked above it,
// stays there when the counting window is clicked, and its Cancel, clicked
// through the X server, stops the save.
// Run by the ctest corvella_window_manager (Xvfb + openbox); skipped elsewhere.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "fake_dialogs.h"
#include "ui/Corvella_unit.h"
#include "ui/Progressbarform.h"
#include "ui/Synonymouscounting.h"

using corvella::Dialogs;
using corvella::FakeDialogs;

namespace {

// A list of `samples` samples, enough that a per-sample workbook takes a
// few seconds.
std::string write_cohort(const std::string& dir, int samples) {
    std::filesystem::create_directories(dir);
    std::ofstream list(dir + "/cohort.txt", std::ios::binary);
    list << ">rCRS\nNumbering Reference\n\n";
    for (int s = 0; s < samples; ++s)
        list << ">S" << s << "\n8527 14766 " << (3000 + s % 9000) << " " << (6000 + s % 7000) << " 16519 \n";
    return dir + "/cohort.txt";
}

int run_tool(const QString& program, const QStringList& arguments, std::string* output = nullptr) {
    QProcess run;
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start(program, arguments);
    run.waitForFinished(20000);
    if (output) *output = run.readAll().toStdString();
    return run.exitCode();
}

// A person's click at a point of the screen, through the X server.
void click_at(QPoint global) {
    run_tool("xdotool", {"mousemove", QString::number(global.x()), QString::number(global.y()), "click", "1"});
}

}  // namespace

// The main window with a cohort of `samples` read, and its Protein window
// on screen: its per-sample workbook (save-dialog type `type`) is saved to
// `path` and the window closed;
// `first_step` runs once, at the first step the progress window shows.
void save_per_sample_under_a_window_manager(const std::string& dir, int samples, const std::string& path, int type,
                                            const std::function<void(TForm1&)>& first_step) {
    FakeDialogs dialogs;
    TForm1 form(dialogs);
    form.resize(1200, 900);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.HumanReference1->trigger();
    dialogs.open_answers.push_back(write_cohort(dir, samples));
    form.OpenPolymorphismsFile1->trigger();
    ASSERT_TRUE(dialogs.errors.empty());

    TForm4& counting = *form.Form4;
    bool stepped = false;
    QObject::connect(&form.progress(), &QWidget::windowTitleChanged, [&] {
        if (stepped) return;
        stepped = true;
        first_step(form);
    });
    auto* press = new QTimer(&form);
    press->setInterval(100);
    int waited = 0;
    QObject::connect(press, &QTimer::timeout, [&] {
        QWindow* handle = counting.windowHandle();
        if ((handle == nullptr || !handle->isExposed()) && ++waited < 100) return;
        if (++waited < 5) return;  // let the window manager stack it first
        press->stop();
        dialogs.save_answers.push_back(Dialogs::SaveChoice{path, type});
        dialogs.replace_answers.push_back(true);
        counting.Button4->click();
        counting.close();
    });
    press->start();
    form.Protein1->trigger();  // modal: returns when the window closes
    EXPECT_TRUE(stepped);
    EXPECT_TRUE(dialogs.errors.empty());
}

TEST(WindowManager, ProgressWindowIsMappedAboveTheModalCountingWindow) {
    const char* check = std::getenv("CORVELLA_STACKING_CHECK");
    if (check == nullptr || QGuiApplication::platformName() != "xcb")
        GTEST_SKIP() << "needs an X display with a window manager (ctest corvella_window_manager)";

    const std::string dir = std::string(CORVELLA_BINARY_DIR) + "/window_manager_stacking";
    int status = -1;
    std::string seen;
    save_per_sample_under_a_window_manager(dir, 20000, dir + "/samples", 2, [&](TForm1& form) {
        status = run_tool("sh", {check, QString::number(form.progress().winId()), QString::number(form.Form4->winId())},
                          &seen);
    });
    EXPECT_EQ(status, 0) << seen;
    EXPECT_TRUE(std::filesystem::exists(dir + "/samples.xls"));
    std::filesystem::remove_all(dir);
}

TEST(WindowManager, ClickingTheCountingWindowDuringASaveLeavesTheProgressWindowAboveIt) {
    const char* check = std::getenv("CORVELLA_STACKING_CHECK");
    if (check == nullptr || QGuiApplication::platformName() != "xcb")
        GTEST_SKIP() << "needs an X display with a window manager (ctest corvella_window_manager)";
    const std::string dir = std::string(CORVELLA_BINARY_DIR) + "/window_manager_clicks";
    int status = -1;
    std::string seen;
    save_per_sample_under_a_window_manager(dir, 80000, dir + "/samples", 3, [&](TForm1& form) {
        // The title bar and the chart of the counting window, away from the
        // progress window, which sits over the counting window's middle.
        const QRect frame = form.Form4->frameGeometry();
        click_at(QPoint(frame.left() + 40, frame.top() + 8));
        QTest::qWait(300);
        click_at(QPoint(frame.left() + 60, frame.bottom() - 60));
        QTest::qWait(300);
        status = run_tool("sh", {check, QString::number(form.progress().winId()), QString::number(form.Form4->winId())},
                          &seen);
    });
    EXPECT_EQ(status, 0) << seen;
    EXPECT_TRUE(std::filesystem::exists(dir + "/samples.xlsx"));
    std::filesystem::remove_all(dir);
}

TEST(WindowManager, CancelClickedOnTheProgressWindowStopsTheSaveAndWritesNothing) {
    if (std::getenv("CORVELLA_STACKING_CHECK") == nullptr || QGuiApplication::platformName() != "xcb")
        GTEST_SKIP() << "needs an X display with a window manager (ctest corvella_window_manager)";
    const std::string dir = std::string(CORVELLA_BINARY_DIR) + "/window_manager_cancel";
    const std::string kept = dir + "/samples.xlsx";
    std::filesystem::create_directories(dir);
    std::ofstream(kept, std::ios::binary) << "the earlier file";
    save_per_sample_under_a_window_manager(dir, 80000, dir + "/samples", 3, [&](TForm1& form) {
        QTest::qWait(200);  // placed by the window manager
        QPushButton* cancel = form.progress().CancelButton;
        click_at(cancel->mapToGlobal(cancel->rect().center()));
    });
    std::ifstream in(kept, std::ios::binary);
    const std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(content, "the earlier file");
    size_t entries = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir)) entries += e.path().filename() != "cohort.txt";
    EXPECT_EQ(entries, 1u);  // no temporary left beside it
    std::filesystem::remove_all(dir);
}
