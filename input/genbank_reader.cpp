#include "input/genbank_reader.h"

#include <cctype>
#include <optional>
#include <vector>

#include "input/genbank_names.h"
#include "input/list_tokens.h"
#include "input/text_file.h"

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

// The number of blanks and tabs before the first word: feature keys stand in
// the first 20 columns, qualifiers and their continuation lines further in.
size_t indentation(std::string_view line) {
    size_t i = 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    return i;
}
constexpr size_t QUALIFIER_COLUMN = 21;

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && is_space(text.front())) text.remove_prefix(1);
    while (!text.empty() && is_space(text.back())) text.remove_suffix(1);
    return text;
}

struct Qualifier {
    std::string name;   // without the "/"
    std::string value;  // without its quotes; a doubled quote read as one
    bool quoted = false;
};

struct Feature {
    std::string key;       // "gene", "CDS", "tRNA", ... or empty for one not used
    std::string location;  // the second word of the key line
    std::vector<Qualifier> qualifiers;
    int lines_seen = 0;    // lines after the key line
    bool old_control_note = false;  // its first line begins /note="control
};

// Appends quoted text to `value` up to the closing quote; true once closed.
bool take_quoted(std::string_view text, std::string& value) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '"') {
            value.push_back(text[i]);
        } else if (i + 1 < text.size() && text[i + 1] == '"') {
            value.push_back('"');
            ++i;
        } else {
            return true;
        }
    }
    return false;
}

// Where a protein gene row was found, and what its CDS says of its code.
struct ProteinFinding {
    std::string location;
    std::string code;  // the /transl_table value; empty when no CDS gave one
    bool code_seen = false;
};

class FeatureReader {
public:
    explicit FeatureReader(ReferenceReadResult& out) : out_(out) {}

    // Handles one line of the feature part; true once "ORIGIN" was met.
    bool line(std::string_view text) {
        if (open_value_ && !(indentation(text) == 0 && text.substr(0, 6) == "ORIGIN")) {
            // Inside a quoted value nothing is a keyword; a quote left open
            // ends at the sequence section at the latest.
            if (take_quoted_continuation(trimmed(text))) open_value_ = false;
            return false;
        }
        open_value_ = false;
        if (split_words(text, first_, second_) == 0) return false;  // a blank line says nothing
        const std::string_view kind = first_;
        if (kind == "ACCESSION") {
            out_.accession += second_;
            accession_seen_ = true;
        } else if (kind == "VERSION" && indentation(text) == 0) {
            out_.version = second_;
        } else if (kind == "gene" || kind == "CDS" || kind == "tRNA" || kind == "rRNA" || kind == "misc_feature" ||
                   kind == "repeat_region") {
            start_feature(kind);
        } else if (kind == "D-loop") {
            start_feature("");
            dloop(second_);
        } else if (kind == "ORIGIN") {
            finish_feature();
            return true;
        } else if (kind.front() == '/') {
            qualifier_line(trimmed(text));
        } else if (indentation(text) < QUALIFIER_COLUMN) {
            start_feature("");  // a feature key this reader does not use, or a header line
        } else {
            continuation_line(trimmed(text));
        }
        return false;
    }

    // Applies the last feature; called once the feature part has ended.
    void finish() { finish_feature(); }

    bool accession_seen() const { return accession_seen_; }

    // The message naming a protein gene's genetic code that the program does
    // not hold; empty when every code is held. Fills the codes on success.
    std::string apply_codes() {
        for (int k = 0; k < PROTEIN_GENE_COUNT; ++k) {
            const ProteinFinding& f = found_[static_cast<size_t>(k)];
            int code = VERTEBRATE_MITOCHONDRIAL_CODE;
            if (f.code_seen) {
                const std::optional<int32_t> n = leading_decimal(f.code);
                if (!n || std::to_string(*n) != f.code || find_genetic_code(*n) == nullptr)
                    return "Genetic code " + f.code + " (/transl_table of " + PROTEIN_GENE_NAMES[static_cast<size_t>(k)] +
                           ") is not supported.";
                code = *n;
            }
            out_.protein_reading[static_cast<size_t>(k)].genetic_code = code;
        }
        return std::string();
    }

private:
    void start_feature(std::string_view key) {
        finish_feature();
        feature_ = Feature{};
        feature_.key.assign(key.data(), key.size());
        feature_.location.assign(second_.data(), second_.size());
    }

    void qualifier_line(std::string_view text) {
        if (feature_.lines_seen++ == 0)
            feature_.old_control_note = text.substr(0, text.find_first_of(" \t")) == "/note=\"control";
        Qualifier q;
        const size_t eq = text.find('=');
        q.name.assign(text.substr(1, eq == std::string_view::npos ? std::string_view::npos : eq - 1));
        if (eq != std::string_view::npos) {
            std::string_view value = text.substr(eq + 1);
            if (!value.empty() && value.front() == '"') {
                q.quoted = true;
                open_value_ = !take_quoted(value.substr(1), q.value);
            } else {
                q.value.assign(value.data(), value.size());
            }
        }
        feature_.qualifiers.push_back(std::move(q));
    }

    // A quoted value goes on over lines joined by one blank.
    bool take_quoted_continuation(std::string_view text) {
        std::string& value = feature_.qualifiers.back().value;
        value.push_back(' ');
        return take_quoted(text, value);
    }

    // A line that goes on with an unquoted value (an /anticodon wrapped after
    // a comma) or with the location.
    void continuation_line(std::string_view text) {
        ++feature_.lines_seen;
        if (!feature_.qualifiers.empty() && !feature_.qualifiers.back().quoted)
            feature_.qualifiers.back().value.append(text.data(), text.size());
    }

    void take(int start_slot, int end_slot) {
        int32_t end = 0;
        const int32_t start = position_split(feature_.location, end);
        out_.region_table[static_cast<size_t>(start_slot)] = start;
        out_.region_table[static_cast<size_t>(end_slot)] = start == 0 ? 0 : end;
    }

    bool row_free(int start_slot) const { return out_.region_table[static_cast<size_t>(start_slot)] == 0; }

    // The D-loop location; a later D-loop replaces an earlier one.
    void dloop(std::string_view location) {
        int32_t end = 0;
        const int32_t start = location.find("join") != std::string_view::npos
                                  ? position_split_case_join(location, end)
                                  : position_split(location, end);
        out_.region_table[DLOOP_START_SLOT] = start;
        out_.region_table[DLOOP_END_SLOT] = start == 0 ? 0 : end;
    }

    void finish_feature() {
        const std::string& key = feature_.key;
        if (key == "gene") {
            last_gene_location_ = feature_.location;
            last_gene_symbol_.clear();
            for (const Qualifier& q : feature_.qualifiers)
                if (q.name == "gene") {
                    last_gene_symbol_ = q.value;
                    break;
                }
        }
        if (key == "gene" || key == "CDS")
            protein_feature(key == "CDS");
        else if (key == "tRNA")
            trna_feature();
        else if (key == "rRNA")
            rrna_feature();
        else if (key == "misc_feature" || key == "repeat_region")
            control_feature(key == "misc_feature");
        feature_ = Feature{};
    }

    // The first /gene naming a row that is still free takes it (so of two
    // features with one name the first wins); a CDS also gives its gene's code.
    void protein_feature(bool cds) {
        int named = -1;
        for (const Qualifier& q : feature_.qualifiers) {
            if (q.name != "gene") continue;
            const int k = protein_gene_row(q.value);
            if (k < 0) continue;
            if (named < 0) named = k;
            if (!row_free(protein_start_slot(k))) continue;
            take(protein_start_slot(k), protein_end_slot(k));
            out_.protein_symbols[static_cast<size_t>(k)] = q.value;
            found_[static_cast<size_t>(k)].location = feature_.location;
            out_.protein_reading[static_cast<size_t>(k)].reverse =
                feature_.location.find("complement") != std::string::npos;
            named = k;
            break;
        }
        if (!cds) return;
        // A CDS without a /gene of its own belongs to the gene at its location.
        for (int k = 0; named < 0 && k < PROTEIN_GENE_COUNT; ++k)
            if (!found_[static_cast<size_t>(k)].location.empty() && found_[static_cast<size_t>(k)].location == feature_.location)
                named = k;
        if (named < 0) return;
        ProteinFinding& f = found_[static_cast<size_t>(named)];
        if (f.code_seen) return;  // the first CDS of a gene gives its code
        for (const Qualifier& q : feature_.qualifiers) {
            if (q.name != "transl_table") continue;
            f.code = q.value;
            f.code_seen = true;
            break;
        }
    }

    // The /gene of the RNA feature, or of the gene feature just before it
    // at the same location.
    std::string rna_symbol() const {
        for (const Qualifier& q : feature_.qualifiers)
            if (q.name == "gene") return q.value;
        return feature_.location == last_gene_location_ ? last_gene_symbol_ : std::string();
    }

    void take_rna(int k) {
        take(rna_start_slot(k), rna_end_slot(k));
        out_.rna_symbols[static_cast<size_t>(k)] = rna_symbol();
    }

    void trna_feature() {
        std::string codon;
        for (const Qualifier& q : feature_.qualifiers) {
            if (q.name == "codon_recognized") codon = codon_of_codon_recognized(q.value);
            if (codon.empty() && q.name == "anticodon") codon = codon_of_anticodon(q.value);
            if (!codon.empty()) break;
        }
        for (const Qualifier& q : feature_.qualifiers) {
            if (q.name != "product") continue;
            for (int k : trna_rows(q.value, codon)) {
                if (!row_free(rna_start_slot(k))) continue;
                take_rna(k);
                return;
            }
        }
    }

    void rrna_feature() {
        for (const Qualifier& q : feature_.qualifiers) {
            if (q.name != "product") continue;
            const int k = rrna_row(q.value);
            if (k < 0 || !row_free(rna_start_slot(k))) continue;
            take_rna(k);
            return;
        }
    }

    void control_feature(bool misc) {
        bool control = misc && feature_.old_control_note;
        for (const Qualifier& q : feature_.qualifiers)
            if (q.name == "note" && names_control_region(q.value)) control = true;
        if (control) dloop(feature_.location);
    }

    ReferenceReadResult& out_;
    std::string_view first_, second_;
    Feature feature_;
    bool open_value_ = false;
    bool accession_seen_ = false;
    std::string last_gene_location_, last_gene_symbol_;
    std::array<ProteinFinding, PROTEIN_GENE_COUNT> found_;
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
    features.finish();
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
    const std::string unknown_code = features.apply_codes();
    if (!unknown_code.empty()) return failure(unknown_code);
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
    ws.protein_reading = read.protein_reading;
    ws.reference_accession = read.accession;
    ws.reference_version = read.version;
    ws.protein_symbols = read.protein_symbols;
    ws.rna_symbols = read.rna_symbols;
    ws.human_reference = false;
}

std::string reference_title(const ReferenceReadResult& read) { return "Corvella - " + read.accession; }

}  // namespace corvella
