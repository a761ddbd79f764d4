// Whole-file reading and line walking shared by every input reader.
#pragma once

#include <string>
#include <string_view>

namespace corvella {

// Reads the whole file into `text` in large blocks. False when the file
// cannot be opened or read (a folder, a vanished file); `text` is then empty.
bool read_text_file(const std::string& path, std::string& text);

// Takes the line that starts at `pos` into `line`, without its line end, and
// moves `pos` past the line end. A line ends with "\n"; a "\r" before it
// belongs to the line end. A final line without a line end is a line like any
// other (dropping it would lose the last sample of a list and shift the
// pairing of names). False when `pos` is at the end of the text: the empty
// rest after a final "\n" is not a line.
inline bool next_line(std::string_view text, size_t& pos, std::string_view& line) {
    if (pos >= text.size()) return false;
    size_t end = text.find('\n', pos);
    const size_t next = end == std::string_view::npos ? text.size() : end + 1;
    if (end == std::string_view::npos) end = text.size();
    if (end > pos && text[end - 1] == '\r') --end;
    line = text.substr(pos, end - pos);
    pos = next;
    return true;
}

// Calls on_line(line) for every line of `text` (see next_line).
template <class OnLine>
void for_each_line(std::string_view text, OnLine&& on_line) {
    size_t pos = 0;
    std::string_view line;
    while (next_line(text, pos, line)) on_line(line);
}

}  // namespace corvella
