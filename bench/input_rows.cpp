#include <stdexcept>
#include <vector>

#include "bench/baseline_tokenizer.h"
#include "bench/rows.h"
#include "input/aligned_import.h"
#include "input/fasta_reader.h"
#include "core/human_reference.h"
#include "input/polymorphism_caller.h"
#include "input/polymorphism_list.h"
#include "input/unaligned_calling.h"

namespace corvella::bench {

namespace {

constexpr double MB = 1e6;

// A row that reads `path`: its throughput is counted in MB of that file, and
// the table times `wc -l` and `cat` on the same file beside it.
Row file_row(const std::string& name, const std::string& input, const std::string& path, double seconds,
             const std::string& note) {
    Row row;
    row.name = name;
    row.input = input;
    row.bytes = file_size(path);
    row.seconds = seconds;
    row.amount = static_cast<double>(row.bytes) / MB;
    row.unit = "MB";
    row.file = path;
    row.note = note;
    return row;
}

}  // namespace

Row run_baseline_tokenizer(const RunArgs& args) {
    const std::string reference = human_reference_sequence();
    std::vector<int32_t> counts;
    int64_t occurrences = 0;
    const double s = best_seconds(args.repeat, [&] { occurrences = baseline_tally(args.input, reference, counts); });
    if (occurrences < 0) throw std::runtime_error("cannot read " + args.input);
    return file_row("yardstick: tokenize + tally", "", args.input, s, std::to_string(occurrences) + " occurrences");
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
    return file_row("read list + tally", std::to_string(entries) + " samples", args.input, s,
                    std::to_string(occurrences) + " occurrences, " + std::to_string(ws.variant_tally.size()) +
                        " keys");
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
    return file_row("import aligned + call", std::to_string(sequences) + " sequences", args.input, s,
                    std::to_string(list_bytes / 1000) + " kB of list");
}

Row run_align_unaligned(const RunArgs& args) {
    const std::string reference = human_reference_sequence();
    size_t sequences = 0, called = 0, list_bytes = 0;
    const double s = best_seconds(args.repeat, [&] {
        const FastaReadResult read = read_fasta_file(args.input);
        if (read.code < 0) throw std::runtime_error("cannot read " + args.input + ": " + read.message);
        const UnalignedCalling calling = call_unaligned(reference, "rCRS", read.records);
        const std::string summary = unaligned_summary(calling, reference.size());
        sequences = calling.samples.size();
        called = 0;
        for (const UnalignedSample& u : calling.samples) called += u.outcome == UnalignedOutcome::Called;
        list_bytes = calling.list_text.size() + summary.size();
    });
    return file_row("align unaligned + call", std::to_string(sequences) + " sequences", args.input, s,
                    std::to_string(called) + " called, " + std::to_string(list_bytes / 1000) + " kB of list");
}

}  // namespace corvella::bench
