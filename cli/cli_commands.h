#pragma once

#include "cli/cli_args.h"

namespace corvella::cli {

// Runs the parsed command; returns the exit status. Messages go to stderr as
// "corvella-cli: <message>", results to stdout and the -o file.
int run_command(const Args& args, int argc, char** argv);

}  // namespace corvella::cli
