#include "core/polymorphism_list.h"

#include <utility>

#include "core/text_file.h"

namespace corvella {

char transition_base(char reference_letter) {
    switch (reference_letter) {
        case 'A': return 'G';
        case 'G': return 'A';
        case 'C': return 'T';
        case 'T': return 'C';
        default: return 'Z';
    }
}

ListReadResult parse_polymorphism_list(std::string_view text, const std::string& reference) {
    ListReadResult result;
    const auto length = static_cast<int64_t>(reference.size());
    result.code = parse_sample_lists(
        text,
        [&](int32_t position, char base) -> char {
            if (position < 1 || position > length) return 0;
            return base != 0 ? base : transition_base(reference[static_cast<size_t>(position - 1)]);
        },
        result.lists);
    return result;
}

ListReadResult read_and_parsing_file(const std::string& path, const std::string& reference) {
    std::string text;
    if (!read_text_file(path, text)) {
        ListReadResult failed;
        failed.code = -1;
        return failed;
    }
    return parse_polymorphism_list(text, reference);
}

void build_variant_tally(Workspace& ws) {
    ws.variant_tally.clear();
    for (size_t i = 0; i < ws.sample_positions.size(); ++i) {
        const std::vector<int32_t>& positions = ws.sample_positions[i];
        const std::string& bases = ws.sample_bases[i];
        for (size_t j = 0; j < positions.size(); ++j) ++ws.variant_tally[VariantKey{positions[j], bases[j]}];
    }
}

int32_t load_polymorphism_list(Workspace& ws, const std::string& path) {
    ListReadResult read = read_and_parsing_file(path, ws.ref_sequence);
    if (read.code < 0) return read.code;
    ws.sample_positions = std::move(read.lists.positions);
    ws.sample_bases = std::move(read.lists.bases);
    ws.sample_names = std::move(read.lists.names);
    build_variant_tally(ws);
    return read.code;
}

const std::string& sample_name(const Workspace& ws, std::size_t i) {
    static const std::string none;
    const size_t index = ws.sample_names.size() > ws.sample_positions.size() ? i + 1 : i;
    return index < ws.sample_names.size() ? ws.sample_names[index] : none;
}

std::string list_summary(const std::string& path, int32_t entries) {
    const size_t slash = path.find_last_of("/\\");
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return name + "  -  " + std::to_string(entries) + " sequences";
}

}  // namespace corvella
