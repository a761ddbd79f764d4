// Insertions, deletions and substitutions on a plain sequence in HGVS
// nucleotide and protein notation: an edit is moved as far 3' as the
// sequence allows before it is written (the last C of a C run is the one
// duplicated), and an insertion that repeats the letters before it is a
// duplication. Pure string functions; the workspace-aware annotation is in
// classify/variant_annotation.h.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace corvella {

// Replaces sequence[start, start + length) by `inserted` (0-based). A pure
// insertion has length 0 and goes before sequence[start].
struct SequenceEdit {
    size_t start = 0;
    size_t length = 0;
    std::string inserted;
    bool operator==(const SequenceEdit& o) const {
        return start == o.start && length == o.length && inserted == o.inserted;
    }
};

// Drops the letters the replaced stretch and the inserted text share at
// their ends (suffix first, then prefix), as VCF alleles carry an anchor.
SequenceEdit trim_edit(const std::string& sequence, SequenceEdit edit);

// A pure insertion or deletion moved 3' while the sequence repeats what it
// inserts or removes; it never runs past the end of `sequence`. Other edits
// stay where they are.
SequenceEdit shift_3prime(const std::string& sequence, SequenceEdit edit);

// The HGVS nucleotide description of a trimmed edit, numbered from
// `first_number` at sequence[0], without the "m." / "c." prefix: "3460G>A",
// "523_524del", "9537dup", "309_310insC", "100_101delinsTT". The edit is
// shifted 3' first.
std::string hgvs_nucleotide(const std::string& sequence, const SequenceEdit& edit, int first_number);

// The sequence with the edit made.
std::string apply_edit(const std::string& sequence, const SequenceEdit& edit);

// Three-letter amino acids of a coding sequence read codon by codon under
// NCBI code `genetic_code`, up to and with the first stop ("Ter"); an
// incomplete last codon is not read.
std::vector<std::string> translate_codons(const std::string& coding, int genetic_code);

// The protein description of an in-frame change between two translations,
// both read from codon 1 ("p.Lys8del", "p.Gly4_Ala5insSer", "p.Ser2dup",
// "p.Leu6delinsTrpVal"), or of a frameshift ("p.Leu156ArgfsTer12",
// "p.Leu156ArgfsTer?" when the new reading meets no stop, "p.Leu156Ter",
// "p.Ter227Argext*?"). "p.=" when the two are the same, "p.?" when the
// change is before the first amino acid.
std::string hgvs_protein_change(const std::vector<std::string>& ref, const std::vector<std::string>& alt,
                                bool frameshift);

}  // namespace corvella
