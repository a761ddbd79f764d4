// What the error boxes of the open commands add beneath a reader's message:
// the file, the line where the reader named one, and what to do (the forms a
// command reads, the menu item that reads the file instead). The message
// itself is shown as the reader gives it.
#pragma once

#include <string>

namespace corvella {

// The command whose reading failed.
enum class OpenedAs {
    List,       // "Open Polymorphism File..." and "Export To Network File..."
    Reference,  // "Open Other Reference File..."
    Aligned,    // "Import Aligned File..."
    Unaligned,  // "Import Unaligned File..."
};

struct ShownMessage {
    std::string text;         // the message box's text
    std::string informative;  // beneath it
};

// A reader's message for the file at `path` read as `kind`. A message of
// several lines (the file and line before the message itself) shows its last
// line as the text and the lines before it in the informative text, followed
// by the file's path, unless those lines name it already, and the advice for
// the message.
ShownMessage explain_read_failure(const std::string& message, const std::string& path, OpenedAs kind);

}  // namespace corvella
