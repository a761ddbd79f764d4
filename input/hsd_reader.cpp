#include "input/hsd_reader.h"

#include "input/text_file.h"

namespace corvella {

namespace {

char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_acgt(char c) { return c == 'A' || c == 'C' || c == 'G' || c == 'T'; }
// The IUPAC codes for more than one base, and N.
bool is_ambiguity(char c) {
    switch (c) {
        case 'N': case 'R': case 'Y': case 'K': case 'M': case 'S': case 'W': case 'B': case 'D': case 'H': case 'V':
            return true;
        default: return false;
    }
}

bool equal_ignoring_case(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (upper(a[i]) != upper(b[i])) return false;
    return true;
}

// Calls on_field(field) for every tab-separated field of a line.
template <class OnField>
void for_each_field(std::string_view line, OnField&& on_field) {
    size_t start = 0;
    for (;;) {
        const size_t tab = line.find('\t', start);
        on_field(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
        if (tab == std::string_view::npos) return;
        start = tab + 1;
    }
}

bool only_blanks(std::string_view line) {
    for (char c : line)
        if (c != '\t' && c != ' ') return false;
    return true;
}

// Where a line holds a NUL byte, which no text has and every binary file
// does, or npos. An odd control byte in a word only makes it unreadable.
size_t not_text_at(std::string_view line) { return line.find('\0'); }

std::string hex_byte(char c) {
    static const char hex[] = "0123456789ABCDEF";
    const auto u = static_cast<unsigned char>(c);
    return std::string{hex[u >> 4], hex[u & 15]};
}

}  // namespace

HsdVariant read_hsd_variant(std::string_view word, std::string_view reference) {
    HsdVariant v;
    size_t i = 0;
    int64_t position = 0;
    while (i < word.size() && is_digit(word[i])) {
        if (position < 100000000) position = position * 10 + (word[i] - '0');
        ++i;
    }
    if (i == 0) return v;
    const std::string_view rest = word.substr(i);
    const int64_t length = static_cast<int64_t>(reference.size());
    const bool inside = position >= 1 && position <= length;
    v.position = static_cast<int32_t>(position);

    // A lower-case d alone is a deletion; every other single letter is a base
    // in either case.
    if (rest.size() == 1 && rest[0] != 'd' && (is_acgt(upper(rest[0])) || is_ambiguity(upper(rest[0])))) {
        const char base = upper(rest[0]);
        if (!is_acgt(base)) {
            v.kind = HsdVariant::Ambiguous;
        } else if (!inside) {
            v.kind = HsdVariant::Outside;
        } else if (base == reference[static_cast<size_t>(position - 1)]) {
            v.kind = HsdVariant::SameAsReference;
        } else if (reference[static_cast<size_t>(position - 1)] == 'N') {
            v.kind = HsdVariant::Placeholder;
        } else {
            v.kind = HsdVariant::Snv;
            v.base = base;
        }
        return v;
    }
    if (rest == "d" || rest == "del" || rest == "DEL") {
        if (!inside) {
            v.kind = HsdVariant::Outside;
            return v;
        }
        v.kind = HsdVariant::Token;
        v.token = std::to_string(position) + "del" + reference[static_cast<size_t>(position - 1)];
        return v;
    }
    if (rest.size() >= 3 && rest[0] == '.' && is_digit(rest[1])) {
        size_t k = 1;
        while (k < rest.size() && is_digit(rest[k])) ++k;
        const std::string_view letters = rest.substr(k);
        if (letters.empty()) return v;
        std::string inserted;
        bool ambiguous = false;
        for (char c : letters) {
            const char u = upper(c);
            if (is_acgt(u)) {
                inserted += u;
            } else if (is_ambiguity(u)) {
                ambiguous = true;
            } else {
                return v;
            }
        }
        if (ambiguous) {
            v.kind = HsdVariant::Ambiguous;
        } else if (!inside) {
            v.kind = HsdVariant::Outside;
        } else {
            v.kind = HsdVariant::Token;
            v.token = std::to_string(position) + "ins" + inserted;
        }
        return v;
    }
    return v;
}

std::string parse_hsd_text(std::string_view text, std::string_view reference, std::vector<ConvertedSample>& samples,
                           ImportSummary& summary) {
    summary.hsd = true;
    size_t pos = 0;
    std::string_view line;
    int64_t line_number = 0;
    bool first_line = true;
    bool any_sample = false;
    while (next_line(text, pos, line)) {
        ++line_number;
        if (line.empty() || only_blanks(line)) continue;
        if (const size_t bad = not_text_at(line); bad != std::string_view::npos)
            return "line " + std::to_string(line_number) + " holds bytes that are not text (the byte 0x" +
                   hex_byte(line[bad]) + " in column " + std::to_string(bad + 1) + "): it is not an HSD line.";
        std::string_view id = line.substr(0, line.find('\t'));
        // A carriage return left at the end of the id (a file with CR CR LF
        // line ends) would be taken for the line end of the list's name line.
        while (!id.empty() && id.back() == '\r') id.remove_suffix(1);
        if (first_line) {
            first_line = false;
            if (equal_ignoring_case(id, "SampleId")) continue;
        }
        any_sample = true;
        ++summary.records;
        ++summary.samples;
        ConvertedSample sample;
        sample.name = std::string(id);
        // Where the last indel token written ends in `tokens`, the position an
        // insertion there follows, the position a deletion there reaches.
        size_t last_token_end = 0;
        int32_t last_insertion_at = -1, last_deletion_next = -1;
        int field = 0;
        for_each_field(line, [&](std::string_view f) {
            if (field++ < 3) return;  // sample id, range, haplogroup
            size_t i = 0;
            while (i < f.size()) {
                while (i < f.size() && f[i] == ' ') ++i;
                const size_t start = i;
                while (i < f.size() && f[i] != ' ') ++i;
                if (i == start) continue;
                const std::string_view word = f.substr(start, i - start);
                ++summary.variants;
                const HsdVariant v = read_hsd_variant(word, reference);
                switch (v.kind) {
                    case HsdVariant::Snv:
                        append_snv_token(sample.tokens, v.position, v.base, reference);
                        sample.levels.push_back(1.0f);
                        ++summary.calls;
                        break;
                    case HsdVariant::Token: {
                        // One change written word by word is one token: 309.1C
                        // 309.2C inserts CC after 309, 523d 524d deletes AC.
                        const size_t ins = v.token.find("ins");
                        const size_t letters = v.token.find_first_not_of("0123456789") + 3;
                        const bool continues = sample.tokens.size() == last_token_end && last_token_end > 0 &&
                                               (ins != std::string::npos ? last_insertion_at == v.position
                                                                         : last_deletion_next == v.position);
                        // Counted word by word, as every variant word is.
                        ++summary.indel_tokens;
                        if (continues) {
                            sample.tokens.pop_back();
                        } else {
                            sample.tokens.append(v.token, 0, letters);
                        }
                        sample.tokens.append(v.token, letters, std::string::npos);
                        sample.tokens += ' ';
                        last_token_end = sample.tokens.size();
                        last_insertion_at = ins != std::string::npos ? v.position : -1;
                        last_deletion_next = ins == std::string::npos ? v.position + 1 : -1;
                        break;
                    }
                    case HsdVariant::SameAsReference: ++summary.same_as_reference; break;
                    case HsdVariant::Ambiguous: ++summary.other_shapes; break;
                    case HsdVariant::Outside: ++summary.outside_reference; break;
                    case HsdVariant::Placeholder:
                        if (summary.placeholder++ == 0) summary.first_placeholder = v.position;
                        break;
                    case HsdVariant::Unreadable:
                        if (summary.unreadable++ == 0) {
                            summary.first_unreadable = std::string(word.substr(0, 40));
                            summary.first_unreadable_line = line_number;
                        }
                        break;
                }
            }
        });
        samples.push_back(std::move(sample));
    }
    if (!any_sample)
        return "no sample line: an HSD line holds the sample id, the range, the haplogroup and the variants, "
               "separated by tabs.";
    return {};
}

}  // namespace corvella
