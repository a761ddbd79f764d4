// The aligned import and the polymorphism caller over arbitrary text. The
// list the caller writes must read back: every variant it names lies on the
// alignment's reference, and there is never a variant line without a name.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "input/aligned_import.h"
#include "input/polymorphism_caller.h"
#include "input/polymorphism_list.h"
#include "export/network_reading.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    corvella::AlignedReadResult read = corvella::parse_aligned_text(text);
    FUZZ_CHECK(read.code == 1 || read.code == -2);
    FUZZ_CHECK((read.code == 1) == (!text.empty() && text[0] == '>'));
    if (read.code != 1) return 0;
    FUZZ_CHECK(read.names.size() == read.sequences.size());
    size_t letters = 0;
    for (const std::string& s : read.sequences) {
        letters += s.size();
        for (char c : s) {
            FUZZ_CHECK(c != '\n' && c != '\r' && c != ' ' && c != '>');
            FUZZ_CHECK(!(c >= 'a' && c <= 'z'));
        }
    }
    FUZZ_CHECK(letters <= size);
    for (const std::string& name : read.names) FUZZ_CHECK(name.find('\n') == std::string::npos);

    corvella::Workspace ws;
    ws.aligned_sequences = std::move(read.sequences);
    ws.aligned_names = std::move(read.names);
    const std::string report = corvella::perform_lenght_status(ws);
    FUZZ_CHECK(report.rfind(std::to_string(ws.aligned_sequences.size()) + " sequences were retrieved.", 0) == 0);

    const std::string list = corvella::build_polymorphism_list(ws);
    const std::string& reference = ws.aligned_sequences[0];
    const auto reference_letters =
        static_cast<int32_t>(reference.size() - static_cast<size_t>(std::count(reference.begin(), reference.end(), '-')));
    corvella::SampleLists lists;
    const int32_t entries = corvella::parse_network_list(list, lists);
    FUZZ_CHECK(entries >= 0);
    for (const auto& positions : lists.positions)
        for (int32_t p : positions) FUZZ_CHECK(p >= 1 && p <= reference_letters);
    return 0;
}
