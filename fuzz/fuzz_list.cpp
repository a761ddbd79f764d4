// The polymorphism list reader against the built-in human reference, and the
// variant tally built from what it read, checked against a plain count.
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "core/human_reference.h"
#include "input/polymorphism_list.h"
#include "export/network_reading.h"
#include "fuzz/fuzz_check.h"

namespace {

const corvella::Workspace& human() {
    static const corvella::Workspace ws = [] {
        corvella::Workspace w;
        corvella::use_human_ref_data(w);
        return w;
    }();
    return ws;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string& reference = human().ref_sequence;
    corvella::ListReadResult read = corvella::parse_polymorphism_list(text, reference);

    // Both readers of the format see the same lines, whatever they keep.
    corvella::SampleLists network;
    FUZZ_CHECK(corvella::parse_network_list(text, network) == read.code);
    if (read.code < 0) {
        FUZZ_CHECK(read.code == -2);
        FUZZ_CHECK(read.lists.names.size() < read.lists.positions.size());
        return 0;
    }
    const corvella::SampleLists& lists = read.lists;
    FUZZ_CHECK(static_cast<size_t>(read.code) == lists.positions.size());
    FUZZ_CHECK(lists.bases.size() == lists.positions.size());
    FUZZ_CHECK(lists.names.size() >= lists.positions.size());

    std::map<corvella::VariantKey, int32_t> expected;
    for (size_t i = 0; i < lists.positions.size(); ++i) {
        FUZZ_CHECK(lists.positions[i].size() == lists.bases[i].size());
        for (size_t j = 0; j < lists.positions[i].size(); ++j) {
            const int32_t p = lists.positions[i][j];
            const char b = lists.bases[i][j];
            FUZZ_CHECK(p >= 1 && static_cast<size_t>(p) <= reference.size());
            FUZZ_CHECK(b == 'A' || b == 'C' || b == 'G' || b == 'T' || b == 'Z');
            ++expected[corvella::VariantKey{p, b}];
        }
        // The network reader keeps every position above 0, so it holds at
        // least the items of the list reader.
        FUZZ_CHECK(network.positions[i].size() >= lists.positions[i].size());
    }
    for (const std::string& name : lists.names) FUZZ_CHECK(!name.empty() && name[0] == '>');

    // Every indel call names an entry, in entry order, and an indel that lies
    // on the reference; the 309.1C items are items of the lists, ascending.
    const corvella::IndelCalls& indels = lists.indels;
    for (size_t k = 0; k < indels.calls.size(); ++k) {
        const corvella::IndelCall& c = indels.calls[k];
        FUZZ_CHECK(c.entry < lists.positions.size() && c.indel < indels.indels.size());
        FUZZ_CHECK(k == 0 || indels.calls[k - 1].entry <= c.entry);
        const corvella::Indel& d = indels.indels[c.indel];
        FUZZ_CHECK(d.position >= 1 && (d.deleted > 0) != !d.inserted.empty());
        FUZZ_CHECK(static_cast<size_t>(d.position) + static_cast<size_t>(d.deleted) - (d.deleted > 0 ? 1 : 0) <=
                   reference.size());
    }
    for (size_t k = 0; k < indels.dot_items.size(); ++k) {
        FUZZ_CHECK(indels.dot_items[k] >= 0 && static_cast<size_t>(indels.dot_items[k]) < lists.positions.items().size());
        FUZZ_CHECK(k == 0 || indels.dot_items[k - 1] < indels.dot_items[k]);
    }

    corvella::Workspace ws = human();
    ws.sample_positions = lists.positions;
    ws.sample_bases = lists.bases;
    ws.sample_names = lists.names;
    corvella::build_variant_tally(ws);
    FUZZ_CHECK(ws.variant_tally.size() == expected.size());
    FUZZ_CHECK(std::equal(expected.begin(), expected.end(), ws.variant_tally.begin()));
    for (size_t i = 0; i < lists.positions.size(); ++i) (void)corvella::sample_name(ws, i);
    return 0;
}
