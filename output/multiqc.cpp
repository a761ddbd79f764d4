#include "output/multiqc.h"

#include <cstdio>
#include <sstream>

namespace corvella {

std::string json_string(const std::string& text) {
    std::string out = "\"";
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        switch (ch) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (c < 0x20) {
                    char escape[8];
                    std::snprintf(escape, sizeof escape, "\\u%04x", c);
                    out += escape;
                } else {
                    out += ch;
                }
        }
    }
    return out + "\"";
}

std::string multiqc_bargraph_json(const MultiqcSection& section, const std::vector<std::string>& categories,
                                  const std::vector<std::pair<std::string, std::vector<int64_t>>>& samples,
                                  const std::string& y_label) {
    std::ostringstream s;
    s << "{\n  \"id\": " << json_string(section.id) << ",\n  \"section_name\": " << json_string(section.section_name)
      << ",\n  \"description\": " << json_string(section.description) << ",\n  \"plot_type\": \"bargraph\",\n"
      << "  \"pconfig\": {\n    \"id\": " << json_string(section.id + "_plot") << ",\n    \"title\": "
      << json_string(section.section_name) << ",\n    \"ylab\": " << json_string(y_label) << "\n  },\n"
      << "  \"categories\": [";
    for (size_t c = 0; c < categories.size(); ++c) s << (c ? ", " : "") << json_string(categories[c]);
    s << "],\n  \"data\": {";
    for (size_t i = 0; i < samples.size(); ++i) {
        s << (i ? "," : "") << "\n    " << json_string(samples[i].first) << ": {";
        for (size_t c = 0; c < categories.size(); ++c)
            s << (c ? ", " : "") << json_string(categories[c]) << ": "
              << (c < samples[i].second.size() ? samples[i].second[c] : 0);
        s << "}";
    }
    s << "\n  }\n}\n";
    return s.str();
}

std::string multiqc_table_tsv(const MultiqcSection& section, const std::string& table_text) {
    std::ostringstream s;
    // MultiQC reads the commented lines as YAML: the texts are quoted.
    auto yaml = [](const std::string& text) {
        std::string out = "'";
        for (const char c : text) out += c == '\'' ? std::string("''") : std::string(1, c);
        return out + "'";
    };
    s << "# id: " << yaml(section.id) << "\n# section_name: " << yaml(section.section_name)
      << "\n# description: " << yaml(section.description) << "\n# plot_type: 'table'\n# pconfig:\n#     id: "
      << yaml(section.id + "_table") << "\n#     title: " << yaml(section.section_name) << "\n";
    for (size_t start = 0; start < table_text.size();) {
        size_t end = table_text.find('\n', start);
        if (end == std::string::npos) end = table_text.size();
        std::string line = table_text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) s << line << "\n";
        start = end + 1;
    }
    return s.str();
}

}  // namespace corvella
