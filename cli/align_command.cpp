#include "cli/align_command.h"

#include <iostream>

#include "cli/input_options.h"
#include "input/cohort_loader.h"
#include "output/text_writer.h"

namespace corvella::cli {

int run_align(const Args& args, const Workspace& ws) {
    std::vector<std::string> paths;
    std::string error;
    if (!expand_input_operands(args.operands, paths, error)) {
        std::cerr << "corvella-cli: " << error << "\n";
        return EXIT_INPUT;
    }
    // Every input is read as unaligned FASTA, whatever it looks like.
    CohortOptions options;
    options.format = InputFormat::Fasta;
    const CohortRead read = read_cohort(ws, paths, options);
    if (!read.ok()) {
        std::cerr << "corvella-cli: " << read.message << "\n";
        return EXIT_INPUT;
    }
    std::cout << read.alignment_summary;
    const WriteResult written = write_text_file(args.output, read.converted_text);
    if (!written.ok) {
        std::cerr << "corvella-cli: " << written.error << "\n";
        return EXIT_INPUT;
    }
    return EXIT_OK;
}

}  // namespace corvella::cli
