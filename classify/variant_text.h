// How every report writes one variant: the decimal position, followed by the
// new base only for a transversion (16519 for T to C, 16519A for T to A), and
// its base change ("T-C").
#pragma once

#include <cstdint>
#include <string>

#include "core/workspace.h"

namespace corvella {

std::string variant_text(const Workspace& ws, const VariantKey& key);

// The reference letter at p, or 'Z' (a base the data does not give) for a
// position outside the reference, which a network reading can bring into the
// tally; reports never read past the loaded sequence.
char reference_letter_or_z(const Workspace& ws, int32_t p);

// Reference letter, "-", new base: "T-C"; "Z-C" outside the reference.
std::string base_change_text(const Workspace& ws, const VariantKey& key);

}  // namespace corvella
