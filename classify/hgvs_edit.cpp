#include "classify/hgvs_edit.h"

#include <algorithm>

#include "classify/genetic_code.h"
#include "classify/variant_annotation.h"

namespace corvella {

SequenceEdit trim_edit(const std::string& sequence, SequenceEdit edit) {
    const size_t end = std::min(edit.start + edit.length, sequence.size());
    edit.length = end > edit.start ? end - edit.start : 0;
    while (edit.length > 0 && !edit.inserted.empty() &&
           sequence[edit.start + edit.length - 1] == edit.inserted.back()) {
        --edit.length;
        edit.inserted.pop_back();
    }
    size_t same = 0;
    while (same < edit.length && same < edit.inserted.size() &&
           sequence[edit.start + same] == edit.inserted[same])
        ++same;
    edit.start += same;
    edit.length -= same;
    edit.inserted.erase(0, same);
    return edit;
}

SequenceEdit shift_3prime(const std::string& sequence, SequenceEdit edit) {
    if (edit.inserted.empty() && edit.length > 0) {
        while (edit.start + edit.length < sequence.size() &&
               sequence[edit.start] == sequence[edit.start + edit.length])
            ++edit.start;
    } else if (edit.length == 0 && !edit.inserted.empty()) {
        while (edit.start < sequence.size() && sequence[edit.start] == edit.inserted.front()) {
            std::rotate(edit.inserted.begin(), edit.inserted.begin() + 1, edit.inserted.end());
            ++edit.start;
        }
    }
    return edit;
}

std::string hgvs_nucleotide(const std::string& sequence, const SequenceEdit& given, int first_number) {
    const SequenceEdit e = shift_3prime(sequence, given);
    auto number = [first_number](size_t i) {
        return std::to_string(static_cast<long long>(i) + first_number);
    };
    auto range = [&](size_t from, size_t count) {
        return count == 1 ? number(from) : number(from) + "_" + number(from + count - 1);
    };
    if (e.length == 1 && e.inserted.size() == 1 && e.start < sequence.size())
        return number(e.start) + sequence[e.start] + ">" + e.inserted;
    if (e.inserted.empty()) return range(e.start, e.length) + "del";
    if (e.length == 0) {
        const size_t k = e.inserted.size();
        if (e.start >= k && sequence.compare(e.start - k, k, e.inserted) == 0)
            return range(e.start - k, k) + "dup";
        return std::to_string(static_cast<long long>(e.start) + first_number - 1) + "_" + number(e.start) +
               "ins" + e.inserted;
    }
    return range(e.start, e.length) + "delins" + e.inserted;
}

std::string apply_edit(const std::string& sequence, const SequenceEdit& edit) {
    std::string out = sequence.substr(0, edit.start);
    out += edit.inserted;
    if (edit.start + edit.length < sequence.size()) out += sequence.substr(edit.start + edit.length);
    return out;
}

std::vector<std::string> translate_codons(const std::string& coding, int genetic_code) {
    std::vector<std::string> protein;
    for (size_t i = 0; i + 3 <= coding.size(); i += 3) {
        protein.push_back(three_letter_amino_acid(geneticCode(coding.substr(i, 3), genetic_code)));
        if (protein.back() == "Ter") break;
    }
    return protein;
}

namespace {

std::string joined(const std::vector<std::string>& aas, size_t from, size_t to) {
    std::string out;
    for (size_t i = from; i < to; ++i) out += aas[i];
    return out;
}

std::string named(const std::vector<std::string>& aas, size_t i) { return aas[i] + std::to_string(i + 1); }

// "Gly4" or "Gly4_Ala6" for aas[from, to).
std::string stretch(const std::vector<std::string>& aas, size_t from, size_t to) {
    return to - from == 1 ? named(aas, from) : named(aas, from) + "_" + named(aas, to - 1);
}

std::string frameshift_change(const std::vector<std::string>& ref, const std::vector<std::string>& alt,
                              size_t i) {
    if (i >= ref.size()) return "p.=";
    if (i >= alt.size()) return "p." + named(ref, i) + "fs";
    size_t stop = i + 1;
    while (stop < alt.size() && alt[stop] != "Ter") ++stop;
    const std::string distance = stop < alt.size() ? std::to_string(stop - i + 1) : std::string("?");
    if (ref[i] == "Ter") {
        // The old stop is read as an amino acid: count to the new one from it.
        const std::string to_stop = stop < alt.size() ? std::to_string(stop - i) : std::string("?");
        return "p." + named(ref, i) + alt[i] + "ext*" + to_stop;
    }
    return "p." + named(ref, i) + alt[i] + "fsTer" + distance;
}

}  // namespace

std::string hgvs_protein_change(const std::vector<std::string>& ref, const std::vector<std::string>& alt,
                                bool frameshift) {
    size_t prefix = 0;
    while (prefix < ref.size() && prefix < alt.size() && ref[prefix] == alt[prefix]) ++prefix;
    if (prefix == ref.size() && prefix == alt.size()) return "p.=";
    if (prefix == 0 && !ref.empty()) return "p." + named(ref, 0) + "?";  // the initiation codon is touched
    if (prefix < alt.size() && alt[prefix] == "Ter" && prefix < ref.size() && ref[prefix] != "Ter")
        return "p." + named(ref, prefix) + "Ter";
    if (frameshift) return frameshift_change(ref, alt, prefix);

    size_t suffix = 0;
    while (suffix < ref.size() - prefix && suffix < alt.size() - prefix &&
           ref[ref.size() - 1 - suffix] == alt[alt.size() - 1 - suffix])
        ++suffix;
    const size_t del_end = ref.size() - suffix, ins_end = alt.size() - suffix;
    const size_t deleted = del_end - prefix, inserted = ins_end - prefix;
    if (deleted > 0 && inserted == 0) return "p." + stretch(ref, prefix, del_end) + "del";
    if (deleted == 0) {
        if (prefix >= inserted &&
            std::equal(alt.begin() + static_cast<long>(prefix), alt.begin() + static_cast<long>(ins_end),
                       ref.begin() + static_cast<long>(prefix - inserted)))
            return "p." + stretch(ref, prefix - inserted, prefix) + "dup";
        if (prefix >= ref.size()) return "p.?";
        return "p." + named(ref, prefix - 1) + "_" + named(ref, prefix) + "ins" +
               joined(alt, prefix, ins_end);
    }
    if (deleted == 1 && inserted == 1) return "p." + named(ref, prefix) + alt[prefix];
    return "p." + stretch(ref, prefix, del_end) + "delins" + joined(alt, prefix, ins_end);
}

}  // namespace corvella
