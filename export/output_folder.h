// Every table of one cohort and its network file written into one folder
// from one read, as `all` writes them. The command line adds its chart
// images and its progress line; the Python module writes the same files.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/workspace.h"
#include "input/sample_groups.h"
#include "input/cohort_loader.h"
#include "output/write_result.h"

namespace corvella {

struct FolderFile {
    std::string name;  // the file's name inside the folder
    std::function<WriteResult(const std::string& path)> write;
};

// Reads the cohort for the counting tables as read_cohort does, and keeps
// the texts its reader parses (each list file, or the converted list of HSD
// and VCF input) in `texts`, for the network reader to read again; none
// when the cohort has more entries than a network file may hold.
CohortRead read_cohort_keeping_texts(const Workspace& ws, const std::vector<std::string>& paths,
                                     const CohortOptions& options, std::vector<std::string>& texts);

// Creates the folder when it is missing; an existing folder is fine. The
// message when it cannot be made, else empty.
std::string make_folder(const std::string& folder);

// "KIND-TABLE.FORM" of every counting kind (the structure kinds only on the
// built-in human reference), then "variants.FORM" and "genes.FORM", for each
// FORM of `forms` ("txt", "xls", "xlsx"), then the two MultiQC sections. The
// jobs hold `ws` by reference.
std::vector<FolderFile> table_files(const Workspace& ws, const std::vector<std::string>& forms);
// The same with the variant and gene tables per group of `groups` (which
// must outlive the jobs).
std::vector<FolderFile> table_files(const Workspace& ws, const SampleGroups& groups,
                                    const std::vector<std::string>& forms);

// corvella_mqc.json: each sample's synonymous, non-synonymous, tRNA, rRNA and
// D-loop variants as a MultiQC bar graph.
WriteResult write_multiqc_classes(const Workspace& ws, const std::string& path);
// corvella_genes_mqc.tsv: the gene table as a MultiQC table.
WriteResult write_multiqc_genes(const Workspace& ws, const std::string& path);

// Reads `texts` with the network reader into `network` when the cohort of
// `samples` entries stays within the network format's limits. The reason
// network.rdf is left out (the network command's message), else empty.
std::string read_folder_network(Workspace& network, int32_t samples, const std::vector<std::string>& texts);

// "network.rdf" of a network cohort; the job holds `network` by reference.
FolderFile network_folder_file(const Workspace& network);

// Runs the jobs on every core, each file written whole (through the atomic
// writers) or not at all. After a failure no further job starts; the first
// failing job in list order is the one reported. `starting` (may be empty)
// is called with each file's name as its writing starts, from any thread.
WriteResult write_folder_files(const std::vector<FolderFile>& files, const std::string& folder,
                               const std::function<void(const std::string& name)>& starting);

// What the folder leaves out and why, one note a line: the structure kinds
// on another reference, network.rdf beyond the network limits (`network_note`
// from read_folder_network).
std::vector<std::string> folder_notes(const Workspace& ws, const std::string& network_note);

}  // namespace corvella
