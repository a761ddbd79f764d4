#include "cli/cli_commands.h"

#include <iostream>

#include "classify/position_check.h"
#include "cli/align_command.h"
#include "cli/chart_command.h"
#include "cli/report_kinds.h"
#include "cli/table_commands.h"
#include "core/aligned_import.h"
#include "core/genbank_reader.h"
#include "core/human_reference.h"
#include "core/polymorphism_caller.h"
#include "core/polymorphism_list.h"
#include "core/reference_summary.h"
#include "export/network_file.h"
#include "export/variable_sites.h"
#include "output/annotated_vcf.h"
#include "output/text_writer.h"
#include "output/workbook_writer.h"
#include "output/xlsx_writer.h"

namespace corvella::cli {

namespace {

int fail(int status, const std::string& message) {
    std::cerr << "corvella-cli: " << message << "\n";
    return status;
}

// Loads the reference as "Human Reference" or "Open Other Reference File..."
// would. Returns an empty text on success, else the message.
std::string load_reference(const Args& args, Workspace& ws) {
    if (!args.reference) {
        use_human_ref_data(ws);
        ws.human_reference = true;
        return {};
    }
    const ReferenceReadResult read = extract_info_from_reference(*args.reference);
    if (!read.ok) return read.message;
    use_reference(ws, read);
    ws.human_reference = false;
    return {};
}

// "Open Polymorphism File...": the same reader and the same messages.
std::string load_list(Workspace& ws, const std::string& path) {
    switch (load_polymorphism_list(ws, path)) {
        case -1: return "File cannot be opened.";
        case -2: return "Bad input format.";
        default: return {};
    }
}

bool ends_with(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

int write_or_fail(const WriteResult& result) {
    return result.ok ? EXIT_OK : fail(EXIT_INPUT, result.error);
}

int run_call(const Args& args, Workspace& ws) {
    switch (read_polymorphisms_file(ws, args.operands[0])) {
        case -1: return fail(EXIT_INPUT, "File cannot be openned.");
        case -2: return fail(EXIT_INPUT, "Bad input format.");
        default: break;
    }
    std::cout << perform_lenght_status(ws) << "\n";
    return write_or_fail(write_text_file(args.output, build_polymorphism_list(ws)));
}

int run_report(const Args& args, Workspace& ws) {
    const ReportKind* kind = find_report_kind(args.operands[0]);
    if (kind == nullptr) return fail(EXIT_USAGE, "unknown report kind " + args.operands[0] + "\n" + USAGE);
    const std::optional<Table> table = parse_table(args.operands[1]);
    if (!table) return fail(EXIT_USAGE, "unknown table " + args.operands[1] + "\n" + USAGE);
    if (kind->needs_human_reference && !ws.human_reference)
        return fail(EXIT_INPUT, kind->name + " reports need the built-in human reference; leave out --reference.");
    if (std::string m = load_list(ws, args.operands[2]); !m.empty()) return fail(EXIT_INPUT, m);
    const RowProducer rows = [&](RowSink& sink) { kind->rows(ws, *table, sink); };
    if (ends_with(args.output, ".xlsx")) return write_or_fail(write_xlsx(args.output, rows));
    if (ends_with(args.output, ".xls")) return write_or_fail(write_xls(args.output, rows));
    return write_or_fail(write_text_file(args.output, kind->report(ws, *table, ReportFormat::Text).text));
}

// "Check Position": the position typed, the base chosen, then "Run". The
// base box takes the first character of what is typed.
int run_check(const Args& args, const Workspace& ws) {
    const std::string& base = args.operands[1];
    const PositionRun run = run_position_check(ws, args.operands[0], base.empty() ? 'X' : base[0]);
    if (!run.message.empty()) return fail(EXIT_VALIDATION, run.message);
    for (const std::string& line : run.lines) std::cout << line << "\n";
    return EXIT_OK;
}

int run_chart(const Args& args, Workspace& ws, int argc, char** argv) {
    const ReportKind* kind = find_report_kind(args.operands[0]);
    if (kind == nullptr) return fail(EXIT_USAGE, "unknown chart kind " + args.operands[0] + "\n" + USAGE);
    if (kind->needs_human_reference && !ws.human_reference)
        return fail(EXIT_INPUT, kind->name + " charts need the built-in human reference; leave out --reference.");
    if (std::string m = load_list(ws, args.operands[1]); !m.empty()) return fail(EXIT_INPUT, m);
    return write_or_fail(write_chart_image(kind->chart(ws), args.output, argc, argv));
}

// "Export To Network File...", "Transform", "Save As...": the memo's message
// on stdout, the network data file at exactly the path given.
int run_network(const Args& args, Workspace& ws) {
    const int32_t n = load_network_reading(ws, args.operands[0]);
    if (n == -1) return fail(EXIT_INPUT, "File cannot be opened.");
    if (n == -2) return fail(EXIT_INPUT, "Bad input format.");
    std::cout << network_memo_message(n, ws.variant_tally.size()) << "\n";
    return write_or_fail(write_text_file(args.output, build_network_text(ws)));
}

// `annotate` and `genes`: a table of the whole cohort at -o.
int run_table(const Args& args, Workspace& ws, WriteResult (*save)(const Workspace&, const std::string&)) {
    if (std::string m = load_list(ws, args.operands[0]); !m.empty()) return fail(EXIT_INPUT, m);
    return write_or_fail(save(ws, args.output));
}

}  // namespace

int run_command(const Args& args, int argc, char** argv) {
    switch (args.command) {
        case Command::Help: std::cout << USAGE; return EXIT_OK;
        case Command::Version: std::cout << "corvella-cli 1.0\n"; return EXIT_OK;
        default: break;
    }
    Workspace ws;
    if (std::string m = load_reference(args, ws); !m.empty()) return fail(EXIT_INPUT, m);
    if (args.verbose) std::cerr << "corvella-cli: reference " << reference_summary(ws) << "\n";
    switch (args.command) {
        case Command::Call: return run_call(args, ws);
        case Command::Report: return run_report(args, ws);
        case Command::Network: return run_network(args, ws);
        case Command::Check: return run_check(args, ws);
        case Command::Chart: return run_chart(args, ws, argc, argv);
        case Command::Align: return run_align(args, ws);
        case Command::Annotate:
            if (is_vcf_output(args.output))
                return write_or_fail(save_annotated_vcf(ws, args.operands[0], args.output, args.index));
            return run_table(args, ws, save_variant_table);
        case Command::Genes: return run_table(args, ws, save_gene_table);
        default: return fail(EXIT_USAGE, USAGE);
    }
}

}  // namespace corvella::cli
