// The yardstick for reading a polymorphism list: the least work that still
// turns a list into variant counts. The whole file in one read, one pass over
// its bytes, a flat array of counts indexed by position and base, no
// per-sample storage. The product's reader does more (it keeps every sample
// and checks every form of token); this says how close it comes to the
// machine's limit for this job.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace corvella::bench {

// Counts per (position, base) as position * 5 + index of A, C, G, T, Z.
// Returns the number of variant occurrences; -1 when the file cannot be read.
int64_t baseline_tally(const std::string& path, const std::string& reference, std::vector<int32_t>& counts);

}  // namespace corvella::bench
