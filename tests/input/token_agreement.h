// Compares the variant line called from a multiple alignment with the one
// called from the same sequence without its gaps, aligned by the program:
// every token but the insertions and deletions must be the same, in the same
// order; each insertion and deletion of the multiple alignment, moved to the
// 3' end of its run of equal letters, must be the program's. The moving is
// done here on the reference letters and the tokens alone, apart from the
// program's own code.
#pragma once

#include <cctype>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "input/fasta_reader.h"

namespace corvella_test {

// The rows of an alignment without their gaps, as records of an unaligned
// file; row 0, the alignment's reference, is left out.
inline std::vector<corvella::FastaRecord> records_without_gaps(const std::vector<std::string>& rows,
                                                               const std::vector<std::string>& names) {
    std::vector<corvella::FastaRecord> records;
    for (size_t i = 1; i < rows.size(); ++i) {
        corvella::FastaRecord r;
        r.name = i < names.size() ? names[i] : std::string();
        for (char c : rows[i])
            if (c != '-') r.letters += c;
        records.push_back(std::move(r));
    }
    return records;
}

inline std::vector<std::string> tokens_of(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> out;
    for (std::string t; in >> t;) out.push_back(t);
    return out;
}

inline bool is_indel(const std::string& t) {
    return t.find("ins") != std::string::npos || t.find("del") != std::string::npos;
}

// Reference positions the other tokens touch: a run of the sample's own
// letters stops an insertion or deletion from moving through them.
inline std::set<long> touched_positions(const std::vector<std::string>& tokens) {
    std::set<long> at;
    for (const std::string& t : tokens) {
        if (is_indel(t) || t.find("missing") != std::string::npos || t == "0") continue;
        const long p = std::stol(t);
        const size_t dash = t.find('-');
        const long q = dash == std::string::npos ? p : std::stol(t.substr(dash + 1));
        for (long k = p; k <= q; ++k) at.insert(k);
    }
    return at;
}

// The token moved right while the reference letter after it equals its first
// letter (`reference` is 0-based: position p is reference[p - 1]).
inline std::string moved_3prime(const std::string& token, const std::string& reference, const std::set<long>& stop) {
    const bool insertion = token.find("ins") != std::string::npos;
    const size_t kind = token.find(insertion ? "ins" : "del");
    long p = std::stol(token.substr(0, kind));
    std::string letters = token.substr(kind + 3);
    if (letters.empty()) return token;
    const long length = static_cast<long>(reference.size());
    for (;;) {
        // The letter just after the event on the reference.
        const long next = insertion ? p + 1 : p + static_cast<long>(letters.size());
        if (next > length || stop.count(next) || reference[static_cast<size_t>(next - 1)] != letters[0]) break;
        letters = letters.substr(1) + letters[0];
        ++p;
    }
    return std::to_string(p) + (insertion ? "ins" : "del") + letters;
}

// Empty when the two lines agree as the rule says, else what differs.
inline std::string disagreement(const std::string& aligned_line, const std::string& raw_line,
                                const std::string& reference) {
    const std::vector<std::string> a = tokens_of(aligned_line), r = tokens_of(raw_line);
    std::vector<std::string> a_other, r_other, a_indels, r_indels;
    for (const std::string& t : a) (is_indel(t) ? a_indels : a_other).push_back(t);
    for (const std::string& t : r) (is_indel(t) ? r_indels : r_other).push_back(t);
    std::ostringstream why;
    if (a_other != r_other) why << "other tokens differ; ";
    const std::set<long> stop = touched_positions(a);
    if (a_indels.size() != r_indels.size()) {
        why << a_indels.size() << " indels against " << r_indels.size() << "; ";
    } else {
        for (size_t i = 0; i < a_indels.size(); ++i) {
            const std::string want = moved_3prime(a_indels[i], reference, stop);
            if (want != r_indels[i]) why << a_indels[i] << " should be " << want << " but is " << r_indels[i] << "; ";
        }
    }
    if (!why.str().empty()) why << "aligned: " << aligned_line << " | raw: " << raw_line;
    return why.str();
}

// The variant lines of a list text: the line after each name line but the
// reference's, which is followed by "Numbering Reference".
inline std::vector<std::pair<std::string, std::string>> named_lines(const std::string& list) {
    std::vector<std::pair<std::string, std::string>> out;
    std::istringstream in(list);
    std::string name, line;
    while (std::getline(in, name)) {
        if (name.empty() || name[0] != '>') continue;
        if (!std::getline(in, line) || line == "Numbering Reference") continue;
        out.emplace_back(name, line);
    }
    return out;
}

}  // namespace corvella_test
