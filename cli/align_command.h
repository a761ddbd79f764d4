// `corvella-cli align RAW... -o LIST`: whole mitogenomes of one or more FASTA
// files (or @PATHS) aligned to the reference and called into one list.
#pragma once

#include "cli/cli_args.h"
#include "core/workspace.h"

namespace corvella::cli {

// The summary goes to stdout, the list to args.output. `ws` holds the
// loaded reference.
int run_align(const Args& args, const Workspace& ws);

}  // namespace corvella::cli
