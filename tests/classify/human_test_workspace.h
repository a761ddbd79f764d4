// A workspace holding the built-in human reference, as the classification
// tests start from it.
#pragma once

#include "core/human_reference.h"
#include "core/workspace.h"

inline corvella::Workspace human() {
    corvella::Workspace ws;
    corvella::use_human_ref_data(ws);
    return ws;
}
