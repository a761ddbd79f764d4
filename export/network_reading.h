// The network export's own reader of polymorphism lists. It needs no
// reference: a bare position keeps the base "Z" instead of the transition
// partner of a reference letter, and every position above 0 is accepted.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "input/list_tokens.h"

namespace corvella {

// Reader results besides the entry count.
constexpr int32_t NETWORK_READ_CANNOT_OPEN = -1;
constexpr int32_t NETWORK_READ_BAD_FORMAT = -2;  // fewer name lines than variant lines

// Parses the text of a polymorphism list into `out` (emptied first). Bases
// are "A", "C", "G", "T", or "Z" for a bare position. Returns
// NETWORK_READ_BAD_FORMAT when there are fewer name lines than variant lines,
// else the number of variant lines (entries). Read on every core (ListSplit).
int32_t parse_network_list(std::string_view text, SampleLists& out, const ListSplit& split = ListSplit{});

// Reads the file at `path` with parse_network_list. Returns
// NETWORK_READ_CANNOT_OPEN when it cannot be opened or read. `out` is the
// caller's fresh value: the workspace is only replaced on success.
int32_t read_and_parsing_file_network(const std::string& path, SampleLists& out,
                                      const ListSplit& split = ListSplit{});

}  // namespace corvella
