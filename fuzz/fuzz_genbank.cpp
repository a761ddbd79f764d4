// The GenBank reader over arbitrary text, and the two location readers over
// every line of it (a mutated location is far likelier to reach their edges
// when each line is tried as one).
#include <cctype>
#include <cstdint>
#include <string_view>

#include "input/genbank_reader.h"
#include "input/text_file.h"
#include "fuzz/fuzz_check.h"

namespace {

void check_location(std::string_view text) {
    int32_t end = -1;
    const int32_t start = corvella::position_split(text, end);
    FUZZ_CHECK(start >= 0);
    if (start != 0) FUZZ_CHECK(end > 0);
    end = -1;
    const int32_t join_start = corvella::position_split_case_join(text, end);
    FUZZ_CHECK(join_start >= 0);
    if (join_start != 0) FUZZ_CHECK(end > 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const corvella::ReferenceReadResult read = corvella::parse_genbank_text(text);
    FUZZ_CHECK(read.ok == read.message.empty());
    if (read.ok) {
        // A loaded reference is what every classification indexes: at most
        // the fixed capacity, upper case, and every region inside it.
        const auto length = static_cast<int32_t>(read.sequence.size());
        FUZZ_CHECK(length <= corvella::MAX_REFERENCE_LENGTH);
        for (char c : read.sequence) {
            FUZZ_CHECK(!std::islower(static_cast<unsigned char>(c)));
            FUZZ_CHECK(!std::isspace(static_cast<unsigned char>(c)) && !(c >= '0' && c <= '9'));
        }
        for (int32_t slot : read.region_table) FUZZ_CHECK(slot >= 1 && slot <= length);
    }
    size_t pos = 0;
    std::string_view line;
    int lines = 0;
    while (corvella::next_line(text, pos, line) && lines++ < 64) check_location(line);
    return 0;
}
