#include "export/network_cohort.h"

#include <utility>

#include "export/network_reading.h"
#include "export/variable_sites.h"

namespace corvella {

CohortRead load_network_cohort(Workspace& ws, const std::vector<std::string>& paths, const CohortOptions& options) {
    CohortRead read = read_cohort(ws, paths, options,
                                  [](std::string_view text, const std::string&, SampleLists& out, const ListSplit& split) {
                                      return parse_network_list(text, out, split);
                                  });
    if (read.ok()) adopt_network_cohort(ws, read);
    return read;
}

CohortRead network_cohort_from_texts(Workspace& ws, const std::vector<std::string>& texts) {
    CohortRead read;
    for (const std::string& text : texts) {
        SampleLists part;
        if (parse_network_list(text, part) < 0) {
            read.code = COHORT_BAD_FORMAT;
            read.message = "Bad input format.";
            return read;
        }
        if (texts.size() == 1) {
            read.lists = std::move(part);
        } else {
            append_paired(read.lists, std::move(part));
        }
    }
    read.code = static_cast<int32_t>(read.lists.positions.size());
    adopt_network_cohort(ws, read);
    return read;
}

void adopt_network_cohort(Workspace& ws, CohortRead& read) {
    VariantTally tally = build_variable_tally(read.lists.positions, read.lists.bases);
    ws.sample_positions = std::move(read.lists.positions);
    ws.sample_bases = std::move(read.lists.bases);
    ws.sample_names = std::move(read.lists.names);
    ws.sample_levels = std::move(read.levels);
    ws.sample_indels.clear();  // a network reading keeps single-letter changes only
    ws.variant_tally = std::move(tally);
    read.lists = {};
}

}  // namespace corvella
