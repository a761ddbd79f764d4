// The reader of plain FASTA files of unaligned sequences, such as whole
// mitogenomes downloaded from GenBank or written by an assembler: one record
// per sample, letters on any number of lines of any length.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvella {

struct FastaRecord {
    std::string name;     // the name line without its ">" and its line end
    std::string letters;  // upper-case nucleotide letters, gaps removed
    int32_t line = 0;     // 1-based line of the name line in the file
};

struct FastaReadResult {
    // -1: the file cannot be opened; -2: it is not a FASTA file of
    // nucleotide records (`message` says why); otherwise the number of
    // records (at least 1).
    int32_t code = 0;
    std::string message;
    std::vector<FastaRecord> records;
};

// True for the letters a nucleotide record may hold: the IUPAC codes
// A C G T U R Y S W K M B D H V N in either case. Gaps are not letters.
bool is_nucleotide_letter(char c);

// Parses a FASTA text already in memory. Rules:
// - empty lines and lines starting with ";" (old-style comments) before the
//   first record are skipped; the first other line must start with ">";
// - a line starting with ">" starts a record, the rest of the line is its name;
// - every other line holds letters: IUPAC codes are kept and upper-cased, U
//   is read as T, the gaps "-" and "." are removed, blanks, tabs and the CR of
//   a CR LF line end are dropped;
// - any other character refuses the file with a message that names the line
//   and the record, so that a protein file or a polymorphism list is never
//   taken for sequences. A record without letters is kept (empty).
FastaReadResult parse_fasta_text(std::string_view text);

// Reads the file at `path`, plain or gzip-compressed, and parses it. Its
// messages begin with the file's name ("raw.fasta: Line 4: ..."); an empty
// file is refused as empty.
FastaReadResult read_fasta_file(const std::string& path);

// Whether `text` looks like a FASTA file of sequences: its first line starts
// with ">" and the line after it is not empty and made only of nucleotide
// letters, gaps and blanks (a polymorphism list's variant lines start with
// digits, and its "Numbering Reference" line holds letters that are no
// nucleotide code).
bool looks_like_fasta(std::string_view text);

// The same test on the start of the file at `path`, plain or gzip, after
// any empty lines. False when the file cannot be read.
bool fasta_file_detected(const std::string& path);

}  // namespace corvella
