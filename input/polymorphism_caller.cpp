#include "input/polymorphism_caller.h"

#include <cstdint>
#include <cstring>

#include "input/polymorphism_list.h"

namespace corvella {

namespace {

void append_token(std::string& out, int32_t position, std::string_view rest = {}) {
    out += std::to_string(position);
    out += rest;
    out += ' ';
}

// Number of columns in [from, to) where `text` holds a gap.
size_t gaps_in(std::string_view text, size_t from, size_t to) {
    size_t count = 0;
    for (size_t i = from; i < to; ++i) count += text[i] == '-';
    return count;
}

}  // namespace

bool base_or_gap(char c) { return c == 'A' || c == 'C' || c == 'T' || c == 'G' || c == '-'; }

// The first index from c on (before end) where the two texts differ, or end.
// Aligned sequences agree with the reference over long runs, so the run is
// skipped eight bytes at a time.
size_t end_of_equal_run(std::string_view s, std::string_view r, size_t c, size_t end) {
    while (c + 8 <= end) {
        uint64_t a = 0, b = 0;
        std::memcpy(&a, s.data() + c, 8);
        std::memcpy(&b, r.data() + c, 8);
        if (a != b) break;
        c += 8;
    }
    while (c < end && s[c] == r[c]) ++c;
    return c;
}

std::vector<int32_t> reference_numbering(std::string_view reference) {
    std::vector<int32_t> numbering(reference.size());
    int32_t position = 0;
    for (size_t k = 0; k < reference.size(); ++k) {
        if (reference[k] != '-') ++position;
        numbering[k] = position;
    }
    return numbering;
}

void determine_polymorphisms(std::string_view name, std::string_view letters, std::string_view reference,
                             const std::vector<int32_t>& numbering, std::string& list_text) {
    const std::string_view& s = letters;
    const std::string_view& r = reference;
    const size_t length = s.size();
    list_text += '>';
    list_text += name;
    list_text += '\n';

    size_t lead = 0;
    while (lead < length && s[lead] == '-') ++lead;

    // Trailing run of gaps: missing data when at least one of its columns
    // holds a reference letter. A sequence made only of gaps is reported once,
    // as a leading stretch.
    size_t end = length;
    std::string trailing_token;
    if (lead < length) {
        size_t t = length;
        while (t > 0 && s[t - 1] == '-') --t;
        if (t < length) {
            const size_t g = gaps_in(r, t, length);
            if (g < length - t) {
                trailing_token = std::to_string(numbering[t]) + "missing" + std::to_string((length - t) - g) + "bp ";
                end = t;
            }
        }
    }
    bool differs = !trailing_token.empty();

    if (lead > 0) {
        const size_t g = gaps_in(r, 0, lead);
        if (g < lead) {
            list_text += "1missing" + std::to_string(lead - g) + "bp ";
            differs = true;
        }
    }

    size_t c = lead;
    while (c < end) {
        if (s[c] == r[c]) {
            c = end_of_equal_run(s, r, c + 1, end);
            continue;
        }
        differs = true;
        const char sc = s[c];
        if (base_or_gap(sc)) {
            if (r[c] == '-') {
                // Insertion: the sequence's letters over the run of reference gaps.
                const size_t first = c;
                std::string inserted;
                for (; c < end && r[c] == '-'; ++c)
                    if (s[c] != '-') inserted += s[c];
                append_token(list_text, numbering[first], "ins" + inserted);
            } else if (sc == '-') {
                // Deletion: the reference letters over the run of sequence gaps.
                const size_t first = c;
                std::string deleted;
                for (; c < end && s[c] == '-'; ++c)
                    if (r[c] != '-') deleted += r[c];
                append_token(list_text, numbering[first], "del" + deleted);
            } else {
                // Substitution; against a reference letter such as N nothing is written.
                const char partner = transition_base(r[c]);
                if (partner != 'Z') {
                    if (sc == partner)
                        append_token(list_text, numbering[c]);
                    else
                        append_token(list_text, numbering[c], std::string_view(&s[c], 1));
                }
                ++c;
            }
        } else {
            // A run of one ambiguous letter (N, R, ?): one token for the run.
            const size_t first = c;
            while (c < end && s[c] == sc) ++c;
            const std::string_view letter(&s[first], 1);
            // A digit cannot be written after a position: "12" + "5" would
            // read back as a variant at 125. Such a run is a difference that
            // no token can name, as against a reference letter such as N.
            if (sc >= '0' && sc <= '9') continue;
            if (c - first == 1) {
                append_token(list_text, numbering[first], letter);
            } else {
                list_text += std::to_string(numbering[first]);
                list_text += '-';
                append_token(list_text, numbering[c - 1], letter);
            }
        }
    }
    if (!differs) list_text += "0 ";
    list_text += trailing_token;
    list_text += "\n\n";
}

std::string build_polymorphism_list(const Workspace& ws) {
    if (ws.aligned_sequences.empty()) return std::string();
    const std::string& reference = ws.aligned_sequences[0];
    std::string list_text = ws.aligned_names.empty() ? std::string() : ws.aligned_names[0];
    list_text += "\nNumbering Reference\n\n";
    const std::vector<int32_t> numbering = reference_numbering(reference);
    for (size_t i = 1; i < ws.aligned_sequences.size(); ++i) {
        const std::string& letters = ws.aligned_sequences[i];
        if (letters.size() != reference.size()) continue;
        const std::string& name = i < ws.aligned_names.size() ? ws.aligned_names[i] : std::string();
        determine_polymorphisms(name, letters, reference, numbering, list_text);
    }
    return list_text;
}

}  // namespace corvella
