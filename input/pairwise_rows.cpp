#include "input/pairwise_rows.h"

#include <algorithm>
#include <utility>

namespace corvella {

namespace {

bool is_match(const PairwiseRows& r, size_t c) { return r.sample[c] != '-' && r.sample[c] == r.reference[c]; }

// Moves the sample letters that come before the reference's first letter to
// the end of both rows.
void move_leading_insertion(PairwiseRows& r) {
    size_t k = 0;
    while (k < r.reference.size() && r.reference[k] == '-') ++k;
    if (k == 0 || k == r.reference.size()) return;
    std::rotate(r.reference.begin(), r.reference.begin() + static_cast<std::ptrdiff_t>(k), r.reference.end());
    std::rotate(r.sample.begin(), r.sample.begin() + static_cast<std::ptrdiff_t>(k), r.sample.end());
}

// The first deletion, when only matches come before it, slides to column 0
// if it can get there letter by letter; otherwise it stays.
void anchor_missing_start(PairwiseRows& r) {
    const size_t n = r.sample.size();
    size_t a = 0;
    while (a < n && is_match(r, a)) ++a;
    if (a == 0 || a == n || r.sample[a] != '-') return;
    size_t b = a;
    while (b < n && r.sample[b] == '-') ++b;
    // Sliding left by one: the letter before the gap joins the sample side
    // of the last gap column, which must hold the same reference letter.
    for (size_t k = 0; k < a; ++k)
        if (r.reference[a - 1 - k] != r.reference[b - 1 - k]) return;
    for (size_t k = 0; k < a; ++k) std::swap(r.sample[a - 1 - k], r.sample[b - 1 - k]);
}

// Slides the gap block of `gapped` that starts at `a` to the right while the
// column after it is a match whose letter equals the block's first letter on
// the other row; returns the block's new start.
size_t slide_right(PairwiseRows& r, std::string& gapped, const std::string& other, size_t a) {
    const size_t n = gapped.size();
    size_t b = a;
    while (b < n && gapped[b] == '-') ++b;
    while (b < n && is_match(r, b) && other[a] == other[b]) {
        gapped[a] = gapped[b];
        gapped[b] = '-';
        ++a;
        ++b;
        while (b < n && gapped[b] == '-') ++b;  // two blocks that meet become one
    }
    return b;
}

}  // namespace

void place_indels(PairwiseRows& r) {
    move_leading_insertion(r);
    anchor_missing_start(r);
    const size_t n = r.sample.size();
    size_t c = 0;
    // A deletion at column 0 is the missing start and stays where it is.
    while (c < n && r.sample[c] == '-') ++c;
    while (c < n) {
        if (r.sample[c] == '-')
            c = slide_right(r, r.sample, r.reference, c);
        else if (r.reference[c] == '-')
            c = slide_right(r, r.reference, r.sample, c);
        else
            ++c;
    }
}

AlignmentStats alignment_stats(const PairwiseRows& r) {
    AlignmentStats s;
    const size_t n = r.sample.size();
    s.columns = static_cast<int32_t>(n);
    size_t first = 0, last = n;
    while (first < n && r.sample[first] == '-') ++first;
    while (last > first && r.sample[last - 1] == '-') --last;
    auto acgt = [](char c) { return c == 'A' || c == 'C' || c == 'G' || c == 'T'; };
    for (size_t c = first; c < last; ++c) {
        const char x = r.sample[c], y = r.reference[c];
        if ((x != '-' && !acgt(x)) || (y != '-' && !acgt(y))) {
            ++s.ambiguous;
            continue;
        }
        ++s.compared;
        if (x == y)
            ++s.identical;
        else
            ++s.differences;
    }
    return s;
}

}  // namespace corvella
