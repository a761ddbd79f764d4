// The network export's way into a cohort: the same files as the counting
// windows take (lists, HSD, VCF), read with the network reader. HSD and VCF
// are converted to a list first, so a transition there is its bare position
// and keeps "Z", exactly as if the converted list had been exported.
#pragma once

#include <string>
#include <vector>

#include "input/cohort_loader.h"

namespace corvella {

// Reads the cohort with the network reader and, only on success, replaces
// the sample lists and levels, and the tally by the variable variants.
CohortRead load_network_cohort(Workspace& ws, const std::vector<std::string>& paths, const CohortOptions& options);

// The same reading of list texts already in memory, one per input file in
// order (the converted list of HSD or VCF input is one text), so that one
// read of the inputs can feed both the counting and the network readers.
CohortRead network_cohort_from_texts(Workspace& ws, const std::vector<std::string>& texts);

// The second half of load_network_cohort: the read's lists move into the
// workspace and the tally becomes the variable variants' tally.
void adopt_network_cohort(Workspace& ws, CohortRead& read);

}  // namespace corvella
