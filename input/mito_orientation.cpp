#include "input/mito_orientation.h"

#include <algorithm>
#include <array>
#include <optional>

#include "core/nucleotides.h"

namespace corvella {

namespace {

constexpr size_t K = ReferenceAnchors::K;
constexpr size_t PROBE_STEP = 32;


// The word at `at`, or nothing when one of its letters is not A, C, G, T.
std::optional<uint64_t> word_at(std::string_view s, size_t at) {
    uint64_t w = 0;
    for (size_t i = at; i < at + K; ++i) {
        const int c = nucleotide_index(s[i]);
        if (c < 0) return std::nullopt;
        w = (w << 2) | static_cast<uint64_t>(c);
    }
    return w;
}

struct Hit {
    size_t sample;      // 0-based start in the sequence
    int32_t reference;  // 0-based start in the reference
};

std::vector<Hit> probe(const ReferenceAnchors& anchors, std::string_view s) {
    std::vector<Hit> hits;
    for (size_t j = 0; j + K <= s.size(); j += PROBE_STEP) {
        const std::optional<uint64_t> w = word_at(s, j);
        if (!w) continue;
        const auto it = std::lower_bound(anchors.words.begin(), anchors.words.end(), std::make_pair(*w, int32_t{0}));
        if (it != anchors.words.end() && it->first == *w) hits.push_back({j, it->second});
    }
    return hits;
}

int32_t probe_count(size_t length) { return length < K ? 0 : static_cast<int32_t>((length - K) / PROBE_STEP + 1); }

size_t find_rotation(const ReferenceAnchors& anchors, std::string_view s, const std::vector<Hit>& hits) {
    // Each hit says where the reference's origin would lie in the sequence
    // if no insertion or deletion came between; the hit nearest the origin
    // says it best. Hits that put the origin before the sequence's start
    // belong to a sequence that starts after the origin.
    const Hit* nearest = nullptr;
    for (const Hit& h : hits) {
        if (h.sample < static_cast<size_t>(h.reference)) continue;
        if (nearest == nullptr || h.reference < nearest->reference) nearest = &h;
    }
    if (nearest == nullptr) return 0;
    size_t origin = nearest->sample - static_cast<size_t>(nearest->reference);
    bool exact = false;
    if (!anchors.origin.empty()) {
        const size_t from = origin > 64 ? origin - 64 : 0;
        const size_t to = std::min(s.size(), origin + 64 + K);
        if (from < to) {
            const size_t at = s.substr(from, to - from).find(anchors.origin);
            if (at != std::string_view::npos) {
                origin = from + at;
                exact = true;
            }
        }
    }
    if (origin == 0 || origin >= s.size()) return 0;
    if (!exact && origin < 100) return 0;
    return origin;
}

}  // namespace

ReferenceAnchors build_reference_anchors(std::string_view reference) {
    ReferenceAnchors anchors;
    if (reference.size() < K) return anchors;
    for (size_t j = 0; j + K <= reference.size(); ++j)
        if (const std::optional<uint64_t> w = word_at(reference, j)) anchors.words.emplace_back(*w, static_cast<int32_t>(j));
    std::sort(anchors.words.begin(), anchors.words.end());
    // Keep only words that occur once: a repeated word says nothing about
    // where a letter belongs.
    std::vector<std::pair<uint64_t, int32_t>> unique;
    unique.reserve(anchors.words.size());
    for (size_t i = 0; i < anchors.words.size();) {
        size_t j = i + 1;
        while (j < anchors.words.size() && anchors.words[j].first == anchors.words[i].first) ++j;
        if (j == i + 1) unique.push_back(anchors.words[i]);
        i = j;
    }
    anchors.words = std::move(unique);
    if (word_at(reference, 0)) anchors.origin = std::string(reference.substr(0, K));
    return anchors;
}

std::string reverse_complement(std::string_view letters) {
    static const std::array<char, 256> partner = [] {
        std::array<char, 256> t{};
        for (int c = 0; c < 256; ++c) t[static_cast<size_t>(c)] = static_cast<char>(c);
        const char* pairs[] = {"AT", "CG", "RY", "KM", "BV", "DH"};
        for (const char* p : pairs) {
            t[static_cast<unsigned char>(p[0])] = p[1];
            t[static_cast<unsigned char>(p[1])] = p[0];
        }
        return t;
    }();
    std::string out(letters.size(), ' ');
    for (size_t i = 0; i < letters.size(); ++i)
        out[letters.size() - 1 - i] = partner[static_cast<unsigned char>(letters[i])];
    return out;
}

Orientation find_orientation(const ReferenceAnchors& anchors, std::string_view letters) {
    Orientation o;
    o.probes = probe_count(letters.size());
    std::vector<Hit> hits = probe(anchors, letters);
    // A quarter of the probes on the forward strand settles it: the reverse
    // strand of a human mitogenome shares almost no word with the reference.
    if (static_cast<int32_t>(hits.size()) * 4 < o.probes) {
        const std::string turned = reverse_complement(letters);
        std::vector<Hit> reverse_hits = probe(anchors, turned);
        if (reverse_hits.size() > hits.size()) {
            o.reverse_complement = true;
            o.hits = static_cast<int32_t>(reverse_hits.size());
            o.rotation = find_rotation(anchors, turned, reverse_hits);
            return o;
        }
    }
    o.hits = static_cast<int32_t>(hits.size());
    o.rotation = find_rotation(anchors, letters, hits);
    return o;
}

std::string apply_orientation(std::string_view letters, const Orientation& o) {
    std::string s = o.reverse_complement ? reverse_complement(letters) : std::string(letters);
    if (o.rotation > 0 && o.rotation < s.size())
        std::rotate(s.begin(), s.begin() + static_cast<std::ptrdiff_t>(o.rotation), s.end());
    return s;
}

}  // namespace corvella
