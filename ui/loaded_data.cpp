#include "ui/loaded_data.h"

namespace corvella {

namespace {

std::string counted(std::size_t n, const std::string& word, const std::string& word_for_one) {
    return std::to_string(n) + " " + (n == 1 ? word_for_one : word);
}

}  // namespace

std::string reference_line(LoadedReference kind, const std::string& accession, const std::string& file_name) {
    switch (kind) {
    case LoadedReference::None:
        return "Reference: none";
    case LoadedReference::BuiltIn:
        return "Reference: built-in human reference (" + accession + ")";
    case LoadedReference::GenBank:
        break;
    }
    if (accession.empty()) return "Reference: " + file_name;
    return "Reference: " + accession + (file_name.empty() ? "" : " (" + file_name + ")");
}

std::string list_line(const std::string& file_name, int32_t samples, std::size_t variants,
                      const std::string& variants_word) {
    if (file_name.empty()) return "Polymorphism list: none";
    std::string one = variants_word;
    // "distinct variants" -> "distinct variant"
    if (!one.empty() && one.back() == 's') one.pop_back();
    return "Polymorphism list: " + file_name + " - " +
           counted(static_cast<std::size_t>(samples < 0 ? 0 : samples), "samples", "sample") + ", " +
           counted(variants, variants_word, one);
}

}  // namespace corvella
