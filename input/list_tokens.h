// The polymorphism list format, shared by the two readers of such lists: the
// list reader that feeds the counting windows and the network reader.
//
// A list is made of lines: ">name" lines, comment lines (empty or starting
// with "N", such as the caller's "Numbering Reference") and variant lines
// whose tokens are separated by blanks (" " only; a tab is part of a token).
// Each reader decides which positions it accepts and how a bare position gets
// its base; everything else about the format lives here.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/indel_calls.h"
#include "core/sample_store.h"
#include "input/mapped_file.h"
#include "input/text_file.h"

namespace corvella {

// The leading decimal number of `text`, read as the C library reads a long:
// leading white space and one sign are allowed, reading stops at the first
// character that is not a digit, no digit at all gives 0. A number that does
// not fit in a signed 32-bit integer gives nothing: it is out of range and
// must never wrap into a small valid position (4294967369 is not 73).
std::optional<int32_t> leading_decimal(std::string_view text);

// What a variant token says before a reader applies its own position rule.
struct VariantToken {
    int32_t position;  // leading decimal number, may be 0 or negative
    char base;         // 'A', 'C', 'G', 'T', or 0 for a bare position (a transition)
};

// Reads one token. Nothing for the forms every reader skips: a token holding
// "ins" or "del", a token whose last character is neither one of A, C, G, T
// nor a digit (16519a, 2000-2002N, 1missing5bp), and a position out of the
// 32-bit range. 309.1C reads as position 309 with base C.
inline std::optional<VariantToken> read_variant_token(std::string_view token);

// Reads a token that holds "ins" or "del" as the insertion or deletion it
// describes on `reference` (upper-case letters, position p at index p - 1):
// "310insC" (C after 310; also "310_311insC"), "523delAC" (the letters from
// 523 on, which must be the reference's; an N on either side matches),
// "523del" (one letter), "8281-8289del" or "8281_8289del" (a range, with its
// letters or without), letters in either case; and the insertion a list
// writes "309.1C" (C after 309, upper case only). Nothing for any other
// token, or one that reaches outside the reference.
std::optional<Indel> read_indel_token(std::string_view token, std::string_view reference);

// The reading itself is inline: the list readers call it for every token of
// files of hundreds of megabytes.
namespace detail {

inline bool is_c_space(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

inline bool is_digit(char c) { return c >= '0' && c <= '9'; }

// The number at the start of `text` as leading_decimal reads it, and where
// its digits end.
struct Decimal {
    int64_t value;
    size_t end;
};

inline Decimal scan_decimal(std::string_view text) {
    size_t i = 0;
    const size_t n = text.size();
    bool negative = false;
    if (i < n && !is_digit(text[i])) {
        while (i < n && is_c_space(text[i])) ++i;
        if (i < n && (text[i] == '+' || text[i] == '-')) {
            negative = text[i] == '-';
            ++i;
        }
    }
    // Leading zeros add nothing (0000073 is 73). After them, eighteen digits
    // always fit in 64 bits; a longer number is past the 32-bit range, so its
    // remaining digits are only skipped and the value stays out of range
    // instead of wrapping.
    while (i < n && text[i] == '0') ++i;
    int64_t value = 0;
    const size_t exact_end = std::min(n, i + 18);
    for (; i < exact_end && is_digit(text[i]); ++i) value = value * 10 + (text[i] - '0');
    if (i == exact_end && i < n && is_digit(text[i])) {
        value = int64_t{1} << 40;
        while (i < n && is_digit(text[i])) ++i;
    }
    return Decimal{negative ? -value : value, i};
}

inline bool fits_int32(int64_t value) { return value >= INT32_MIN && value <= INT32_MAX; }

// Whether "ins" or "del" occurs in `text`, in one pass over its bytes.
inline bool holds_ins_or_del(std::string_view text) {
    for (size_t i = 0; i + 2 < text.size(); ++i) {
        const char c = text[i];
        if (c == 'i' && text[i + 1] == 'n' && text[i + 2] == 's') return true;
        if (c == 'd' && text[i + 1] == 'e' && text[i + 2] == 'l') return true;
    }
    return false;
}

}  // namespace detail

inline std::optional<VariantToken> read_variant_token(std::string_view token) {
    if (token.empty()) return std::nullopt;
    const char last = token.back();
    char base = 0;
    if (last == 'A' || last == 'C' || last == 'G' || last == 'T') {
        base = last;
    } else if (!detail::is_digit(last)) {
        return std::nullopt;
    }
    const detail::Decimal d = detail::scan_decimal(token);
    // What precedes the digits' end is blanks, a sign and digits, so "ins"
    // or "del" can only lie after it; a plain token has at most its base there.
    if (detail::holds_ins_or_del(token.substr(d.end))) return std::nullopt;
    if (!detail::fits_int32(d.value)) return std::nullopt;
    return VariantToken{static_cast<int32_t>(d.value), base};
}

enum class ListLineKind { Name, Comment, Variants };
inline ListLineKind list_line_kind(std::string_view line) {
    if (!line.empty() && line[0] == '>') return ListLineKind::Name;
    if (line.empty() || line[0] == 'N') return ListLineKind::Comment;
    return ListLineKind::Variants;
}

// Calls on_token(token) for every blank-separated token of a variant line.
template <class OnToken>
void for_each_token(std::string_view line, OnToken&& on_token) {
    size_t i = 0;
    const size_t n = line.size();
    while (i < n) {
        while (i < n && line[i] == ' ') ++i;
        const size_t start = i;
        while (i < n && line[i] != ' ') ++i;
        if (i > start) on_token(line.substr(start, i - start));
    }
}

// Calls on_variant(position, base) for every token of a variant line that
// read_variant_token reads, in one pass over the line, and on_indel(token,
// false) for every token it skips that holds "ins" or "del", and
// on_indel(token, true) right after the on_variant of an insertion it reads
// as a base ("309.1C", a dot after the digits). The usual tokens (up to nine digits, with or without one base
// letter) are read on the way; any other token goes to read_variant_token
// whole.
template <class OnVariant, class OnIndel>
void for_each_variant(std::string_view line, OnVariant&& on_variant, OnIndel&& on_indel) {
    const char* p = line.data();
    const char* const end = p + line.size();
    while (p < end) {
        if (*p == ' ') {
            ++p;
            continue;
        }
        const char* const start = p;
        uint64_t value = 0;  // only used when it has at most nine digits
        while (p < end && detail::is_digit(*p)) value = value * 10 + static_cast<uint64_t>(*p++ - '0');
        const char* const digits_end = p;
        while (p < end && *p != ' ') ++p;
        const auto digits = digits_end - start;
        const auto rest = p - digits_end;
        if (digits >= 1 && digits <= 9 && rest <= 1) {
            const char last = rest == 0 ? 0 : *digits_end;
            if (last == 0 || last == 'A' || last == 'C' || last == 'G' || last == 'T') {
                on_variant(static_cast<int32_t>(value), last);
                continue;
            }
        }
        const std::string_view token(start, static_cast<size_t>(p - start));
        if (const std::optional<VariantToken> v = read_variant_token(token)) {
            on_variant(v->position, v->base);
            if (v->base != 0 && digits >= 1 && rest >= 3 && *digits_end == '.') on_indel(token, true);
        } else if (detail::holds_ins_or_del(token)) {
            on_indel(token, false);
        }
    }
}

template <class OnVariant>
void for_each_variant(std::string_view line, OnVariant&& on_variant) {
    for_each_variant(line, std::forward<OnVariant>(on_variant), [](std::string_view, bool) {});
}

// The in-memory form of a list: one entry of positions and bases per variant
// line (parallel, item by item), one name per name line (the whole line with
// its ">"). Flat stores (core/sample_store.h). A fresh value that a reader
// fills; the workspace takes it only when the read succeeded. A reader that
// is given the reference also keeps the insertion and deletion tokens.
struct SampleLists {
    FlatPositions positions;
    FlatTexts bases;
    FlatTexts names;
    IndelCalls indels;
};

// How a large list is read on several cores: the text is cut into pieces at
// name lines, the pieces are parsed at the same time and joined in file
// order, so the result is the same bytes for any number of threads.
struct ListSplit {
    ListSplit() = default;
    ListSplit(unsigned threads_, std::size_t piece_bytes_) : threads(threads_), piece_bytes(piece_bytes_) {}

    unsigned threads = 0;                      // 0: reading_threads()
    std::size_t piece_bytes = std::size_t{1} << 22;  // a text shorter than two pieces is read in one
    // Called with each piece once it is parsed (from the thread that parsed
    // it): the reader keeps nothing that points into the text, so a mapped
    // file can give those pages back while the rest is read
    // (FileBytes::release_part).
    std::function<void(std::string_view)> parsed;
};

// `split` that also releases each parsed piece of the mapped `file` (which
// must outlive the read).
inline ListSplit releasing(const FileBytes& file, ListSplit split) {
    split.parsed = [&file, then = std::move(split.parsed)](std::string_view part) {
        file.release_part(part);
        if (then) then(part);
    };
    return split;
}

// The cores to read on: CORVELLA_THREADS when it holds a number from 1 up,
// else every core the machine reports.
unsigned reading_threads();

// Cuts `text` into at most `pieces` consecutive pieces, each after the first
// starting at a name line (a ">" right after a line end), so that no piece
// cuts a line and every entry stays with the name lines before it. Fewer
// pieces when the text has fewer name lines. The pieces cover the text.
std::vector<std::string_view> split_list_text(std::string_view text, std::size_t pieces);

// Runs task(k) for k in 0..tasks-1 on up to `threads` threads (the caller's
// among them); each task runs exactly once.
void run_tasks(std::size_t tasks, unsigned threads, const std::function<void(std::size_t)>& task);

// Joins pieces into one store in order, freeing each piece once copied.
template <class T, class View>
void join_runs(std::vector<FlatRuns<T, View>*>& pieces, FlatRuns<T, View>& out, unsigned threads) {
    std::size_t items = 0;
    std::size_t runs = 0;
    std::vector<std::size_t> item_at(pieces.size());
    std::vector<std::size_t> run_at(pieces.size());
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        item_at[k] = items;
        run_at[k] = runs;
        items += pieces[k]->items().size();
        runs += pieces[k]->size();
    }
    out.clear();
    out.mutable_items().resize(items);
    out.mutable_ends().resize(runs);
    run_tasks(pieces.size(), threads, [&](std::size_t k) {
        FlatRuns<T, View>& piece = *pieces[k];
        std::copy(piece.items().begin(), piece.items().end(), out.mutable_items().begin() + static_cast<std::ptrdiff_t>(item_at[k]));
        std::size_t* ends = out.mutable_ends().data() + run_at[k];
        for (std::size_t e : piece.ends()) *ends++ = e + item_at[k];
        piece = FlatRuns<T, View>();
    });
}

// Counts nothing: the counter of a reader that keeps no tally.
struct NoCount {
    void operator()(int32_t, char) {}
    void merge(const NoCount&) {}
};

namespace detail {

template <class Resolve, class Count>
void parse_list_piece(std::string_view text, const Resolve& resolve, SampleLists& out, Count& count,
                      std::string_view indel_reference) {
    for_each_line(text, [&](std::string_view line) {
        switch (list_line_kind(line)) {
            case ListLineKind::Name:
                out.names.push_back(line);
                return;
            case ListLineKind::Comment:
                return;
            case ListLineKind::Variants:
                break;
        }
        // The last token read, when it was a 309.1C insertion, and its item.
        int64_t tokens = 0, stored_at = -1, dotted_at = -1;
        for_each_variant(line, [&](int32_t position, char base) {
            ++tokens;
            stored_at = -1;
            const char stored = resolve(position, base);
            if (stored == 0) return;
            stored_at = static_cast<int64_t>(out.positions.items().size());
            out.positions.append_item(position);
            out.bases.append_item(stored);
            count(position, stored);
        }, [&](std::string_view token, bool dotted) {
            if (indel_reference.empty()) return;
            const auto entry = static_cast<uint32_t>(out.positions.size());
            if (!dotted) ++tokens;
            const std::optional<Indel> indel = read_indel_token(token, indel_reference);
            if (!indel) {
                // A 309.1C the list reader stored outside the reference is
                // passed over by both.
                if (!dotted) out.indels.note_unread(std::string(token));
                return;
            }
            if (dotted) {
                // Counted as its base there too: the tables leave that item out.
                if (stored_at >= 0) out.indels.dot_items.push_back(stored_at);
                // 309.1C 309.2C, one token after the other, insert CC.
                if (dotted_at == tokens - 1 && !out.indels.calls.empty() && out.indels.calls.back().entry == entry &&
                    out.indels.last_insertion_at() == indel->position) {
                    out.indels.extend_last(indel->inserted);
                    dotted_at = tokens;
                    return;
                }
                dotted_at = tokens;
            }
            out.indels.add(entry, *indel);
        });
        out.positions.end_run();
        out.bases.end_run();
    });
}

}  // namespace detail

// Parses a whole list text into `out` (which starts empty). For every token
// that reads, resolve(position, base) returns the base to store, or 0 to skip
// the token (base is 0 for a bare position); it may be called from several
// threads at once. Every stored item also goes to `count` (a copy per piece,
// merged in file order into *count) when one is given. Returns the number of
// variant entries, or -2 when there are more variant lines than name lines.
// A variant line whose tokens are all skipped still makes an (empty) entry.
// With `indel_reference` (the reference's letters) the insertion and
// deletion tokens go to out.indels (read_indel_token).
template <class Resolve, class Count = NoCount>
int32_t parse_sample_lists(std::string_view text, const Resolve& resolve, SampleLists& out,
                           const ListSplit& split = ListSplit{}, Count* count = nullptr,
                           std::string_view indel_reference = {}) {
    const unsigned threads = split.threads != 0 ? split.threads : reading_threads();
    const std::size_t piece_bytes = std::max<std::size_t>(split.piece_bytes, 1);
    // A few pieces per thread even out pieces of unequal cost and keep the
    // pieces small beside the joined store.
    // On one thread the pieces are parsed one after the other straight into
    // `out` (only so that each can be released once read).
    const std::size_t most = threads <= 1 ? std::size_t{64} : std::size_t{8} * threads;
    const std::size_t wanted = split.parsed || threads > 1 ? std::min<std::size_t>(text.size() / piece_bytes, most) : 1;
    const std::vector<std::string_view> texts = split_list_text(text, std::max<std::size_t>(wanted, 1));
    Count none{};
    Count& total = count != nullptr ? *count : none;
    if (texts.size() <= 1 || threads <= 1) {
        for (std::string_view piece : texts) {
            detail::parse_list_piece(piece, resolve, out, total, indel_reference);
            if (split.parsed) split.parsed(piece);
        }
    } else {
        std::vector<SampleLists> pieces(texts.size());
        std::vector<Count> counts(texts.size(), total);
        run_tasks(texts.size(), threads, [&](std::size_t k) {
            // Room for as many items as the piece could hold (each token and
            // its separator take two bytes at least), so the piece never
            // moves while it grows; only the pages written are memory.
            pieces[k].positions.reserve(0, texts[k].size() / 2 + 1);
            pieces[k].bases.reserve(0, texts[k].size() / 2 + 1);
            detail::parse_list_piece(texts[k], resolve, pieces[k], counts[k], indel_reference);
            if (split.parsed) split.parsed(texts[k]);
        });
        if (count != nullptr) {
            *count = Count(counts[0]);
            for (std::size_t k = 1; k < counts.size(); ++k) count->merge(counts[k]);
        }
        std::vector<FlatPositions*> positions;
        std::vector<FlatTexts*> bases;
        std::vector<FlatTexts*> names;
        std::vector<std::size_t> entry_counts, item_counts;  // join_runs empties the pieces
        for (SampleLists& piece : pieces) {
            entry_counts.push_back(piece.positions.size());
            item_counts.push_back(piece.positions.items().size());
            positions.push_back(&piece.positions);
            bases.push_back(&piece.bases);
            names.push_back(&piece.names);
        }
        join_runs(positions, out.positions, threads);
        join_runs(bases, out.bases, threads);
        join_runs(names, out.names, threads);
        uint32_t first_entry = 0;
        int64_t first_item = 0;
        for (std::size_t k = 0; k < pieces.size(); ++k) {
            out.indels.append(pieces[k].indels, first_entry, first_item);
            first_entry += static_cast<uint32_t>(entry_counts[k]);
            first_item += static_cast<int64_t>(item_counts[k]);
        }
    }
    if (out.names.size() < out.positions.size()) return -2;
    return static_cast<int32_t>(out.positions.size());
}

}  // namespace corvella
