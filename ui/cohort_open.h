// The reading behind "Open Polymorphism File..." and "Export To Network
// File..." for every kind of input: a VCF first asks for its minimum level
// and whether to keep filtered records, a long read shows the progress
// window, and an HSD or VCF read ends with its import summary.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "input/cohort_loader.h"
#include "core/workspace.h"
#include "output/report.h"
#include "ui/dialogs.h"
#include "ui/message_help.h"

class QWidget;

namespace corvella {

enum class CohortUse { Counting, Network };

// Files at least this large show the progress window while they are read.
constexpr int64_t LONG_READ_BYTES = int64_t{16} << 20;

// Reads the files at `paths` (one or several of one kind, as one cohort)
// into the workspace for `use`; a single file that lists other files, one
// path per line, stands for them (listed_paths). `choice` is the VCF choice
// of the run: offered to the person once before VCFs are read and kept when
// confirmed. Returns nothing when the person cancels the question; else the
// read, whose failure the person has been told (the workspace then is as it
// was). `paths` becomes the files read.
std::optional<CohortRead> open_cohort_files(QWidget* parent, Dialogs& dialogs, ProgressSink& progress, Workspace& ws,
                                            std::vector<std::string>& paths, CohortUse use, VcfChoice& choice);

// How a cohort is named where one file would be: "a.vcf", or "a.vcf and 2
// more files".
std::string cohort_name(const std::vector<std::string>& paths);

// The error box of a reading that failed: the reader's message, with the
// file, the line and what to do beneath it (explain_read_failure).
void show_read_failure(QWidget* parent, Dialogs& dialogs, const std::string& message, const std::string& path,
                       OpenedAs kind);

}  // namespace corvella
