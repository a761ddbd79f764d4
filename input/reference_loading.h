// The reference a front end works on: the built-in human reference, or a
// GenBank file, loaded as "Human Reference" and "Open Other Reference
// File..." load them.
#pragma once

#include <optional>
#include <string>

#include "core/workspace.h"

namespace corvella {

// Loads the GenBank file at `path`, or the built-in human reference when
// there is none, and sets ws.human_reference to match. Empty on success,
// else the reader's message (the workspace then keeps its reference).
std::string load_reference(Workspace& ws, const std::optional<std::string>& path);

}  // namespace corvella
