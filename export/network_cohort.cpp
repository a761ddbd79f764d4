#include "export/network_cohort.h"

#include <utility>

#include "export/network_reading.h"
#include "export/variable_sites.h"

namespace corvella {

CohortRead load_network_cohort(Workspace& ws, const std::vector<std::string>& paths, const CohortOptions& options) {
    CohortRead read = read_cohort(ws, paths, options, [](std::string_view text, const std::string&, SampleLists& out) {
        return parse_network_list(text, out);
    });
    if (!read.ok()) return read;
    VariantTally tally = build_variable_tally(read.lists.positions, read.lists.bases);
    ws.sample_positions = std::move(read.lists.positions);
    ws.sample_bases = std::move(read.lists.bases);
    ws.sample_names = std::move(read.lists.names);
    ws.sample_levels = std::move(read.levels);
    ws.variant_tally = std::move(tally);
    read.lists = {};
    return read;
}

}  // namespace corvella
