// Under a real window manager: while a per-sample workbook is written from a
// modal counting window, the progress window is mapped and stacked above it.
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
#include <string>

#include "fake_dialogs.h"
#include "ui/Corvella_unit.h"
#include "ui/Progressbarform.h"
#include "ui/Synonymouscounting.h"

using corvella::Dialogs;
using corvella::FakeDialogs;

TEST(WindowManager, ProgressWindowIsMappedAboveTheModalCountingWindow) {
    const char* check = std::getenv("CORVELLA_STACKING_CHECK");
    if (check == nullptr || QGuiApplication::platformName() != "xcb")
        GTEST_SKIP() << "needs an X display with a window manager (ctest corvella_window_manager)";

    const std::string dir = std::string(CORVELLA_BINARY_DIR) + "/window_manager_stacking";
    std::filesystem::create_directories(dir);
    {
        // Enough samples that the report loop runs for a while.
        std::ofstream list(dir + "/cohort.txt", std::ios::binary);
        list << ">rCRS\nNumbering Reference\n\n";
        for (int s = 0; s < 20000; ++s)
            list << ">S" << s << "\n8527 14766 " << (3000 + s % 9000) << " 16519 \n";
    }

    FakeDialogs dialogs;
    TForm1 form(dialogs);
    form.resize(1200, 900);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.HumanReference1->trigger();
    dialogs.open_answers.push_back(dir + "/cohort.txt");
    form.OpenPolymorphismsFile1->trigger();
    ASSERT_TRUE(dialogs.errors.empty());

    TForm4& counting = *form.Form4;
    TForm6& progress = form.progress();
    int status = -1;
    std::string seen;
    QObject::connect(&progress, &QWidget::windowTitleChanged, [&] {
        if (status != -1) return;  // once, at the first step
        QProcess run;
        run.setProcessChannelMode(QProcess::MergedChannels);
        run.start("sh", {check, QString::number(progress.winId()), QString::number(counting.winId())});
        run.waitForFinished(20000);
        status = run.exitCode();
        seen = run.readAll().toStdString();
    });

    // Once the modal window is on screen, press "3. Save data per sample"
    // and choose the workbook type, then close the window.
    auto* press = new QTimer(&form);
    press->setInterval(100);
    int waited = 0;
    QObject::connect(press, &QTimer::timeout, [&] {
        QWindow* handle = counting.windowHandle();
        if ((handle == nullptr || !handle->isExposed()) && ++waited < 100) return;
        if (++waited < 5) return;  // let the window manager stack it first
        press->stop();
        dialogs.save_answers.push_back(Dialogs::SaveChoice{dir + "/samples", 2});
        counting.Button4->click();
        counting.close();
    });
    press->start();
    form.Protein1->trigger();  // modal: returns when the window closes

    EXPECT_EQ(status, 0) << seen;
    EXPECT_TRUE(std::filesystem::exists(dir + "/samples.xls"));
    std::filesystem::remove_all(dir);
}
