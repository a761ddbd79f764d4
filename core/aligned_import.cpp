#include "core/aligned_import.h"

#include <array>
#include <utility>

#include "core/text_file.h"

namespace corvella {

namespace {

// What each byte of a sequence line becomes: 0 drops it (line ends and
// blanks), anything else is the letter stored (lower case made upper case).
std::array<char, 256> letter_table() {
    std::array<char, 256> table{};
    for (int c = 0; c < 256; ++c) table[static_cast<size_t>(c)] = static_cast<char>(c);
    for (int c = 'a'; c <= 'z'; ++c) table[static_cast<size_t>(c)] = static_cast<char>(c - 'a' + 'A');
    for (char c : {'\n', '\r', ' ', '\t'}) table[static_cast<unsigned char>(c)] = 0;
    return table;
}

}  // namespace

AlignedReadResult parse_aligned_text(std::string_view text) {
    AlignedReadResult result;
    if (text.empty() || text[0] != '>') {
        result.code = -2;
        return result;
    }
    static const std::array<char, 256> LETTERS = letter_table();
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
        for (size_t i = pos; i < stop; ++i) {
            const char letter = LETTERS[static_cast<unsigned char>(text[i])];
            if (letter != 0) current.push_back(letter);
        }
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
