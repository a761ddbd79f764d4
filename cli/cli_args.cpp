#include "cli/cli_args.h"

#include <map>

namespace corvella::cli {

const char* const USAGE =
    "usage: corvella-cli [--reference FILE] [INPUT OPTIONS] COMMAND ...\n"
    "\n"
    "  check POSITION BASE               classify one base change, as \"Check Position\"\n"
    "  call ALIGNED -o LIST              call the polymorphisms of an aligned FASTA file\n"
    "  align RAW... -o LIST              align whole mitogenomes (FASTA, plain or gzip) to the\n"
    "                                    reference and call their polymorphisms\n"
    "  report KIND TABLE LIST -o OUT     save a report of a polymorphism list\n"
    "        KIND: protein, nonprotein, trna, rrna; TABLE: summary, positions, samples;\n"
    "        OUT ending in .xls is an Excel 97-2003 workbook, anything else a text table\n"
    "  chart KIND LIST -o OUT            save a counting window's chart as a BMP image\n"
    "  network LIST -o OUT               write the network data file (.rdf) of a list\n"
    "  convert INPUT... -o LIST          write the polymorphism list of VCF, HSD or FASTA files\n"
    "        LIST in report, chart and network may be several files of one kind: polymorphism\n"
    "        lists, HSD, VCF/BCF or unaligned FASTA; @PATHS stands for the paths listed in\n"
    "        the file PATHS\n"
    "  annotate INPUT -o OUT [--index]   the variant table: every variant with its classifications;\n"
    "        from a VCF, OUT ending in .vcf, .vcf.gz or .bcf is the VCF with INFO/CSQ added\n"
    "  genes LIST -o OUT                 the gene table: possible and observed changes per gene\n"
    "  --help, --version\n"
    "\n"
    "  --reference FILE  load a GenBank reference instead of the built-in human one\n"
    "  --format list|hsd|vcf|fasta  read the inputs as this kind instead of recognising it\n"
    "  --min-level L     keep VCF calls whose level (AF, HF or VAF) is at least L (0..1, default 0.9)\n"
    "  --include-filtered  keep VCF records whose FILTER is not PASS\n"
    "\n"
    "Exit status: 0 success, 1 a validation message of check, 2 an input that cannot be\n"
    "read or used or an output that cannot be written, 64 a usage error.\n";

namespace {

struct Shape {
    Command command;
    size_t operands;  // with inputs: the fewest, the last of them an input
    bool needs_output;
    bool inputs = false;  // the last operands are one or more inputs
};

const std::map<std::string, Shape>& shapes() {
    static const std::map<std::string, Shape> s = {
        {"check", {Command::Check, 2, false}},        {"call", {Command::Call, 1, true}},
        {"report", {Command::Report, 3, true, true}}, {"chart", {Command::Chart, 2, true, true}},
        {"network", {Command::Network, 1, true, true}}, {"convert", {Command::Convert, 1, true, true}},
        {"align", {Command::Align, 1, true, true}},     {"annotate", {Command::Annotate, 1, true}},
        {"genes", {Command::Genes, 1, true, true}}};
    return s;
}

}  // namespace

ParseResult parse_args(const std::vector<std::string>& argv) {
    ParseResult r;
    Args a;
    size_t i = 0;
    // Global options come before the command.
    while (i < argv.size() && argv[i].rfind("--", 0) == 0) {
        const std::string& w = argv[i];
        if (w == "--help") { a.command = Command::Help; r.args = a; return r; }
        if (w == "--version") { a.command = Command::Version; r.args = a; return r; }
        if (w == "--reference") {
            if (i + 1 >= argv.size()) { r.error = "--reference needs a file"; return r; }
            a.reference = argv[i + 1];
            i += 2;
            continue;
        }
        switch (parse_input_option(argv, i, a.input, r.error)) {
            case OptionParse::Taken: continue;
            case OptionParse::Error: return r;
            case OptionParse::NotAnInputOption: break;
        }
        r.error = "unknown option " + w;
        return r;
    }
    if (i >= argv.size()) { r.error = "no command given"; return r; }
    const auto it = shapes().find(argv[i]);
    if (it == shapes().end()) { r.error = "unknown command " + argv[i]; return r; }
    a.command = it->second.command;
    bool have_output = false;
    for (++i; i < argv.size(); ++i) {
        if (argv[i] == "-o") {
            if (i + 1 >= argv.size()) { r.error = "-o needs a file"; return r; }
            if (have_output) { r.error = "-o given twice"; return r; }
            a.output = argv[++i];
            have_output = true;
        } else if (argv[i] == "--index" && a.command == Command::Annotate) {
            a.index = true;
        } else {
            a.operands.push_back(argv[i]);
        }
    }
    const size_t wanted = it->second.operands;
    if (it->second.inputs ? a.operands.size() < wanted : a.operands.size() != wanted) {
        r.error = it->first + " takes " + std::string(it->second.inputs ? "at least " : "") + std::to_string(wanted) +
                  " operand" + (wanted == 1 ? "" : "s");
        return r;
    }
    if (it->second.needs_output && !have_output) { r.error = it->first + " needs -o OUT"; return r; }
    if (!it->second.needs_output && have_output) { r.error = it->first + " takes no -o"; return r; }
    r.args = a;
    return r;
}

}  // namespace corvella::cli
