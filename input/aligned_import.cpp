#include "input/aligned_import.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "input/text_file.h"

namespace corvella {

namespace {

// Appends the letters of the record text [first, last) to `sequence`: line
// ends, blanks and NUL bytes are dropped, lower case is made upper case. Whole
// lines are appended at once and then converted in one pass that the
// compiler can vectorise; only a record holding a byte to drop (a CR LF file,
// a blank inside a line) pays for a second pass that removes them.
void append_letters(const char* first, const char* last, std::string& sequence) {
    const size_t start = sequence.size();
    while (first < last) {
        const void* nl = std::memchr(first, '\n', static_cast<size_t>(last - first));
        const char* const run_end = nl ? static_cast<const char*>(nl) : last;
        sequence.append(first, run_end);
        first = nl ? run_end + 1 : last;
    }
    char* const data = sequence.data();
    const size_t size = sequence.size();
    // Written without branches (bitwise, not logical, operators) so that it
    // is vectorised.
    unsigned droppable = 0;
    for (size_t i = start; i < size; ++i) {
        const auto c = static_cast<unsigned char>(data[i]);
        const unsigned lower = static_cast<unsigned char>(c - 'a') < 26u;
        data[i] = static_cast<char>(c - lower * ('a' - 'A'));
        droppable |= unsigned{c == '\r'} | unsigned{c == ' '} | unsigned{c == '\t'} | unsigned{c == 0};
    }
    if (droppable == 0) return;
    const auto kept_end = std::remove_if(sequence.begin() + static_cast<std::ptrdiff_t>(start), sequence.end(), [](char c) {
        return c == '\r' || c == ' ' || c == '\t' || c == 0;
    });
    sequence.erase(kept_end, sequence.end());
}

}  // namespace

AlignedReadResult parse_aligned_text(std::string_view text) {
    AlignedReadResult result;
    if (text.empty() || text[0] != '>') {
        result.code = -2;
        return result;
    }
    size_t pos = 0;
    std::string_view name;
    next_line(text, pos, name);
    result.names.emplace_back(name);
    std::string current;
    while (pos < text.size()) {
        const size_t gt = text.find('>', pos);
        const size_t stop = gt == std::string_view::npos ? text.size() : gt;
        // A record's letters are at most the bytes up to the next ">": room
        // for exactly those, so memory follows the file, whatever the length
        // of the other records (a long first record followed by many empty
        // ones must not make every record as long as the first).
        current.reserve(current.size() + (stop - pos));
        append_letters(text.data() + pos, text.data() + stop, current);
        if (gt == std::string_view::npos) break;
        pos = gt + 1;
        name = {};
        next_line(text, pos, name);
        result.names.emplace_back(name);
        result.sequences.push_back(std::move(current));
        current = std::string();
    }
    result.sequences.push_back(std::move(current));
    result.code = 1;
    return result;
}

int32_t read_polymorphisms_file(Workspace& ws, const std::string& path) {
    std::string text;
    if (!read_text_file(path, text)) return -1;
    AlignedReadResult read = parse_aligned_text(text);
    if (read.code != 1) return read.code;
    ws.aligned_sequences = std::move(read.sequences);
    ws.aligned_names = std::move(read.names);
    return 1;
}

std::string perform_lenght_status(const Workspace& ws) {
    const size_t n = ws.aligned_sequences.size();
    std::string report = std::to_string(n) + " sequences were retrieved.";
    if (n == 0) return report;
    const size_t l0 = ws.aligned_sequences[0].size();
    bool any = false;
    for (size_t i = 1; i < n; ++i) {
        const size_t li = ws.aligned_sequences[i].size();
        if (li == l0) continue;
        const std::string& name = i < ws.aligned_names.size() ? ws.aligned_names[i] : std::string();
        if (!any) {
            report += "\nThe following sequences have not the same size than reference (" + std::to_string(l0) +
                      "):\n\n>" + name + "(" + std::to_string(li) + ")\n\n";
            any = true;
        } else {
            report += ">" + name + " (" + std::to_string(li) + ")\n\n";
        }
    }
    if (any) report += "These sequences will not be analysed.";
    return report;
}

}  // namespace corvella
