// The reader of unaligned FASTA files and the alignment of what it reads:
// any text ends in a message or in a list that reads back, never a crash.
// The reference is the first 600 letters of the human one (the C runs at
// 303-315 and the AC repeat at 515-524 included), so that an input aligns in
// microseconds; the limits scale with the reference's length.
#include <cstdint>
#include <string>
#include <string_view>

#include "input/fasta_reader.h"
#include "core/human_reference.h"
#include "input/unaligned_calling.h"
#include "export/network_reading.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string reference = corvella::human_reference_sequence().substr(0, 600);
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const corvella::FastaReadResult read = corvella::parse_fasta_text(text);
    FUZZ_CHECK(read.code == -2 || read.code >= 1);
    if (read.code < 0) {
        FUZZ_CHECK(!read.message.empty() && read.records.empty());
        return 0;
    }
    FUZZ_CHECK(static_cast<size_t>(read.code) == read.records.size());
    for (const corvella::FastaRecord& r : read.records) {
        FUZZ_CHECK(r.name.find('\n') == std::string::npos);
        for (char c : r.letters) FUZZ_CHECK(corvella::is_nucleotide_letter(c) && !(c >= 'a' && c <= 'z'));
    }

    const corvella::UnalignedCalling calling = corvella::call_unaligned(reference, "ref", read.records, 1);
    FUZZ_CHECK(calling.samples.size() == read.records.size());
    size_t called = 0;
    for (size_t i = 0; i < calling.samples.size(); ++i) {
        const corvella::UnalignedSample& s = calling.samples[i];
        if (s.outcome != corvella::UnalignedOutcome::Called) {
            FUZZ_CHECK(s.block.empty());
            continue;
        }
        ++called;
        FUZZ_CHECK(s.block.rfind(">" + read.records[i].name + "\n", 0) == 0);
        FUZZ_CHECK(s.block.size() >= 2 && s.block.compare(s.block.size() - 2, 2, "\n\n") == 0);
        FUZZ_CHECK(s.stats.identical + s.stats.differences == s.stats.compared);
        FUZZ_CHECK(s.stats.columns >= static_cast<int32_t>(reference.size()));
    }
    const std::string summary = corvella::unaligned_summary(calling, reference.size());
    FUZZ_CHECK(summary.rfind(std::to_string(read.records.size()) + " sequences were read, " + std::to_string(called) +
                                 " aligned",
                             0) == 0);

    corvella::SampleLists lists;
    const int32_t entries = corvella::parse_network_list(calling.list_text, lists);
    FUZZ_CHECK(entries >= 0);
    for (const auto& positions : lists.positions)
        for (int32_t p : positions) FUZZ_CHECK(p >= 1 && p <= static_cast<int32_t>(reference.size()));
    return 0;
}
