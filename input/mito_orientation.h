// Where a circular sequence starts and on which strand it runs. A mitogenome
// is a circle: an assembler may cut it anywhere and write either strand, and
// not every GenBank record starts at the reference's position 1. Before a
// sequence is aligned end to end, it is turned to the reference's strand and
// rotated so that it starts where the reference does.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace corvella {

// The 20-letter words that occur exactly once in the reference, packed two
// bits a letter, sorted, with their 0-based start; built once per reference.
struct ReferenceAnchors {
    static constexpr size_t K = 20;
    std::vector<std::pair<uint64_t, int32_t>> words;
    std::string origin;  // the reference's first K letters, empty if it holds a letter other than A, C, G, T
};

ReferenceAnchors build_reference_anchors(std::string_view reference);

struct Orientation {
    bool reverse_complement = false;
    // Letters moved from the start of the (turned) sequence to its end.
    size_t rotation = 0;
    // Words of the reference found on the chosen strand, out of `probes`
    // looked up; few hits mean a sequence unlike the reference.
    int32_t hits = 0;
    int32_t probes = 0;
};

// Looks up a word every 32 letters of the sequence (and of its reverse
// complement when the forward strand finds few) and decides:
// - the strand with more hits; the forward one on a tie;
// - the rotation: the start of the reference's first word near the place the
//   hits put the reference's origin. A sequence whose hits all lie after the
//   origin (one that lacks its first bases) is not rotated; without the exact
//   first word a rotation needs at least 100 letters of evidence, so that a
//   few extra letters at the start stay an insertion.
Orientation find_orientation(const ReferenceAnchors& anchors, std::string_view letters);

// The reverse complement over the IUPAC codes (R and Y, K and M, B and V,
// D and H swap; S, W and N stay).
std::string reverse_complement(std::string_view letters);

// The sequence turned and rotated as `o` says.
std::string apply_orientation(std::string_view letters, const Orientation& o);

}  // namespace corvella
