// The main window's account of what is loaded, two lines of text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace corvella {

enum class LoadedReference { None, BuiltIn, GenBank };

// "Reference: none", "Reference: built-in human reference (AC_000021)" or
// "Reference: NC_012920 (mito.gb)"; a GenBank file without an accession is
// named by its file alone.
std::string reference_line(LoadedReference kind, const std::string& accession,
                           const std::string& file_name = "");

// "Polymorphism list: none" while file_name is empty, else
// "Polymorphism list: list.txt - 120 samples, 431 distinct variants"
// (variants_word says which variants the tally holds).
std::string list_line(const std::string& file_name, int32_t samples, std::size_t variants,
                      const std::string& variants_word);

}  // namespace corvella
