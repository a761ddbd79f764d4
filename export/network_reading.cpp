#include "export/network_reading.h"

#include "input/mapped_file.h"

namespace corvella {

int32_t parse_network_list(std::string_view text, SampleLists& out, const ListSplit& split) {
    out = SampleLists{};
    return parse_sample_lists(
        text,
        [](int32_t position, char base) -> char {
            if (position < 1) return 0;       // no upper limit: no reference is needed
            return base == 0 ? 'Z' : base;  // the base a bare position does not give
        },
        out, split);
}

int32_t read_and_parsing_file_network(const std::string& path, SampleLists& out, const ListSplit& split) {
    out = SampleLists{};
    FileBytes file;
    if (!file.open(path)) return NETWORK_READ_CANNOT_OPEN;
    return parse_network_list(file.text(), out, releasing(file, split));
}

}  // namespace corvella
