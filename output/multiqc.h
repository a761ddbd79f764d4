// MultiQC custom-content files, which `multiqc FOLDER` finds by their names
// and shows as sections of its report: a bar graph of numbers per sample
// (NAME_mqc.json) and a table (NAME_mqc.tsv).
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace corvella {

struct MultiqcSection {
    std::string id;            // "corvella_variant_classes"
    std::string section_name;  // the section's heading
    std::string description;
};

// A bar graph: per sample (in order) one stacked value per category.
std::string multiqc_bargraph_json(const MultiqcSection& section, const std::vector<std::string>& categories,
                                  const std::vector<std::pair<std::string, std::vector<int64_t>>>& samples,
                                  const std::string& y_label);

// A table from a tab-separated text table (header line first; CR LF or LF
// line ends), under MultiQC's commented header.
std::string multiqc_table_tsv(const MultiqcSection& section, const std::string& table_text);

// A text as a JSON string literal, quotes included.
std::string json_string(const std::string& text);

}  // namespace corvella
