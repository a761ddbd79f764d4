// Which reader a variant input file goes to.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvella {

enum class InputFormat { List, Hsd, Vcf, Fasta };

// "list", "hsd", "vcf", "fasta" (the words of --format); nothing for any other word.
std::optional<InputFormat> parse_input_format(std::string_view word);
const char* input_format_name(InputFormat format);

// Looks at the start of the file: VCF or BCF (plain or compressed, as htslib
// recognises them) goes to the VCF reader; else a FASTA file of unaligned
// sequences, plain or gzip (a name line followed by a line of nucleotide
// letters), goes to the aligner; else a first non-empty line
// starting with ">" is a polymorphism list; else a first non-empty line of two
// or more tab-separated fields is HSD; anything else (an empty file, a file
// that cannot be opened) goes to the list reader, whose messages then apply.
InputFormat detect_input_format(const std::string& path);

// False only for a start of a file that htslib cannot take for VCF or BCF:
// plain text whose first character is not "#" ("##fileformat=VCF"), nor the
// start of "BCF" or of a bzip2 stream. Lists and HSD files are told apart
// without starting htslib; anything else, an empty file included, is asked.
bool may_be_vcf(std::string_view head);

// The same rule for the text part, on the first bytes of a file that is not
// VCF or BCF.
InputFormat detect_text_format(std::string_view head);

}  // namespace corvella
