// Import of an aligned multi-sequence FASTA file into the aligned-sequence
// store, and the report of sequences whose length differs from the first.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/workspace.h"

namespace corvella {

struct AlignedReadResult {
    // -1: the file cannot be opened; -2: its first line does not begin with
    // ">"; 1: read.
    int32_t code = 0;
    // One letter string per record (upper-cased, gaps "-", other characters
    // as they stand) and one name per record; name 0 keeps its ">".
    std::vector<std::string> sequences;
    std::vector<std::string> names;
};

// Parses an aligned file already in memory (code is 1 or -2).
AlignedReadResult parse_aligned_text(std::string_view text);

// Reads the aligned file at `path` and, only when it reads, replaces the
// workspace's aligned-sequence store. Returns -1, -2 or 1; on failure the
// store is as before.
int32_t read_polymorphisms_file(Workspace& ws, const std::string& path);

// The length report of the store: "N sequences were retrieved." and, when
// some sequences differ in length from sequence 0, their names and lengths.
std::string perform_lenght_status(const Workspace& ws);

}  // namespace corvella
