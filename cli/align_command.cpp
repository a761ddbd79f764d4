#include "cli/align_command.h"

#include <iostream>

#include "core/fasta_reader.h"
#include "core/genbank_reader.h"
#include "core/unaligned_calling.h"
#include "output/text_writer.h"

namespace corvella::cli {

namespace {

// The name line the list starts with: what the main window's title shows
// for the loaded reference.
std::string reference_name(const Args& args) {
    if (!args.reference) return "AC_000021";
    return extract_info_from_reference(*args.reference).accession;
}

}  // namespace

int run_align(const Args& args, const Workspace& ws) {
    const FastaReadResult read = read_fasta_file(args.operands[0]);
    if (read.code < 0) {
        std::cerr << "corvella-cli: " << read.message << "\n";
        return EXIT_INPUT;
    }
    const UnalignedCalling calling = call_unaligned(ws.ref_sequence, reference_name(args), read.records);
    std::cout << unaligned_summary(calling, ws.ref_sequence.size());
    const WriteResult written = write_text_file(args.output, calling.list_text);
    if (!written.ok) {
        std::cerr << "corvella-cli: " << written.error << "\n";
        return EXIT_INPUT;
    }
    return EXIT_OK;
}

}  // namespace corvella::cli
