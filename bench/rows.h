// The benchmark rows: each measures one operation of the program on a
// generated input and returns what it measured. runner.cpp picks one by name,
// so every row runs in its own process and reports its own peak memory.
#pragma once

#include <string>

#include "bench/harness.h"

namespace corvella::bench {

struct RunArgs {
    std::string input;     // the generated file the row reads
    std::string out_dir;   // where reports are written
    int repeat = 3;        // the fastest of this many runs is reported
};

// Reading (the yardstick tokenizer, the list reader with its tally, the
// aligned import with the polymorphism caller, the unaligned import).
Row run_baseline_tokenizer(const RunArgs& args);
Row run_read_list(const RunArgs& args);
Row run_call_aligned(const RunArgs& args);
// Unaligned whole mitogenomes read, aligned to the reference on every core
// and called, with their summary.
Row run_align_unaligned(const RunArgs& args);

// The network export: its reader with the variable-variant tally, the
// network text, and the file written.
Row run_network(const RunArgs& args);

// The counting windows that run_window knows.
inline constexpr const char* WINDOWS[] = {"protein", "non-protein", "trna", "rrna"};

// Counting and reports of one counting window (one of WINDOWS). `what` is "count" or "<summary|position|sample>_<text|workbook>".
Row run_window(const std::string& window, const std::string& what, const RunArgs& args);

// The variant table or the gene table of the list: `what` is
// "<variants|genes>_<text|workbook>"; the file is written as the CLI does.
Row run_table(const std::string& what, const RunArgs& args);

// `stats` with 20 sample groups: the list read, the groups matched, the
// statistics table written as text.
Row run_stats(const RunArgs& args);

}  // namespace corvella::bench
