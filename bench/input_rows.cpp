#include <stdexcept>
#include <vector>

#include "bench/baseline_tokenizer.h"
#include "bench/rows.h"
#include "core/aligned_import.h"
#include "core/human_reference.h"
#include "core/polymorphism_caller.h"
#include "core/polymorphism_list.h"

namespace corvella::bench {

namespace {

constexpr double MB = 1e6;

}  // namespace

Row run_baseline_tokenizer(const RunArgs& args) {
    const std::string reference = human_reference_sequence();
    std::vector<int32_t> counts;
    int64_t occurrences = 0;
    const double s = best_seconds(args.repeat, [&] { occurrences = baseline_tally(args.input, reference, counts); });
    if (occurrences < 0) throw std::runtime_error("cannot read " + args.input);
    Row row;
    row.name = "yardstick: tokenize + tally";
    row.bytes = file_size(args.input);
    row.seconds = s;
    row.amount = static_cast<double>(row.bytes) / MB;
    row.unit = "MB";
    row.file = args.input;
    row.note = std::to_string(occurrences) + " occurrences";
    return row;
}

Row run_read_list(const RunArgs& args) {
    Workspace ws;
    use_human_ref_data(ws);
    int32_t entries = 0;
    const std::string reference = ws.ref_sequence;
    const double s = best_seconds(
        args.repeat, [&] { ws = Workspace{}; ws.ref_sequence = reference; },
        [&] { entries = load_polymorphism_list(ws, args.input); });
    if (entries < 0) throw std::runtime_error("cannot read " + args.input);
    int64_t occurrences = 0;
    for (const auto& [key, count] : ws.variant_tally) occurrences += count;
    Row row;
    row.name = "read list + tally";
    row.input = std::to_string(entries) + " samples";
    row.bytes = file_size(args.input);
    row.seconds = s;
    row.amount = static_cast<double>(row.bytes) / MB;
    row.unit = "MB";
    row.file = args.input;
    row.note = std::to_string(occurrences) + " occurrences, " + std::to_string(ws.variant_tally.size()) + " keys";
    return row;
}

Row run_call_aligned(const RunArgs& args) {
    Workspace ws;
    size_t sequences = 0, list_bytes = 0;
    const double s = best_seconds(
        args.repeat, [&] { ws = Workspace{}; },
        [&] {
            if (read_polymorphisms_file(ws, args.input) != 1) throw std::runtime_error("cannot read " + args.input);
            const std::string report = perform_lenght_status(ws);
            const std::string list = build_polymorphism_list(ws);
            sequences = ws.aligned_sequences.size();
            list_bytes = list.size() + report.size();
        });
    Row row;
    row.name = "import aligned + call";
    row.input = std::to_string(sequences) + " sequences";
    row.bytes = file_size(args.input);
    row.seconds = s;
    row.amount = static_cast<double>(row.bytes) / MB;
    row.unit = "MB";
    row.file = args.input;
    row.note = std::to_string(list_bytes / 1000) + " kB of list";
    return row;
}

}  // namespace corvella::bench
