#include "cli/cli_args.h"

#include <algorithm>
#include <cstring>
#include <map>

namespace corvella::cli {

const char* const USAGE =
    "usage: corvella-cli [--reference FILE] [--verbose] [INPUT OPTIONS] COMMAND ...\n"
    "\n"
    "  check POSITION BASE               classify one base change, as \"Check Position\"\n"
    "  call ALIGNED -o LIST              call the polymorphisms of an aligned FASTA file\n"
    "  align RAW... -o LIST              align whole mitogenomes (FASTA, plain or gzip) to the\n"
    "                                    reference and call their polymorphisms\n"
    "  report KIND TABLE LIST -o OUT     save a report of a polymorphism list\n"
    "  report KIND TABLE:OUT... LIST     save several of the kind's tables from one read\n"
    "        KIND: protein, nonprotein, trna, rrna; TABLE: summary, positions, samples;\n"
    "        OUT ending in .xlsx is an Excel workbook, .xls an Excel 97-2003 workbook,\n"
    "        anything else a text table\n"
    "  chart KIND LIST -o OUT [--size WIDTHxHEIGHT]\n"
    "                                    save a counting window's chart: OUT ending in .png,\n"
    "                                    .svg or .pdf is that format, anything else a BMP image;\n"
    "                                    --size in pixels, default the window's 640x420\n"
    "  map LIST -o OUT [--size WIDTHxHEIGHT] [--groups FILE --group NAME]\n"
    "                                    the circular genome map of the cohort's variants: OUT\n"
    "                                    ending in .svg, .png or .pdf is that format, anything\n"
    "                                    else a BMP image; default size 900x700; --group: only\n"
    "                                    the samples of that group of the groups file\n"
    "  html LIST -o OUT.html [--groups FILE] [--outgroup FILE]\n"
    "                                    one self-contained page: what was read, the genome map,\n"
    "                                    the charts, the gene table, the population statistics\n"
    "                                    and the variant table\n"
    "  network LIST -o OUT               write the network data file (.rdf) of a list\n"
    "  convert INPUT... -o LIST          write the polymorphism list of VCF, HSD or FASTA files\n"
    "        LIST in report, chart and network may be several files of one kind: polymorphism\n"
    "        lists, HSD, VCF/BCF or unaligned FASTA; @PATHS stands for the paths listed in\n"
    "        the file PATHS\n"
    "  annotate INPUT -o OUT [--index]   the variant table: every variant with its classifications;\n"
    "        from a VCF, OUT ending in .vcf, .vcf.gz or .bcf is the VCF with INFO/CSQ added\n"
    "  genes LIST -o OUT                 the gene table: possible and observed changes per gene\n"
    "  stats INPUT... -o OUT [--groups FILE] [--outgroup FILE]\n"
    "                                    population statistics per gene and group: diversity,\n"
    "                                    piN/piS, Tajima's D; with --outgroup (one mitogenome,\n"
    "                                    FASTA or GenBank) the McDonald-Kreitman test\n"
    "  all LIST -o FOLDER [--forms txt,xlsx,xls] [--charts bmp,png,svg,pdf] [--html]\n"
    "                                    read once, write every report, table, chart, the\n"
    "                                    network file and the MultiQC sections into FOLDER\n"
    "                                    (default forms txt, charts bmp); --html: report.html too\n"
    "  --help, --version\n"
    "\n"
    "  --reference FILE  load a GenBank reference instead of the built-in human one\n"
    "  --format list|hsd|vcf|fasta  read the inputs as this kind instead of recognising it\n"
    "  --min-level L     keep VCF calls whose level (AF, HF, VAF or HP) is at least L (0..1, default 0.9)\n"
    "  --include-filtered  keep VCF records whose FILTER is not PASS\n"
    "  --groups FILE     the samples' groups: lines of sample name and group, separated by\n"
    "                    tabs or commas (stats and the variant and gene tables of annotate,\n"
    "                    genes and all write a row per group and for all samples)\n"
    "  --verbose         say on stderr what reference was loaded: accession, length,\n"
    "                    genetic code(s) and which protein genes run on which strand\n"
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
        {"genes", {Command::Genes, 1, true, true}},     {"all", {Command::All, 1, true, true}},
        {"stats", {Command::Stats, 1, true, true}},
        {"map", {Command::Map, 1, true, true}},         {"html", {Command::Html, 1, true, true}}};
    return s;
}

// A comma-separated list of types, each one of `allowed`; "none" is no type.
bool parse_types(const std::string& word, const std::vector<std::string>& allowed, std::vector<std::string>& out) {
    out.clear();
    if (word == "none") return true;
    size_t start = 0;
    while (start <= word.size()) {
        const size_t comma = std::min(word.find(',', start), word.size());
        const std::string type = word.substr(start, comma - start);
        if (std::find(allowed.begin(), allowed.end(), type) == allowed.end()) return false;
        if (std::find(out.begin(), out.end(), type) == out.end()) out.push_back(type);
        start = comma + 1;
    }
    return !out.empty();
}

// "800x600": two whole numbers from 1 to 10000 around an "x".
std::optional<std::pair<int, int>> parse_size(const std::string& text) {
    const std::string::size_type x = text.find('x');
    if (x == std::string::npos) return std::nullopt;
    int values[2];
    const std::string parts[2] = {text.substr(0, x), text.substr(x + 1)};
    for (int k = 0; k < 2; ++k) {
        const std::string& p = parts[k];
        if (p.empty() || p.size() > 5 || p.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
        values[k] = std::stoi(p);
        if (values[k] < 1 || values[k] > 10000) return std::nullopt;
    }
    return std::make_pair(values[0], values[1]);
}

}  // namespace

bool is_table_pair(const std::string& word) {
    for (const char* table : {"summary:", "positions:", "samples:"}) {
        const size_t n = std::strlen(table);
        if (word.size() > n && word.compare(0, n, table) == 0) return true;
    }
    return false;
}

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
        if (argv[i] == "--size" && (a.command == Command::Chart || a.command == Command::Map)) {
            if (i + 1 >= argv.size()) { r.error = "--size needs WIDTHxHEIGHT"; return r; }
            a.size = parse_size(argv[++i]);
            if (!a.size) { r.error = "--size takes WIDTHxHEIGHT, each from 1 to 10000: " + argv[i]; return r; }
        } else if (argv[i] == "-o") {
            if (i + 1 >= argv.size()) { r.error = "-o needs a file"; return r; }
            if (have_output) { r.error = "-o given twice"; return r; }
            a.output = argv[++i];
            have_output = true;
        } else if ((argv[i] == "--outgroup" && (a.command == Command::Stats || a.command == Command::Html)) ||
                   (argv[i] == "--groups" &&
                    (a.command == Command::Stats || a.command == Command::Html || a.command == Command::Map))) {
            if (i + 1 >= argv.size()) { r.error = argv[i] + " needs a file"; return r; }
            (argv[i] == "--outgroup" ? a.outgroup : a.input.groups) = argv[i + 1];
            ++i;
        } else if (argv[i] == "--group" && a.command == Command::Map) {
            if (i + 1 >= argv.size()) { r.error = "--group needs a group name"; return r; }
            a.group = argv[++i];
        } else if (argv[i] == "--html" && a.command == Command::All) {
            a.html = true;
        } else if (argv[i] == "--index" && a.command == Command::Annotate) {
            a.index = true;
        } else if ((argv[i] == "--forms" || argv[i] == "--charts") && a.command == Command::All) {
            const bool forms = argv[i] == "--forms";
            if (i + 1 >= argv.size()) { r.error = argv[i] + " needs a list of types"; return r; }
            const std::vector<std::string> allowed =
                forms ? std::vector<std::string>{"txt", "xlsx", "xls"}
                      : std::vector<std::string>{"bmp", "png", "svg", "pdf"};
            if (!parse_types(argv[i + 1], allowed, forms ? a.forms : a.charts) || (forms && a.forms.empty())) {
                r.error = argv[i] + " takes " + (forms ? "txt, xlsx, xls" : "bmp, png, svg, pdf or none") +
                          ", separated by commas";
                return r;
            }
            ++i;
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
    // `report KIND TABLE:OUT... INPUT...` names its outputs in the pairs.
    const bool pairs = a.command == Command::Report && a.operands.size() >= 3 && is_table_pair(a.operands[1]);
    if (pairs && have_output) { r.error = "report takes TABLE:OUT pairs or -o OUT, not both"; return r; }
    if (it->second.needs_output && !have_output && !pairs) { r.error = it->first + " needs -o OUT"; return r; }
    if (!it->second.needs_output && have_output) { r.error = it->first + " takes no -o"; return r; }
    if (a.group && !a.input.groups) { r.error = "--group needs --groups FILE"; return r; }
    r.args = a;
    return r;
}

}  // namespace corvella::cli
