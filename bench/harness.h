// The measuring side of the benchmarks: wall-clock timing, peak memory of
// this process, timing of `wc -l` and `cat` on the same file, and the one
// tab-separated result line that scripts/bench turns into the table.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace corvella::bench {

// Processor time (user + system) of the run that best_seconds last reported
// as fastest. On a shared machine the wall clock also counts the time spent
// waiting for a core; this does not.
double last_cpu_seconds();

// Seconds of the fastest of `repeat` runs (at least one).
double best_seconds(int repeat, const std::function<void()>& body);
// The same with an untimed `before` ahead of every run (to drop what the
// previous run built, so that freeing it is not counted).
double best_seconds(int repeat, const std::function<void()>& before, const std::function<void()>& body);

// Peak resident memory of this process so far, in kilobytes.
long peak_rss_kb();

int64_t file_size(const std::string& path);

// Fastest of three runs of `tool args... path` with stdout to /dev/null;
// negative when the tool cannot be run.
double tool_seconds(const std::vector<std::string>& tool_and_args, const std::string& path);

struct Row {
    std::string name;     // what was measured
    std::string input;    // e.g. "100000 samples"
    int64_t bytes = 0;    // size of the input file (0: the input is in memory)
    double seconds = 0;   // the measured time
    double amount = 0;    // what the throughput counts, per second
    std::string unit;     // its unit ("MB", "keys", "cells")
    std::string file;     // when set, `wc -l` and `cat` run on it for comparison
    std::string note;
};

// Prints the row: name, input, bytes, seconds, throughput, peak KB, time of
// wc -l, time of cat, note, processor seconds; separated by tabs.
void print_row(const Row& row);

}  // namespace corvella::bench
