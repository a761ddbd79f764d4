// How every report writes a variant: the position, with the new base after
// it only for a transversion (16519 for a transition, 16519A otherwise), and
// the base change "reference-new" (T-C).
#pragma once

#include <cstdint>
#include <string>

#include "core/workspace.h"

namespace corvella {

// "%d%s": p, then the new base when the change at p is a transversion.
std::string variant_position_text(const Workspace& ws, int32_t p, char base);

// "%c-%c": the reference letter at p and the new base. A position outside
// the loaded reference shows "?" for its letter rather than reading past it.
std::string base_change_text(const Workspace& ws, int32_t p, char base);

}  // namespace corvella
