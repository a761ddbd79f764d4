// A workspace holding the built-in human reference, as "Human Reference" leaves it.
#pragma once

#include "core/human_reference.h"
#include "core/workspace.h"

namespace corvella_test {

inline corvella::Workspace human_workspace() {
    corvella::Workspace ws;
    corvella::use_human_ref_data(ws);
    ws.human_reference = true;
    return ws;
}

}  // namespace corvella_test
