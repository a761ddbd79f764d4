#include "cli/cli_args.h"

#include <map>

namespace corvella::cli {

const char* const USAGE =
    "usage: corvella-cli [--reference FILE] [--verbose] COMMAND ...\n"
    "\n"
    "  check POSITION BASE               classify one base change, as \"Check Position\"\n"
    "  call ALIGNED -o LIST              call the polymorphisms of an aligned FASTA file\n"
    "  align RAW -o LIST                 align whole mitogenomes (FASTA, plain or gzip) to the\n"
    "                                    reference and call their polymorphisms\n"
    "  report KIND TABLE LIST -o OUT     save a report of a polymorphism list\n"
    "        KIND: protein, nonprotein, trna, rrna; TABLE: summary, positions, samples;\n"
    "        OUT ending in .xlsx is an Excel workbook, .xls an Excel 97-2003 workbook,\n"
    "        anything else a text table\n"
    "  chart KIND LIST -o OUT            save a counting window's chart as a BMP image\n"
    "  network LIST -o OUT               write the network data file (.rdf) of a list\n"
    "  annotate INPUT -o OUT [--index]   the variant table: every variant with its classifications;\n"
    "        from a VCF, OUT ending in .vcf, .vcf.gz or .bcf is the VCF with INFO/CSQ added\n"
    "  genes LIST -o OUT                 the gene table: possible and observed changes per gene\n"
    "  --help, --version\n"
    "\n"
    "  --reference FILE  load a GenBank reference instead of the built-in human one\n"
    "  --verbose         say on stderr what reference was loaded: accession, length,\n"
    "                    genetic code(s) and which protein genes run on which strand\n"
    "\n"
    "Exit status: 0 success, 1 a validation message of check, 2 an input that cannot be\n"
    "read or used or an output that cannot be written, 64 a usage error.\n";

namespace {

struct Shape {
    Command command;
    size_t operands;
    bool needs_output;
};

const std::map<std::string, Shape>& shapes() {
    static const std::map<std::string, Shape> s = {
        {"check", {Command::Check, 2, false}},  {"call", {Command::Call, 1, true}},
        {"report", {Command::Report, 3, true}}, {"chart", {Command::Chart, 2, true}},
        {"network", {Command::Network, 1, true}}, {"align", {Command::Align, 1, true}},
        {"annotate", {Command::Annotate, 1, true}}, {"genes", {Command::Genes, 1, true}}};
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
        if (w == "--verbose") {
            a.verbose = true;
            ++i;
            continue;
        }
        if (w == "--reference") {
            if (i + 1 >= argv.size()) { r.error = "--reference needs a file"; return r; }
            a.reference = argv[i + 1];
            i += 2;
            continue;
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
    if (a.operands.size() != it->second.operands) {
        r.error = it->first + " takes " + std::to_string(it->second.operands) + " operand" +
                  (it->second.operands == 1 ? "" : "s");
        return r;
    }
    if (it->second.needs_output && !have_output) { r.error = it->first + " needs -o OUT"; return r; }
    if (!it->second.needs_output && have_output) { r.error = it->first + " takes no -o"; return r; }
    r.args = a;
    return r;
}

}  // namespace corvella::cli
