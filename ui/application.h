// Keeps the program going when a command fails: an error that escapes a
// command is shown in a message box and the event loop carries on.
#pragma once

#include <QApplication>
#include <functional>

#include "ui/dialogs.h"

namespace corvella {

// The text shown for an error in flight: what() of a standard exception, an
// empty text for anything else that was thrown. Call inside a catch block.
QString current_error_text();

// Runs one command; an error that escapes it goes to dialogs.error_message.
void run_command(Dialogs& dialogs, QWidget* parent, const std::function<void()>& command);

// The last line of defence for handlers that do not go through run_command:
// an error escaping any event handler is handed to on_error.
class CorvellaApplication : public QApplication {
public:
    CorvellaApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    // Shows the error text; the program sets this to its Dialogs.
    std::function<void(const QString&)> on_error;
};

}  // namespace corvella
