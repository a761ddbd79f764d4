#include "core/genbank_reader.h"

#include <cctype>
#include <vector>

#include "core/text_file.h"

namespace corvella {

namespace {

bool is_space(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

// The first two whitespace-separated words of a line. A line with one word
// keeps the second word of the previous line (a one-word continuation line
// is still judged by its first word only). Returns the number of words read.
int split_words(std::string_view line, std::string_view& first, std::string_view& second) {
    int found = 0;
    size_t i = 0;
    while (found < 2) {
        while (i < line.size() && is_space(line[i])) ++i;
        if (i == line.size()) break;
        const size_t start = i;
        while (i < line.size() && !is_space(line[i])) ++i;
        (found == 0 ? first : second) = line.substr(start, i - start);
        ++found;
    }
    return found;
}

// The qualifier texts the feature searches look for, built once.
struct QualifierTexts {
    std::vector<std::string> genes;     // /gene="ATP6" ...
    std::vector<std::string> products;  // /product="tRNA-Phe" ...
    QualifierTexts() {
        for (const char* name : PROTEIN_GENE_NAMES) genes.push_back(std::string("/gene=\"") + name + "\"");
        for (const char* name : RNA_GENE_NAMES) products.push_back(std::string("/product=\"") + name + "\"");
    }
};

class FeatureReader {
public:
    explicit FeatureReader(ReferenceReadResult& out) : out_(out) {}

    // Handles one line of the feature part; true once "ORIGIN" was met.
    bool line(std::string_view text) {
        if (split_words(text, first_, second_) == 0) return false;  // a blank line says nothing
        const std::string_view kind = first_;
        if (kind == "ACCESSION") {
            out_.accession += second_;
            accession_seen_ = true;
        } else if (kind == "gene") {
            arm(gene_armed_);
        } else if (kind == "tRNA") {
            arm(trna_armed_);
        } else if (kind == "rRNA") {
            arm(rrna_armed_);
        } else if (kind == "misc_feature") {
            arm(control_armed_);
        } else if (kind == "D-loop") {
            dloop(second_);
        } else if (kind == "ORIGIN") {
            return true;
        } else {
            qualifier(kind);
        }
        return false;
    }

    bool accession_seen() const { return accession_seen_; }

private:
    void arm(bool& search) {
        location_.assign(second_.data(), second_.size());
        search = true;
    }

    void take(int start_slot, int end_slot) {
        int32_t end = 0;
        const int32_t start = position_split(location_, end);
        out_.region_table[static_cast<size_t>(start_slot)] = start;
        out_.region_table[static_cast<size_t>(end_slot)] = start == 0 ? 0 : end;
    }

    // The D-loop location; a later D-loop replaces an earlier one.
    void dloop(std::string_view location) {
        int32_t end = 0;
        const int32_t start = location.find("join") != std::string_view::npos
                                  ? position_split_case_join(location, end)
                                  : position_split(location, end);
        out_.region_table[DLOOP_START_SLOT] = start;
        out_.region_table[DLOOP_END_SLOT] = start == 0 ? 0 : end;
    }

    // A row is taken only while its start is unset, so of two features with
    // one name (tRNA-Ser, tRNA-Leu) the first fills the first row.
    bool try_rows(std::string_view word, const std::vector<std::string>& texts, int from, int to,
                  int (*start_slot)(int), int (*end_slot)(int)) {
        for (int k = from; k <= to; ++k) {
            if (out_.region_table[static_cast<size_t>(start_slot(k))] != 0) continue;
            if (word != texts[static_cast<size_t>(k)]) continue;
            take(start_slot(k), end_slot(k));
            return true;
        }
        return false;
    }

    void qualifier(std::string_view word) {
        static const QualifierTexts TEXTS;
        if (gene_armed_ && try_rows(word, TEXTS.genes, 0, PROTEIN_GENE_COUNT - 1, protein_start_slot, protein_end_slot))
            gene_armed_ = false;
        if (trna_armed_ && try_rows(word, TEXTS.products, 0, TRNA_COUNT - 1, rna_start_slot, rna_end_slot))
            trna_armed_ = false;
        if (rrna_armed_) {
            const bool small = word == "/product=\"12S";
            const bool large = word == "/product=\"16S";
            const int row = small ? RRNA_12S_ROW : large ? RRNA_16S_ROW : -1;
            bool taken = false;
            if (row >= 0 && out_.region_table[static_cast<size_t>(rna_start_slot(row))] == 0) {
                take(rna_start_slot(row), rna_end_slot(row));
                taken = true;
            } else {
                taken = try_rows(word, TEXTS.products, RRNA_12S_ROW, RRNA_16S_ROW, rna_start_slot, rna_end_slot);
            }
            if (taken) rrna_armed_ = false;
        }
        if (control_armed_) {
            if (word == "/note=\"control") dloop(location_);
            control_armed_ = false;
        }
    }

    ReferenceReadResult& out_;
    std::string_view first_, second_;
    std::string location_;
    bool accession_seen_ = false;
    bool gene_armed_ = false, trna_armed_ = false, rrna_armed_ = false, control_armed_ = false;
};

std::string not_extracted(const char* name) {
    return std::string("It was not possible to extract information about ") + name + ".";
}

// The first gap in the region table, as its message; empty when complete.
// A range that runs past the end of the sequence counts as a gap: every
// classification reads the reference letters inside the ranges.
std::string region_gap(const ReferenceReadResult& read, int64_t length) {
    const auto& t = read.region_table;
    auto bad = [&](int32_t start, int32_t end) { return start == 0 || end == 0 || start > length || end > length; };
    for (int k = 0; k < PROTEIN_GENE_COUNT; ++k)
        if (bad(t[static_cast<size_t>(protein_start_slot(k))], t[static_cast<size_t>(protein_end_slot(k))]))
            return not_extracted(PROTEIN_GENE_NAMES[static_cast<size_t>(k)]);
    for (int k = 0; k < RNA_GENE_COUNT; ++k)
        if (bad(t[static_cast<size_t>(rna_start_slot(k))], t[static_cast<size_t>(rna_end_slot(k))]))
            return not_extracted(RNA_GENE_NAMES[static_cast<size_t>(k)]);
    if (bad(t[DLOOP_START_SLOT], t[DLOOP_END_SLOT])) return not_extracted("D-loop");
    return std::string();
}

ReferenceReadResult failure(std::string message) {
    ReferenceReadResult result;
    result.message = std::move(message);
    return result;
}

}  // namespace

ReferenceReadResult parse_genbank_text(std::string_view text) {
    ReferenceReadResult result;
    FeatureReader features(result);
    size_t pos = 0;
    std::string_view line;
    bool origin = false;
    while (!origin && next_line(text, pos, line)) origin = features.line(line);
    if (!origin || !features.accession_seen()) return failure("Bad input format.");

    // Gaps among the features are reported before the sequence is looked at;
    // ranges past the sequence's end only once its length is known.
    const std::string missing = region_gap(result, INT32_MAX);
    if (!missing.empty()) return failure(missing);

    std::string_view first, second;
    while (next_line(text, pos, line)) {
        if (split_words(line, first, second) > 0 && first == "//") break;
        for (char c : line) {
            if (is_space(c) || (c >= '0' && c <= '9')) continue;
            if (result.sequence.size() == static_cast<size_t>(MAX_REFERENCE_LENGTH))
                return failure("Sequence is too long.");
            result.sequence.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
        }
    }
    const std::string past_end = region_gap(result, static_cast<int64_t>(result.sequence.size()));
    if (!past_end.empty()) return failure(past_end);
    result.ok = true;
    return result;
}

ReferenceReadResult extract_info_from_reference(const std::string& path) {
    std::string text;
    if (!read_text_file(path, text)) return failure("File cannot be opened.");
    return parse_genbank_text(text);
}

void use_reference(Workspace& ws, const ReferenceReadResult& read) {
    ws.ref_sequence = read.sequence;
    ws.region_table = read.region_table;
    ws.reference_accession = read.accession;
    ws.human_reference = false;
}

std::string reference_title(const ReferenceReadResult& read) { return "Corvella - " + read.accession; }

}  // namespace corvella
