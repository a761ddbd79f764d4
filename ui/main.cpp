// The desktop program: one main window with its menu; every other window is
// created with it and opened from it.
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "core/version.h"
#include "ui/Corvella_unit.h"
#include "ui/application.h"
#include "pictures/picture_font.h"
#include "ui/command_line_files.h"
#include "ui/qt_dialogs.h"
#include "ui/resources_init.h"
#include "ui/unix_signals.h"

int main(int argc, char** argv) {
    // Answered before any window or display connection exists, so that it
    // works on a machine without a display.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::fputs("corvella " CORVELLA_VERSION "\n", stdout);
        return 0;
    }
    corvella::CorvellaApplication app(argc, argv);
    corvella::init_resources();
    corvella::register_picture_fonts();
    corvella::quit_on_termination_signals(app);

    corvella::PresetOpenDialogs<corvella::QtDialogs> dialogs;
    try {
        TForm1 form1(dialogs);
        app.on_error = [&](const QString& text) { dialogs.error_message(&form1, text); };
        // Fill the screen also where no window manager honours "maximized".
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            form1.setGeometry(screen->availableGeometry());
        form1.showMaximized();
        // `corvella FILE...`: the files are opened once the window is up, as
        // their menu commands would open them, the cohort's files together
        // (Qt's own options are gone by now).
        const QStringList files = app.arguments().mid(1);
        QTimer::singleShot(0, &form1, [&form1, &dialogs, files] {
            std::vector<std::string> words;
            for (const QString& file : files) words.push_back(file.toLocal8Bit().toStdString());
            corvella::open_command_line_files(
                form1, [&dialogs](std::optional<std::string> path) { dialogs.answer_next_open(std::move(path)); },
                words);
        });
        const int status = app.exec();
        app.on_error = nullptr;
        return status;
    } catch (...) {
        // Start-up failed before the main window could take errors itself.
        dialogs.error_message(nullptr, corvella::current_error_text());
        return 1;
    }
}
