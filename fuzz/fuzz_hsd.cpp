// The HSD reader against the built-in human reference, checked against what
// its converted list reads back as: the list reader must find exactly the
// calls the reader counted, each with its level, and one entry per sample.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "input/converted_list.h"
#include "input/hsd_reader.h"
#include "core/human_reference.h"
#include "input/polymorphism_list.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string reference = corvella::human_reference_sequence();
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<corvella::ConvertedSample> samples;
    corvella::ImportSummary summary;
    const std::string problem = corvella::parse_hsd_text(text, reference, samples, summary);
    // A refusal says why; a read has a sample at least.
    if (!problem.empty()) return 0;
    FUZZ_CHECK(!samples.empty());
    FUZZ_CHECK(summary.samples == static_cast<int64_t>(samples.size()));
    FUZZ_CHECK(summary.variants == summary.calls + summary.indel_tokens + summary.same_as_reference +
                                       summary.other_shapes + summary.outside_reference + summary.unreadable +
                                       summary.placeholder);
    const std::string list = corvella::converted_list_text("rCRS", samples);
    const corvella::ListReadResult read = corvella::parse_polymorphism_list(list, reference);
    FUZZ_CHECK(read.code == static_cast<int32_t>(samples.size()));
    FUZZ_CHECK(read.lists.names.size() == samples.size() + 1);
    int64_t items = 0;
    for (size_t i = 0; i < samples.size(); ++i) {
        FUZZ_CHECK(read.lists.positions[i].size() == samples[i].levels.size());
        FUZZ_CHECK(read.lists.names[i + 1] == ">" + samples[i].name);
        items += static_cast<int64_t>(read.lists.positions[i].size());
        for (size_t j = 0; j < read.lists.positions[i].size(); ++j) {
            const int32_t p = read.lists.positions[i][j];
            // A call never names the reference's own letter, nor falls on its
            // N placeholder.
            FUZZ_CHECK(read.lists.bases[i][j] != reference[static_cast<size_t>(p - 1)]);
            FUZZ_CHECK(reference[static_cast<size_t>(p - 1)] != 'N');
        }
    }
    FUZZ_CHECK(items == summary.calls);
    return 0;
}
