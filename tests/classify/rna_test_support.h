// Shared fixtures of the tRNA and rRNA tests: the built-in reference with a
// few samples. Golden files and recorded progress come from the protein
// tests' fixture.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/human_reference.h"
#include "core/workspace.h"
#include "output/report.h"
#include "protein_fixture.h"

namespace corvella::testing {

struct SampleSpec {
    std::string name;  // the whole name line, ">" included
    std::vector<std::pair<int32_t, char>> variants;
};

// The built-in reference, the samples as sample lists (names in file order,
// optionally after the reference's own name line) and the tally built from them.
inline Workspace rna_workspace(const std::vector<SampleSpec>& samples,
                                 bool with_reference_name = true) {
    Workspace ws;
    use_human_ref_data(ws);
    ws.human_reference = true;
    if (with_reference_name) ws.sample_names.push_back(">Reference");
    for (const SampleSpec& s : samples) {
        ws.sample_names.push_back(s.name);
        std::vector<int32_t> positions;
        std::string bases;
        for (const auto& [p, b] : s.variants) {
            positions.push_back(p);
            bases.push_back(b);
            ++ws.variant_tally[VariantKey{p, b}];
        }
        ws.sample_positions.push_back(positions);
        ws.sample_bases.push_back(bases);
    }
    return ws;
}

// The built-in reference with a tally and no samples.
inline Workspace human_tally(const std::vector<std::pair<VariantKey, int32_t>>& entries) {
    Workspace ws;
    use_human_ref_data(ws);
    for (const auto& [key, count] : entries) ws.variant_tally[key] = count;
    return ws;
}

// Four samples over tRNA and rRNA positions, shared positions, transitions
// and transversions, a position in neither, and one sample without variants.
inline Workspace golden_workspace() {
    return rna_workspace({
        {">S1", {{3243, 'G'}, {4330, 'A'}, {1438, 'G'}, {8000, 'A'}}},
        {">S2", {{3243, 'G'}, {5826, 'C'}, {651, 'C'}, {1722, 'G'}, {1438, 'G'}, {4329, 'T'}}},
        {">S3", {{14674, 'C'}, {3010, 'A'}, {1650, 'C'}, {1555, 'G'}, {648, 'G'},
                 {1601, 'T'}, {3243, 'C'}, {3277, 'A'}}},
        {">S4", {}},
    });
}

// The text of the workbook cell at (row, column), or "<none>" when absent.
inline std::string cell_at(const std::vector<Cell>& cells, int32_t row, int32_t column) {
    for (const Cell& c : cells)
        if (c.row == row && c.column == column) return c.text;
    return "<none>";
}

}  // namespace corvella::testing
