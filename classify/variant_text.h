// How every report writes a variant: the position, followed by the new base
// only when the change is a transversion (16519 for a transition, 16519A for
// a transversion), and the base change "T-C".
#pragma once

#include <cstdint>
#include <string>

#include "core/workspace.h"

namespace corvella {

// The reference letter at p, or 'Z' (a base the data does not give) for a
// position outside the reference, which a network reading can bring into the
// tally; reports never read past the loaded sequence.
char reference_letter_or_z(const Workspace& ws, int32_t p);

// "4330" for (4330, 'C') on a T, "4330A" for (4330, 'A').
std::string variant_text(const Workspace& ws, int32_t p, char base);

// Reference letter, "-", new base: "T-C".
std::string base_change_text(const Workspace& ws, int32_t p, char base);

}  // namespace corvella
