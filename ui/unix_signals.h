// Ends the program cleanly (through the event loop, exit status 0) when the
// system asks it to stop with SIGTERM or SIGINT.
#pragma once

class QCoreApplication;

namespace corvella {

// Installs the handlers; returns false when they cannot be set up.
bool quit_on_termination_signals(QCoreApplication& app);

}  // namespace corvella
