#include "cli/cli_commands.h"

#include <algorithm>
#include <iostream>

#include "classify/position_check.h"
#include "cli/align_command.h"
#include "cli/all_command.h"
#include "cli/chart_command.h"
#include "cli/html_command.h"
#include "classify/genome_map_layout.h"
#include "classify/population_stats.h"
#include "cli/input_options.h"
#include "classify/report_kinds.h"
#include "classify/table_files.h"
#include "cli/table_commands.h"
#include "input/aligned_import.h"
#include "input/outgroup.h"
#include "input/sample_groups.h"
#include "input/genbank_reader.h"
#include "core/human_reference.h"
#include "input/polymorphism_caller.h"
#include "input/polymorphism_list.h"
#include "input/reference_loading.h"
#include "core/reference_summary.h"
#include "core/version.h"
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

// "Open Polymorphism File...": the same readers and the same messages, for
// the input operands from `first` on.
int load_cohort_operands(const Args& args, size_t first, Workspace& ws, InputUse use = InputUse::Counting) {
    CohortRead read;
    const std::vector<std::string> inputs(args.operands.begin() + static_cast<std::ptrdiff_t>(first), args.operands.end());
    return load_inputs(args.input, inputs, ws, use, read);
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
    // The tables to write: the one TABLE with -o OUT, or every TABLE:OUT pair.
    std::vector<std::pair<Table, std::string>> outputs;
    size_t first_input = 2;
    if (args.output.empty()) {
        for (first_input = 1; first_input < args.operands.size() && is_table_pair(args.operands[first_input]);
             ++first_input) {
            const std::string& pair = args.operands[first_input];
            const size_t colon = pair.find(':');
            outputs.emplace_back(*parse_table(pair.substr(0, colon)), pair.substr(colon + 1));
        }
        if (first_input == args.operands.size()) return fail(EXIT_USAGE, "report needs an input after its tables\n" + std::string(USAGE));
    } else {
        const std::optional<Table> table = parse_table(args.operands[1]);
        if (!table) return fail(EXIT_USAGE, "unknown table " + args.operands[1] + "\n" + USAGE);
        outputs.emplace_back(*table, args.output);
    }
    if (kind->needs_human_reference && !ws.human_reference)
        return fail(EXIT_INPUT, kind->name + " reports need the built-in human reference; leave out --reference.");
    if (int status = load_cohort_operands(args, first_input, ws); status != EXIT_OK) return status;
    for (const auto& [table, path] : outputs)
        if (int status = write_or_fail(save_kind_table(*kind, table, ws, path)); status != EXIT_OK) return status;
    return EXIT_OK;
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
    if (int status = load_cohort_operands(args, 1, ws); status != EXIT_OK) return status;
    return write_or_fail(write_chart_image(kind->chart(ws), args.output, argc, argv, args.size));
}

// --outgroup FILE, read and aligned with the reference and told on stderr;
// without it `outgroup` stays empty.
int load_outgroup(const Args& args, const Workspace& ws, OutgroupRead& outgroup) {
    outgroup = OutgroupRead{};
    if (!args.outgroup) return EXIT_OK;
    outgroup = read_outgroup(*args.outgroup, ws.ref_sequence);
    if (!outgroup.ok) return fail(EXIT_INPUT, *args.outgroup + ": " + outgroup.message);
    std::cerr << "corvella-cli: outgroup " << outgroup_summary(outgroup) << "\n";
    return EXIT_OK;
}

// "Genome Map...": the ring of the cohort's variants, at --size or 900x700.
// With --group, only the samples of that group of the groups file.
int run_map(const Args& args, Workspace& ws, int argc, char** argv) {
    if (int status = load_cohort_operands(args, 0, ws); status != EXIT_OK) return status;
    const Workspace* drawn = &ws;
    Workspace group;
    if (args.group) {
        SampleGroups groups;
        if (int status = load_sample_groups(args.input, ws, groups); status != EXIT_OK) return status;
        const auto at = std::find(groups.names.begin(), groups.names.end(), *args.group);
        if (at == groups.names.end()) {
            std::string known;
            for (const std::string& name : groups.names) known += (known.empty() ? "" : ", ") + name;
            return fail(EXIT_INPUT, "no group " + *args.group + " in " + *args.input.groups +
                                        (known.empty() ? std::string(" (it names no sample of the cohort)")
                                                       : "; its groups are " + known));
        }
        group = group_workspace(ws, groups, static_cast<uint32_t>(at - groups.names.begin()));
        drawn = &group;
    }
    const GenomeMap map =
        args.size ? build_genome_map(*drawn, args.size->first, args.size->second) : build_genome_map(*drawn);
    return write_or_fail(write_map_image(map, args.output, argc, argv));
}

// The one-page HTML report of the cohort.
int run_html(const Args& args, Workspace& ws, int argc, char** argv) {
    std::vector<std::string> paths;
    std::string error;
    if (!expand_input_operands(args.operands, paths, error)) return fail(EXIT_INPUT, error);
    CohortRead read;
    if (int status = load_inputs(args.input, paths, ws, InputUse::Counting, read); status != EXIT_OK) return status;
    SampleGroups groups;
    if (int status = load_sample_groups(args.input, ws, groups); status != EXIT_OK) return status;
    OutgroupRead outgroup;
    if (int status = load_outgroup(args, ws, outgroup); status != EXIT_OK) return status;
    std::vector<HtmlTable> tables = {html_table_from_text(
        "stats", "Population statistics",
        population_stats_report(ws, groups, outgroup.bases, ReportFormat::Text).text)};
    return write_or_fail(write_html_report(ws, paths, read, args.output, "", argc, argv, std::move(tables)));
}

// "Export To Network File...", "Transform", "Save As...": the memo's message
// on stdout, the network data file at exactly the path given.
int run_network(const Args& args, Workspace& ws) {
    if (int status = load_cohort_operands(args, 0, ws, InputUse::Network); status != EXIT_OK) return status;
    const auto n = static_cast<int32_t>(ws.sample_positions.size());
    std::cout << network_memo_message(n, ws.variant_tally.size()) << "\n";
    return write_or_fail(write_text_file(args.output, build_network_text(ws)));
}

// The converted list of the inputs, at exactly the path given.
int run_convert(const Args& args, Workspace& ws) {
    CohortRead read;
    if (int status = load_inputs(args.input, args.operands, ws, InputUse::Convert, read); status != EXIT_OK)
        return status;
    return write_or_fail(write_text_file(args.output, cohort_list_text(ws, read)));
}

// `annotate` and `genes`: a table of the whole cohort at -o.
int run_table(const Args& args, Workspace& ws,
              WriteResult (*save)(const Workspace&, const SampleGroups&, const std::string&), bool variants) {
    if (int status = load_cohort_operands(args, 0, ws); status != EXIT_OK) return status;
    SampleGroups groups;
    if (int status = load_sample_groups(args.input, ws, groups); status != EXIT_OK) return status;
    // The variant table has a row for every indel the lists spell so that it reads.
    if (const IndelCalls& indels = ws.sample_indels; variants && indels.unread > 0)
        std::cerr << "corvella-cli: " << indels.unread << (indels.unread == 1 ? " token" : " tokens")
                  << " holding ins or del " << (indels.unread == 1 ? "does" : "do")
                  << " not describe an insertion or deletion of the reference and " << (indels.unread == 1 ? "is" : "are")
                  << " left out of the table (the first: " << indels.first_unread << ")\n";
    return write_or_fail(save(ws, groups, args.output));
}

// `stats`: the cohort, its groups and the outgroup, then the table.
int run_stats(const Args& args, Workspace& ws) {
    if (int status = load_cohort_operands(args, 0, ws); status != EXIT_OK) return status;
    SampleGroups groups;
    if (int status = load_sample_groups(args.input, ws, groups); status != EXIT_OK) return status;
    OutgroupRead outgroup;
    if (int status = load_outgroup(args, ws, outgroup); status != EXIT_OK) return status;
    return write_or_fail(save_stats_table(ws, groups, outgroup.bases, args.output));
}

}  // namespace

int run_command(const Args& args, int argc, char** argv) {
    switch (args.command) {
        case Command::Help: std::cout << USAGE; return EXIT_OK;
        case Command::Version: std::cout << "corvella-cli " CORVELLA_VERSION "\n"; return EXIT_OK;
        default: break;
    }
    Workspace ws;
    if (std::string m = load_reference(ws, args.reference); !m.empty()) return fail(EXIT_INPUT, m);
    if (args.verbose) std::cerr << "corvella-cli: reference " << reference_summary(ws) << "\n";
    switch (args.command) {
        case Command::Call: return run_call(args, ws);
        case Command::Report: return run_report(args, ws);
        case Command::Network: return run_network(args, ws);
        case Command::Check: return run_check(args, ws);
        case Command::Chart: return run_chart(args, ws, argc, argv);
        case Command::Map: return run_map(args, ws, argc, argv);
        case Command::Html: return run_html(args, ws, argc, argv);
        case Command::Convert: return run_convert(args, ws);
        case Command::Align: return run_align(args, ws);
        case Command::Annotate:
            if (is_vcf_output(args.output)) return run_annotated_vcf(args.operands, args.input, ws, args.output, args.index);
            return run_table(args, ws, save_variant_table, true);
        case Command::Genes: return run_table(args, ws, save_gene_table, false);
        case Command::All: return run_all(args, ws, argc, argv);
        case Command::Stats: return run_stats(args, ws);
        default: return fail(EXIT_USAGE, USAGE);
    }
}

}  // namespace corvella::cli
