// The yardstick for reading a polymorphism list: the least work that still
// turns a list into variant counts. The whole file in one read, strtol for
// each position, a flat array of counts indexed by position and base, one
// thread, no per-sample storage. The product's reader does more (it keeps
// every sample, checks every form of token, and reads on every core); this
// says how close it comes to the simplest program for this job.
// corvella_yardstick runs it as a process of its own beside corvella-cli.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace corvella::bench {

// Counts per (position, base) as position * 5 + index of A, C, G, T, Z.
// Returns the number of variant occurrences; -1 when the file cannot be read.
int64_t baseline_tally(const std::string& path, const std::string& reference, std::vector<int32_t>& counts);

}  // namespace corvella::bench
