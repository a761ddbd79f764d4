// The VCF reader (through htslib) on arbitrary bytes written to a file,
// checked against what its converted list reads back as: the list reader
// finds exactly the single-base calls the reader counted, one level each,
// and one entry per sample column.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "input/converted_list.h"
#include "core/human_reference.h"
#include "input/polymorphism_list.h"
#include "input/vcf_reader.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string reference = corvella::human_reference_sequence();
    char path[] = "/tmp/corvella_fuzz_vcf_XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0) return 0;
    const bool written = write(fd, data, size) == static_cast<ssize_t>(size);
    close(fd);
    if (written) {
        std::vector<corvella::ConvertedSample> samples;
        corvella::ImportSummary summary;
        const corvella::ReferenceView view{reference, ""};
        const corvella::VariantReadResult r =
            corvella::read_vcf_file(path, view, corvella::VariantReadOptions{}, nullptr, {}, samples, summary);
        if (r.ok) {
            FUZZ_CHECK(summary.samples == static_cast<int64_t>(samples.size()));
            FUZZ_CHECK(!samples.empty());
            const std::string list = corvella::converted_list_text("rCRS", samples);
            const corvella::ListReadResult read = corvella::parse_polymorphism_list(list, reference);
            FUZZ_CHECK(read.code == static_cast<int32_t>(samples.size()));
            int64_t items = 0;
            for (size_t i = 0; i < samples.size(); ++i) {
                FUZZ_CHECK(read.lists.positions[i].size() == samples[i].levels.size());
                items += static_cast<int64_t>(read.lists.positions[i].size());
                for (float level : samples[i].levels) FUZZ_CHECK(level >= 0.9f);
                // No call at the reference's N placeholder.
                for (int32_t p : read.lists.positions[i]) FUZZ_CHECK(reference[static_cast<size_t>(p - 1)] != 'N');
            }
            FUZZ_CHECK(items == summary.calls);
        } else {
            FUZZ_CHECK(!r.message.empty());
        }
    }
    std::remove(path);
    return 0;
}
