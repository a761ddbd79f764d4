// `corvella-cli align RAW.fasta -o LIST`: whole mitogenomes aligned to the
// reference and called into a polymorphism list.
#pragma once

#include "cli/cli_args.h"
#include "core/workspace.h"

namespace corvella::cli {

// The summary goes to stdout, the list to args.output. `ws` holds the
// loaded reference.
int run_align(const Args& args, const Workspace& ws);

}  // namespace corvella::cli
