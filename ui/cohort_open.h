// The reading behind "Open Polymorphism File..." and "Export To Network
// File..." for every kind of input: a VCF first asks for its minimum level
// and whether to keep filtered records, a long read shows the progress
// window, and an HSD or VCF read ends with its import summary.
#pragma once

#include <optional>
#include <string>

#include "input/cohort_loader.h"
#include "core/workspace.h"
#include "output/report.h"
#include "ui/dialogs.h"

class QWidget;

namespace corvella {

enum class CohortUse { Counting, Network };

// Files at least this large show the progress window while they are read.
constexpr int64_t LONG_READ_BYTES = int64_t{16} << 20;

// Reads the file at `path` into the workspace for `use`. `choice` is the VCF
// choice of the run: offered to the person before a VCF is read and kept
// when confirmed. Returns nothing when the person cancels the question; else
// the read, whose failure the person has been told (the workspace then is as
// it was).
std::optional<CohortRead> open_cohort_file(QWidget* parent, Dialogs& dialogs, ProgressSink& progress, Workspace& ws,
                                           const std::string& path, CohortUse use, VcfChoice& choice);

}  // namespace corvella
