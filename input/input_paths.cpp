#include "input/input_paths.h"

#include "input/text_file.h"

namespace corvella {

bool expand_input_operands(const std::vector<std::string>& operands, std::vector<std::string>& paths,
                           std::string& error) {
    for (const std::string& word : operands) {
        if (word.size() < 2 || word[0] != '@') {
            paths.push_back(word);
            continue;
        }
        const std::string list = word.substr(1);
        std::string text;
        if (!read_text_file(list, text)) {
            error = "the list of input paths " + list + " cannot be opened.";
            return false;
        }
        for_each_line(text, [&](std::string_view line) {
            if (!line.empty()) paths.emplace_back(line);
        });
    }
    if (paths.empty()) {
        error = "no input file given.";
        return false;
    }
    return true;
}

}  // namespace corvella
