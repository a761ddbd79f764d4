// The network export's way into a cohort: the same files as the counting
// windows take (lists, HSD, VCF), read with the network reader. HSD and VCF
// are converted to a list first, so a transition there is its bare position
// and keeps "Z", exactly as if the converted list had been exported.
#pragma once

#include <string>
#include <vector>

#include "core/cohort_loader.h"

namespace corvella {

// Reads the cohort with the network reader and, only on success, replaces
// the sample lists and levels, and the tally by the variable variants.
CohortRead load_network_cohort(Workspace& ws, const std::vector<std::string>& paths, const CohortOptions& options);

}  // namespace corvella
