// The converted list the VCF and HSD readers write for a cohort whose
// samples carry these token lines, against the built-in human reference.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace corvella_test {

inline std::string list_of(const std::vector<std::pair<std::string, std::string>>& samples) {
    std::string text = ">rCRS\nNumbering Reference\n\n";
    for (const auto& [name, tokens] : samples) text += ">" + name + "\n" + tokens + "\n\n";
    return text;
}

}  // namespace corvella_test
