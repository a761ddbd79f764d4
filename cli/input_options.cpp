#include "cli/input_options.h"

#include <cstdlib>
#include <iostream>

#include "cli/cli_args.h"
#include "input/min_level.h"
#include "export/network_cohort.h"

namespace corvella::cli {

OptionParse parse_input_option(const std::vector<std::string>& words, size_t& i, InputOptions& options,
                               std::string& error) {
    const std::string& w = words[i];
    if (w == "--include-filtered") {
        options.include_filtered = true;
        ++i;
        return OptionParse::Taken;
    }
    if (w != "--format" && w != "--min-level" && w != "--groups") return OptionParse::NotAnInputOption;
    if (i + 1 >= words.size()) {
        error = w + (w == "--format"      ? " needs list, hsd, vcf or fasta"
                     : w == "--groups" ? " needs a file"
                                       : " needs a level from 0 to 1");
        return OptionParse::Error;
    }
    const std::string& value = words[i + 1];
    if (w == "--groups") {
        options.groups = value;
    } else if (w == "--format") {
        options.format = parse_input_format(value);
        if (!options.format) {
            error = "--format takes list, hsd, vcf or fasta, not " + value;
            return OptionParse::Error;
        }
    } else if (const std::optional<double> level = read_min_level(value)) {
        options.min_level = *level;
    } else {
        error = "--min-level takes a number from 0 to 1, not " + value;
        return OptionParse::Error;
    }
    i += 2;
    return OptionParse::Taken;
}

int load_inputs(const InputOptions& options, const std::vector<std::string>& operands, Workspace& ws, InputUse use,
                CohortRead& read) {
    std::vector<std::string> paths;
    std::string error;
    if (!expand_input_operands(operands, paths, error)) {
        std::cerr << "corvella-cli: " << error << "\n";
        return EXIT_INPUT;
    }
    const CohortOptions cohort = cohort_options(options);
    switch (use) {
        case InputUse::Counting: read = load_cohort(ws, paths, cohort); break;
        case InputUse::Network: read = load_network_cohort(ws, paths, cohort); break;
        case InputUse::Convert: read = read_cohort(ws, paths, cohort); break;
    }
    if (!read.ok()) {
        std::cerr << "corvella-cli: " << read.message << "\n";
        return EXIT_INPUT;
    }
    print_import_summary(paths, read);
    return EXIT_OK;
}

int load_sample_groups(const InputOptions& options, const Workspace& ws, SampleGroups& groups) {
    groups = SampleGroups{};
    if (!options.groups) return EXIT_OK;
    const GroupFileRead read = read_group_file(*options.groups);
    if (!read.ok) {
        std::cerr << "corvella-cli: " << *options.groups << ": " << read.message << "\n";
        return EXIT_INPUT;
    }
    groups = assign_sample_groups(ws, read);
    const std::string warning = unknown_names_warning(groups, *options.groups);
    if (!warning.empty()) std::cerr << "corvella-cli: warning: " << warning << ".\n";
    return EXIT_OK;
}

CohortOptions cohort_options(const InputOptions& options) {
    CohortOptions cohort;
    cohort.format = options.format;
    cohort.reading.min_level = options.min_level;
    cohort.reading.include_filtered = options.include_filtered;
    return cohort;
}

void print_import_summary(const std::vector<std::string>& paths, const CohortRead& read) {
    if (read.has_summary()) {
        const std::string& only = paths.front();
        const std::string name = paths.size() == 1 ? only.substr(only.find_last_of('/') + 1) + ": " : "";
        std::cerr << "corvella-cli: " << name << import_summary_text(read.summary) << "\n";
    }
    std::cerr << read.alignment_summary;
}

}  // namespace corvella::cli
