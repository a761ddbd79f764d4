// The single-position check: validate a typed position, name its locus, and
// describe what a new base does to every protein gene that holds it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/workspace.h"

namespace corvella {

// True when some protein gene of the region table holds p (closed ranges).
bool is_protein(const Workspace& ws, int32_t p);

// Locus text of a position that is not looked at as protein: a tRNA with its
// cloverleaf region ("tRNA-Phe(Acc-stem)"), "s-rRNA", "l-rRNA", "D-loop" or
// "non-coding". tRNA regions come from the structure table, which is numbered
// on the built-in human reference, so with another reference a tRNA position
// no slot covers falls through to the later tests.
std::string locus(const Workspace& ws, int32_t p);

enum class PositionOutcome { Rejected, NonProtein, Protein };

struct PositionCheck {
    PositionOutcome outcome = PositionOutcome::Rejected;
    std::string message;   // Rejected: the text for the message line
    int32_t position = 0;  // NonProtein and Protein: the accepted position
    char ref_base = 'X';   // NonProtein and Protein: reference letter at position
    std::string locus;     // NonProtein: the locus text
};

// Validates the entry text in this order: empty, not all decimal digits (or
// 0, which is no position), larger than the reference length.
PositionCheck check_and_setPosition(const Workspace& ws, const std::string& entry);

// Appends the result block of protein gene `gene` for the variant
// (position, new_base) to `lines` and returns whether it is synonymous. A
// codon with a letter outside the genetic code ends the block early and
// counts as not synonymous.
bool is_synonymous(const Workspace& ws, int gene, int32_t position, char new_base,
                   std::vector<std::string>& lines);

// What "Run" shows: the check, then the validation of the bases, then one
// block per protein gene holding the position, in gene-table order.
struct PositionRun {
    PositionCheck check;
    std::string message;             // for the message line; empty when none
    std::vector<std::string> lines;  // the result memo, line by line
    bool completed = false;          // blocks were written: the window locks
};

PositionRun run_position_check(const Workspace& ws, const std::string& entry, char new_base);

// The memo's text: every line followed by "\n".
std::string memo_text(const std::vector<std::string>& lines);

}  // namespace corvella
