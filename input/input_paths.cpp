#include "input/input_paths.h"

#include <sys/stat.h>

#include "input/text_file.h"

namespace corvella {

namespace {

bool is_file(const std::string& path, struct stat& st) { return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode); }

}  // namespace

bool read_path_list(const std::string& list, std::vector<std::string>& paths) {
    std::string text;
    if (!read_text_file(list, text)) return false;
    for_each_line(text, [&](std::string_view line) {
        if (!line.empty()) paths.emplace_back(line);
    });
    return true;
}

std::optional<std::vector<std::string>> listed_paths(const std::string& path) {
    struct stat self {};
    if (!is_file(path, self) || static_cast<size_t>(self.st_size) > PATH_LIST_MAX_BYTES) return std::nullopt;
    std::vector<std::string> lines;
    if (!read_path_list(path, lines) || lines.empty()) return std::nullopt;
    const size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    std::vector<std::string> found;
    for (const std::string& line : lines) {
        // A name line of a list, or a line of variants, is no file's name.
        if (line.front() == '>' || line.find('\0') != std::string::npos) return std::nullopt;
        struct stat st {};
        std::string named = line.front() == '/' || folder.empty() ? line : folder + line;
        if (!is_file(named, st)) {
            named = line;
            if (!is_file(named, st)) return std::nullopt;
        }
        if (st.st_dev == self.st_dev && st.st_ino == self.st_ino) return std::nullopt;
        found.push_back(named);
    }
    return found;
}


bool expand_input_operands(const std::vector<std::string>& operands, std::vector<std::string>& paths,
                           std::string& error) {
    for (const std::string& word : operands) {
        if (word.size() < 2 || word[0] != '@') {
            paths.push_back(word);
            continue;
        }
        const std::string list = word.substr(1);
        if (!read_path_list(list, paths)) {
            error = "the list of input paths " + list + " cannot be opened.";
            return false;
        }
    }
    if (paths.empty()) {
        error = "no input file given.";
        return false;
    }
    return true;
}

}  // namespace corvella
