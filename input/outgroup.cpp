#include "input/outgroup.h"

#include <cctype>

#include "input/fasta_reader.h"
#include "input/mito_orientation.h"
#include "input/text_file.h"
#include "input/wfa_alignment.h"

namespace corvella {

namespace {

bool is_base(char c) { return c == 'A' || c == 'C' || c == 'G' || c == 'T'; }

OutgroupRead refuse(std::string message) {
    OutgroupRead read;
    read.message = std::move(message);
    return read;
}

bool starts_with(std::string_view s, std::string_view word) { return s.substr(0, word.size()) == word; }

// The letters of a GenBank record: the ORIGIN section up to "//". The
// features are not needed: an outgroup's genes are placed by the alignment.
bool genbank_letters(std::string_view text, std::string& name, std::string& letters, std::string& message) {
    size_t pos = 0;
    std::string_view line;
    bool origin = false;
    int32_t number = 0;
    while (next_line(text, pos, line)) {
        ++number;
        if (!origin) {
            if (number == 1) {
                std::string_view rest = line.substr(5);
                while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
                name = std::string(rest.substr(0, rest.find(' ')));
            }
            origin = starts_with(line, "ORIGIN");
            continue;
        }
        if (starts_with(line, "//")) return true;
        for (const char c : line) {
            if (c == ' ' || c == '\t' || (c >= '0' && c <= '9')) continue;
            if (!std::isalpha(static_cast<unsigned char>(c))) {
                message = "line " + std::to_string(number) + ": " + "the sequence holds a character that is no letter";
                return false;
            }
            letters.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
        }
    }
    message = origin ? "the GenBank record does not end with \"//\"" : "the GenBank record has no ORIGIN section";
    return false;
}

}  // namespace

std::string outgroup_bases_of_rows(const PairwiseRows& rows) {
    std::string bases;
    for (size_t c = 0; c < rows.reference.size() && c < rows.sample.size(); ++c) {
        if (rows.reference[c] == '-') continue;  // an insertion in the outgroup holds no reference position
        bases.push_back(is_base(rows.sample[c]) ? rows.sample[c] : '-');
    }
    return bases;
}

OutgroupRead outgroup_from_text(std::string_view text, const std::string& reference) {
    if (reference.empty()) return refuse("no reference is loaded");
    std::string name, letters, message;
    if (starts_with(text, "LOCUS")) {
        if (!genbank_letters(text, name, letters, message)) return refuse(message);
    } else {
        FastaReadResult fasta = parse_fasta_text(text);
        if (fasta.code < 0) return refuse(fasta.message.empty() ? "Bad input format." : fasta.message);
        if (fasta.records.size() != 1)
            return refuse("an outgroup is one mitogenome; the file holds " + std::to_string(fasta.records.size()) +
                          " records");
        name = fasta.records[0].name;
        letters = std::move(fasta.records[0].letters);
    }
    if (letters.find_first_of("ACGT") == std::string::npos) return refuse("the outgroup holds no A, C, G or T");
    if (letters.size() > 2 * reference.size())
        return refuse("the outgroup is more than twice as long as the reference");
    const Orientation o = find_orientation(build_reference_anchors(reference), letters);
    if (o.reverse_complement || o.rotation > 0) letters = apply_orientation(letters, o);
    // Another species differs in thousands of places: a higher limit than a
    // human sample's, still bounded so that a file of anything else ends.
    GlobalAligner aligner(static_cast<int32_t>(reference.size() * 4 + 1000));
    PairwiseRows rows;
    if (!aligner.align(reference, letters, rows)) return refuse("the outgroup could not be aligned with the reference");
    place_indels(rows);
    OutgroupRead read;
    read.ok = true;
    read.name = name;
    read.stats = alignment_stats(rows);
    read.bases = outgroup_bases_of_rows(rows);
    return read;
}

OutgroupRead read_outgroup(const std::string& path, const std::string& reference) {
    std::string text;
    if (!read_text_file(path, text)) return refuse("File cannot be opened.");
    return outgroup_from_text(text, reference);
}

std::string outgroup_summary(const OutgroupRead& read) {
    size_t kept = 0;
    for (const char c : read.bases) kept += c != '-';
    const int32_t compared = read.stats.compared;
    const int64_t permille = compared == 0 ? 0 : int64_t{read.stats.identical} * 1000 / compared;
    return read.name + ": " + std::to_string(kept) + " of " + std::to_string(read.bases.size()) +
           " reference positions compared, identity " + std::to_string(permille / 10) + "." +
           std::to_string(permille % 10) + " %";
}

}  // namespace corvella
