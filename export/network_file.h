// The network data file: a text for phylogenetic network software built from
// the sample lists and the variant tally (the variable variants after a
// network reading). Lines end with "\n"; the text writer stores CR LF.
//
// Layout, with n entries and V tally keys in tally order:
//   6 header lines: 7 blanks, then one column per variant holding the
//     position's digits downwards, the base letter under the last digit (a
//     blank for "Z"), padded with blanks; only the first six characters show.
//   n sequence lines: make_sequence_name(k), one "1"/"0" per variant (entry
//     k - 1 holds the variant or not), then "  1".
//   an empty line;
//   "10" once per variant, a line end after every 125th, and a final line end.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/workspace.h"
#include "output/report.h"

namespace corvella {

constexpr int NETWORK_HEADER_LINES = 6;
constexpr int NETWORK_WEIGHTS_PER_LINE = 125;  // "10" items per line of the last part

// "s" + k + blanks up to 7 characters (none from six digits on): s12 -> "s12    ".
std::string make_sequence_name(int64_t k);

// Appends the six characters of (p in decimal, c, six blanks) downwards, one
// to each header line. c is the base letter, or a blank for "Z".
void convert_pos(int32_t p, char c, std::array<std::string, NETWORK_HEADER_LINES>& header);

// The whole network data file text. Runs in time proportional to the size of
// the text plus the number of items: each item finds its column once. The
// text is reserved once at its full size, so it is the only large block
// built. `progress`, when given, runs from 0 to 100 over the sequence lines
// (one step per percent).
std::string build_network_text(const FlatPositions& sample_positions,
                               const FlatTexts& sample_bases,
                               const VariantTally& tally, ProgressSink* progress = nullptr);

inline std::string build_network_text(const Workspace& ws, ProgressSink* progress = nullptr) {
    return build_network_text(ws.sample_positions, ws.sample_bases, ws.variant_tally, progress);
}

}  // namespace corvella
