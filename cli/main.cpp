// corvella-cli: the desktop program's outputs from the command line, for
// scripted pipelines on machines without a display. Every file it writes
// comes from the same report functions the windows call.
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_args.h"
#include "cli/cli_commands.h"

using namespace corvella::cli;

int main(int argc, char** argv) {
    const std::vector<std::string> words(argv + 1, argv + argc);
    const ParseResult parsed = parse_args(words);
    if (!parsed.args) {
        std::cerr << "corvella-cli: " << parsed.error << "\n" << USAGE;
        return EXIT_USAGE;
    }
    try {
        return run_command(*parsed.args, argc, argv);
    } catch (const std::exception& e) {
        std::cerr << "corvella-cli: " << e.what() << "\n";
        return EXIT_INPUT;
    }
}
