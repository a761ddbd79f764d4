// Whole mitogenomes without gaps for the unaligned-import tests: the
// example alignment's samples with their gaps taken out.
#pragma once

#include <string>

#include "core/temp_file.h"
#include "input/aligned_import.h"

namespace corvella_test {

inline std::string raw_fasta() {
    const corvella::AlignedReadResult a = corvella::parse_aligned_text(data_text("aligned-3.fasta"));
    std::string text;
    for (size_t i = 1; i < a.sequences.size(); ++i) {
        text += ">" + a.names[i] + "\n";
        for (char c : a.sequences[i])
            if (c != '-') text += c;
        text += "\n";
    }
    return text;
}

}  // namespace corvella_test
