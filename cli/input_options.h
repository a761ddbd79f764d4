// The input side of corvella-cli shared by every command that reads a
// cohort: the options --format, --min-level, --include-filtered, --groups, the input
// operands (several files, @PATHS) and the one load that puts them into a
// workspace and tells the import summary.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "input/cohort_loader.h"
#include "input/input_format.h"
#include "input/input_paths.h"
#include "input/sample_groups.h"
#include "core/workspace.h"

namespace corvella::cli {

struct InputOptions {
    std::optional<InputFormat> format;  // --format list|hsd|vcf|fasta; else detected
    double min_level = 0.9;             // --min-level L, 0 <= L <= 1
    bool include_filtered = false;      // --include-filtered
    std::optional<std::string> groups;  // --groups FILE: the samples' groups
};

enum class OptionParse { NotAnInputOption, Taken, Error };

// Reads the input option at words[i], if it is one, and moves i past it (and
// its value). Error: `error` says why (a usage error).
OptionParse parse_input_option(const std::vector<std::string>& words, size_t& i, InputOptions& options,
                               std::string& error);

// What a command does with its cohort.
enum class InputUse {
    Counting,  // the counting windows' reader: sample lists, levels, tally replaced
    Network,   // the network export's reader: sample lists, variable tally replaced
    Convert,   // read only; `read` holds the sample lists and the converted list
};

// Expands, reads and (for Counting and Network) loads the inputs; prints the
// import summary of an HSD or VCF read on stderr as one line "corvella-cli:
// ...", or the message of a failure. Returns EXIT_OK or EXIT_INPUT.
int load_inputs(const InputOptions& options, const std::vector<std::string>& operands, Workspace& ws, InputUse use,
                CohortRead& read);

// The groups of the loaded cohort's samples: those of --groups, or none (one
// group "all"). A file that cannot be read is told on stderr with its line
// and reason (EXIT_INPUT); names that match no sample are one warning line.
int load_sample_groups(const InputOptions& options, const Workspace& ws, SampleGroups& groups);

// The reading options of the input options.
CohortOptions cohort_options(const InputOptions& options);

// The one-line import summary of an HSD or VCF read on stderr; nothing for lists.
void print_import_summary(const std::vector<std::string>& paths, const CohortRead& read);

}  // namespace corvella::cli
