#include "ui/application.h"

#include <exception>

namespace corvella {

QString current_error_text() {
    try {
        throw;
    } catch (const std::exception& e) {
        return QString::fromLocal8Bit(e.what());
    } catch (...) {
        return QString();
    }
}

void run_command(Dialogs& dialogs, QWidget* parent, const std::function<void()>& command) {
    try {
        command();
    } catch (...) {
        dialogs.error_message(parent, current_error_text());
    }
}

CorvellaApplication::CorvellaApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool CorvellaApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        const QString text = current_error_text();
        if (on_error) on_error(text);
        return false;
    }
}

}  // namespace corvella
