#include "core/reference_summary.h"

#include <vector>

namespace corvella {

namespace {

std::string gene_list(const Workspace& ws, bool (*wanted)(const ProteinGeneReading&, int), int arg) {
    std::string list;
    for (size_t k = 0; k < PROTEIN_GENE_COUNT; ++k) {
        if (!wanted(ws.protein_reading[k], arg)) continue;
        if (!list.empty()) list += ' ';
        list += PROTEIN_GENE_NAMES[k];
    }
    return list.empty() ? "none" : list;
}

std::string code_name(int id) {
    const GeneticCodeTable* t = find_genetic_code(id);
    return std::to_string(id) + " (" + (t ? t->name : "unknown") + ")";
}

}  // namespace

std::string genetic_code_summary(const Workspace& ws) {
    std::vector<int> codes;  // in order of first use along the gene table
    for (const ProteinGeneReading& r : ws.protein_reading) {
        bool seen = false;
        for (int c : codes) seen = seen || c == r.genetic_code;
        if (!seen) codes.push_back(r.genetic_code);
    }
    auto uses_code = [](const ProteinGeneReading& r, int code) { return r.genetic_code == code; };
    if (codes.size() == 1) return "genetic code " + code_name(codes[0]);
    std::string text = "genetic codes ";
    for (size_t i = 0; i < codes.size(); ++i)
        text += (i ? ", " : "") + code_name(codes[i]) + " for " + gene_list(ws, uses_code, codes[i]);
    return text;
}

std::string reference_summary(const Workspace& ws) {
    std::string text = (ws.reference_accession.empty() ? std::string("(no accession)") : ws.reference_accession) +
                       ", " + std::to_string(ws.reference_length()) + " bases; " + genetic_code_summary(ws);
    auto on_strand = [](const ProteinGeneReading& r, int reverse) { return r.reverse == (reverse != 0); };
    text += "; forward strand: " + gene_list(ws, on_strand, 0) + "; reverse strand: " + gene_list(ws, on_strand, 1);
    return text;
}

}  // namespace corvella
