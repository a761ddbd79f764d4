// `all`: one read of the cohort, then every report, table, chart and the
// network file into one folder under fixed names.
#pragma once

#include "cli/cli_args.h"
#include "core/workspace.h"

namespace corvella::cli {

int run_all(const Args& args, Workspace& ws, int argc, char** argv);

}  // namespace corvella::cli
