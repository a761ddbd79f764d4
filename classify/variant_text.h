// How every report writes one variant: the decimal position, followed by the
// new base only for a transversion (16519 for T to C, 16519A for T to A).
#pragma once

#include <string>

#include "core/workspace.h"

namespace corvella {

std::string variant_text(const Workspace& ws, const VariantKey& key);

}  // namespace corvella
