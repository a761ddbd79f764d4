// One way in for every front end: a cohort of one or many input files of one
// kind (polymorphism lists, HSD, VCF/BCF, unaligned FASTA) read into the workspace. Reading
// is done into fresh values; the workspace changes only when every file read.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "input/converted_list.h"
#include "input/input_format.h"
#include "input/list_tokens.h"
#include "input/vcf_reader.h"
#include "core/workspace.h"

namespace corvella {

// Codes of a cohort read besides the entry count (0 or more).
constexpr int32_t COHORT_CANNOT_OPEN = -1;  // "File cannot be opened."
constexpr int32_t COHORT_BAD_FORMAT = -2;   // "Bad input format."
constexpr int32_t COHORT_REFUSED = -3;      // a VCF refused, mixed kinds: the message says why

struct CohortOptions {
    std::optional<InputFormat> format;  // forced for every file; else detected file by file
    VariantReadOptions reading;
    // Called now and then with the bytes read so far of all files together.
    std::function<void(int64_t done, int64_t total)> progress;
};

struct CohortRead {
    int32_t code = 0;     // entries read, or one of the COHORT_ codes
    std::string message;  // the message for a negative code
    InputFormat format = InputFormat::List;
    ImportSummary summary;       // meaningful for HSD and VCF input
    std::string converted_text;  // HSD, VCF and FASTA: the converted list; lists: empty
    std::string alignment_summary;  // FASTA: the summary of the alignment, one paragraph per record
    SampleLists lists;
    std::vector<float> levels;   // VCF: one per item of `lists`; empty for lists and HSD (level 1)
    bool ok() const { return code >= 0; }
    bool has_summary() const { return format == InputFormat::Hsd || format == InputFormat::Vcf; }
};

// Turns a list text into sample lists against the reference letters; returns
// the entry count or -2 (more variant lines than name lines). The counting
// windows' reader is the default; the network export passes its own reader,
// whose bare positions keep "Z". `split` says how the text is read on
// several cores and which parsed pieces are given back (ListSplit).
using ListParser = std::function<int32_t(std::string_view text, const std::string& reference, SampleLists& out,
                                         const ListSplit& split)>;
int32_t parse_counting_list(std::string_view text, const std::string& reference, SampleLists& out,
                            const ListSplit& split = ListSplit{});

// Reads the files in order into one cohort, samples file after file. The
// reference is the workspace's; a workspace without one (the network export
// needs none) reads HSD and VCF against the built-in human reference.
CohortRead read_cohort(const Workspace& ws, const std::vector<std::string>& paths, const CohortOptions& options,
                       const ListParser& parser = parse_counting_list);

// Reads the cohort and, only on success, replaces the sample lists, the
// levels and the variant tally, as "Open Polymorphism File..." does.
CohortRead load_cohort(Workspace& ws, const std::vector<std::string>& paths, const CohortOptions& options);

// The second half of load_cohort: a successful read's sample lists and
// levels move into the workspace and the tally is rebuilt from them.
void adopt_cohort(Workspace& ws, CohortRead& read);

// Appends a list's entries to `into`, each with the name that the pairing
// rule gives it within its own file, so that files with and without a
// reference name line pair correctly side by side.
void append_paired(SampleLists& into, SampleLists&& part);

// The converted list of the cohort (what `convert` writes). For list input it
// is written back from the sample lists read: their readable variants only.
std::string cohort_list_text(const Workspace& ws, const CohortRead& read);

}  // namespace corvella
