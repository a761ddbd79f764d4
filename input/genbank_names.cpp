#include "input/genbank_names.h"

#include <array>
#include <cctype>

#include "core/workspace.h"

namespace corvella {

namespace {

char upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

bool same_ignoring_case(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (upper(a[i]) != upper(b[i])) return false;
    return true;
}

bool contains_ignoring_case(std::string_view text, std::string_view part) {
    if (part.size() > text.size()) return false;
    for (size_t i = 0; i + part.size() <= text.size(); ++i)
        if (same_ignoring_case(text.substr(i, part.size()), part)) return true;
    return false;
}

struct ProteinSynonyms {
    int row;
    std::array<const char*, 6> names;  // nullptr ends the list early
};

// Rows in region-table order; the first name is the name table's own.
const ProteinSynonyms PROTEIN_SYNONYMS[] = {
    {0, {"ATP6", "ATPase 6", "ATPase6", nullptr}},
    {1, {"ATP8", "ATPase 8", "ATPase8", nullptr}},
    {2, {"COX1", "COI", "CO1", "COXI", nullptr}},
    {3, {"COX2", "COII", "CO2", "COXII", nullptr}},
    {4, {"COX3", "COIII", "CO3", "COXIII", nullptr}},
    {5, {"CYTB", "cob", "Cyt b", nullptr}},
    {6, {"ND1", "NADH1", "NAD1", nullptr}},
    {7, {"ND2", "NADH2", "NAD2", nullptr}},
    {8, {"ND3", "NADH3", "NAD3", nullptr}},
    {9, {"ND4L", "NADH4L", "NAD4L", nullptr}},
    {10, {"ND4", "NADH4", "NAD4", nullptr}},
    {11, {"ND5", "NADH5", "NAD5", nullptr}},
    {12, {"ND6", "NADH6", "NAD6", nullptr}},
};

// Three-letter and one-letter codes of the tRNAs in RNA-table order (rows
// 0..21); leucine and serine come twice.
constexpr const char* TRNA_THREE = "PheValLeuIleGlnMetTrpAlaAsnCysTyrSerAspLysGlyArgHisSerLeuGluThrPro";
constexpr const char* TRNA_ONE = "FVLIQMWANCYSDKGRHSLETP";

constexpr int LEU_UUR_ROW = 2, LEU_CUN_ROW = 18, SER_UCN_ROW = 11, SER_AGY_ROW = 17;

// The amino acid a tRNA product names, as its one-letter code; 0 when none.
// Also gives the 1 or 2 of L1/L2/S1/S2 through `number`.
char trna_amino_acid(std::string_view product, int& number) {
    number = 0;
    if (product.size() == 8 && same_ignoring_case(product.substr(0, 5), "tRNA-")) {
        for (int k = 0; k < TRNA_COUNT; ++k)
            if (same_ignoring_case(product.substr(5), std::string_view(TRNA_THREE + 3 * k, 3))) return TRNA_ONE[k];
        return 0;
    }
    if (product.size() == 2 && (product[1] == '1' || product[1] == '2') &&
        (upper(product[0]) == 'L' || upper(product[0]) == 'S')) {
        number = product[1] - '0';
        return upper(product[0]);
    }
    if (product.size() == 1)
        for (int k = 0; k < TRNA_COUNT; ++k)
            if (upper(product[0]) == TRNA_ONE[k]) return TRNA_ONE[k];
    return 0;
}

// RNA letters, upper case, T read as U.
std::string rna_letters(std::string_view text) {
    std::string out;
    for (char c : text) out.push_back(upper(c) == 'T' ? 'U' : upper(c));
    return out;
}

}  // namespace

int protein_gene_row(std::string_view gene) {
    for (const ProteinSynonyms& s : PROTEIN_SYNONYMS)
        for (const char* name : s.names) {
            if (name == nullptr) break;
            if (same_ignoring_case(gene, name)) return s.row;
        }
    return -1;
}

std::vector<int> trna_rows(std::string_view product, std::string_view codon) {
    int number = 0;
    const char aa = trna_amino_acid(product, number);
    if (aa == 0) return {};
    if (aa != 'L' && aa != 'S') {
        for (int k = 0; k < TRNA_COUNT; ++k)
            if (TRNA_ONE[k] == aa) return {k};
        return {};
    }
    const int first = aa == 'L' ? LEU_UUR_ROW : SER_UCN_ROW;
    const int second = aa == 'L' ? LEU_CUN_ROW : SER_AGY_ROW;
    const std::string c = rna_letters(codon);
    // The codon families: UUR and CUN read leucine, UCN and AGY serine.
    const std::string_view second_family = aa == 'L' ? "CU" : "AG";
    const std::string_view first_family = aa == 'L' ? "UU" : "UC";
    if (c.size() >= 2) {
        if (c.compare(0, 2, second_family) == 0) return {second, first};
        if (c.compare(0, 2, first_family) == 0) return {first, second};
    }
    if (number == 2) return {second, first};
    return {first, second};
}

std::string codon_of_codon_recognized(std::string_view value) {
    if (value.size() != 3) return std::string();
    return rna_letters(value);
}

std::string codon_of_anticodon(std::string_view value) {
    const size_t at = value.find("seq:");
    if (at == std::string_view::npos) return std::string();
    std::string_view seq = value.substr(at + 4, 3);
    if (seq.size() != 3) return std::string();
    // The anticodon pairs with the codon read backwards.
    std::string codon;
    for (size_t i = seq.size(); i-- > 0;) {
        switch (upper(seq[i])) {
            case 'A': codon.push_back('U'); break;
            case 'C': codon.push_back('G'); break;
            case 'G': codon.push_back('C'); break;
            case 'T':
            case 'U': codon.push_back('A'); break;
            default: return std::string();
        }
    }
    return codon;
}

int rrna_row(std::string_view product) {
    struct Form {
        int row;
        const char* text;
    };
    static const Form FORMS[] = {{RRNA_12S_ROW, "s-rRNA"}, {RRNA_12S_ROW, "rrnS"},
                                 {RRNA_12S_ROW, "small subunit ribosomal RNA"},
                                 {RRNA_16S_ROW, "l-rRNA"}, {RRNA_16S_ROW, "rrnL"},
                                 {RRNA_16S_ROW, "large subunit ribosomal RNA"}};
    for (const Form& f : FORMS)
        if (same_ignoring_case(product, f.text)) return f.row;
    // "12S", "12S ribosomal RNA", "12S rRNA": the first word decides.
    const std::string_view first_word = product.substr(0, product.find(' '));
    if (same_ignoring_case(first_word, "12S")) return RRNA_12S_ROW;
    if (same_ignoring_case(first_word, "16S")) return RRNA_16S_ROW;
    return -1;
}

bool names_control_region(std::string_view note) {
    return contains_ignoring_case(note, "control region") || contains_ignoring_case(note, "D-loop");
}

}  // namespace corvella
