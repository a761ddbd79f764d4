// Command-line parsing of corvella-cli. Parsing only: no file is touched.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cli/input_options.h"

namespace corvella::cli {

// Exit statuses of corvella-cli.
constexpr int EXIT_OK = 0;
constexpr int EXIT_VALIDATION = 1;  // a validation message of `check`
constexpr int EXIT_INPUT = 2;       // an input that cannot be read or used, a file that cannot be written
constexpr int EXIT_USAGE = 64;      // the words of the call are off

enum class Command { Help, Version, Check, Call, Report, Chart, Network, Convert, Align, Annotate, Genes, All, Map, Html, Stats };

struct Args {
    Command command = Command::Help;
    std::optional<std::string> reference;  // --reference FILE; else the built-in human reference
    InputOptions input;                    // --format, --min-level, --include-filtered
    std::vector<std::string> operands;     // the command's own words, in order
    std::string output;                    // -o OUT
    bool verbose = false;                  // --verbose: say on stderr what reference was loaded
    std::optional<std::pair<int, int>> size;  // chart and map --size WIDTHxHEIGHT, in pixels
    bool index = false;                    // --index: also write the index of a .vcf.gz or .bcf OUT
    // `all`: --forms (report file types) and --charts (image types).
    std::vector<std::string> forms{"txt"};
    std::vector<std::string> charts{"bmp"};
    std::optional<std::string> outgroup;   // stats and html --outgroup FILE
    std::optional<std::string> group;      // map --group NAME: only that group's samples
    bool html = false;  // all --html: also report.html
};

struct ParseResult {
    std::optional<Args> args;
    std::string error;  // why the call is off, when args is empty
};

ParseResult parse_args(const std::vector<std::string>& argv);

// `report KIND TABLE:OUT... INPUT...`: whether a word is one TABLE:OUT pair.
bool is_table_pair(const std::string& word);

extern const char* const USAGE;

}  // namespace corvella::cli
