// The six-key tally on the human reference that the protein tests share, and
// small helpers to read golden files and recorded progress.
#pragma once

#include <cstdint>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "core/human_reference.h"
#include "core/workspace.h"
#include "output/report.h"

namespace corvella::testing {

inline Workspace human_workspace() {
    Workspace ws;
    use_human_ref_data(ws);
    return ws;
}

// 8527 G, 8530 G, 9207 T, 10760 T, 14149 T, 14766 T with counts 1, 1, 2, 1, 1, 5.
inline Workspace six_key_workspace() {
    Workspace ws = human_workspace();
    ws.variant_tally = {{{8527, 'G'}, 1}, {{8530, 'G'}, 1}, {{9207, 'T'}, 2},
                        {{10760, 'T'}, 1}, {{14149, 'T'}, 1}, {{14766, 'T'}, 5}};
    return ws;
}

inline std::string read_golden(const std::string& name) {
    std::ifstream in(std::string(CORVELLA_TEST_DATA) + "/" + name, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

using CellMap = std::map<std::pair<int32_t, int32_t>, std::string>;

// Cells by (row, column); a cell written twice fails the caller's check
// through the size comparison.
inline CellMap cell_map(const std::vector<Cell>& cells) {
    CellMap map;
    for (const Cell& c : cells) map[{c.row, c.column}] = c.text;
    return map;
}

// The tab-separated lines of a text table as cells, starting at first_row.
inline void add_text_rows(CellMap& map, const std::string& text, int32_t first_row) {
    std::istringstream lines(text);
    std::string line;
    int32_t row = first_row;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string field;
        int32_t column = 1;
        while (std::getline(fields, field, '\t')) map[{row, column++}] = field;
        ++row;
    }
}

// The lines of a text table, each split at its TABs.
inline std::vector<std::vector<std::string>> split_table(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> fields;
        size_t start = 0;
        for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
            fields.push_back(line.substr(start, tab - start));
        fields.push_back(line.substr(start));
        rows.push_back(fields);
    }
    return rows;
}

class RecordingProgress : public ProgressSink {
public:
    void start(int32_t maximum) override { events.push_back("start " + std::to_string(maximum)); }
    void step(int percent) override { events.push_back(std::to_string(percent)); }
    void finish() override { events.push_back("finish"); }
    std::vector<std::string> events;
};

}  // namespace corvella::testing
