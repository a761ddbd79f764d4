// The insertions and deletions the samples carry. The counting reports read
// single-letter changes only (the sample lists); insertions and deletions
// are kept beside them, as the readers found them, for the tables that
// annotate every variant.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace corvella {

// One insertion or deletion as a list token spells it: "310insC" inserts C
// after position 310; "523delAC" removes the 2 letters from 523 on.
struct Indel {
    int32_t position = 0;  // insertion: the letter it follows; deletion: the first letter removed
    int32_t deleted = 0;   // letters removed (0 for an insertion)
    std::string inserted;  // letters inserted (empty for a deletion)
    bool operator<(const Indel& o) const {
        return std::tie(position, deleted, inserted) < std::tie(o.position, o.deleted, o.inserted);
    }
    bool operator==(const Indel& o) const {
        return position == o.position && deleted == o.deleted && inserted == o.inserted;
    }
};

// One sample entry's call of one indel.
struct IndelCall {
    uint32_t entry = 0;  // the sample entry (index of the sample lists)
    uint32_t indel = 0;  // index into IndelCalls::indels
    float level = 1.0f;  // heteroplasmy level 0..1; 1 for lists and HSD
};

struct IndelCalls {
    std::vector<Indel> indels;     // distinct, in order of first appearance
    std::vector<IndelCall> calls;  // by entry, then in token order
    // Tokens holding "ins" or "del" that do not describe an indel on the
    // reference, and the first of them.
    int64_t unread = 0;
    std::string first_unread;
    // The items of the sample lists (flat index, over all entries) that are
    // a list's 309.1C: the list reader stores them as (309, C) for the
    // counting reports; the tables read them as the insertions here.
    std::vector<int64_t> dot_items;

    // Adds a call of `indel` by `entry` (entries come in ascending order).
    void add(uint32_t entry, const Indel& indel, float level = 1.0f);
    void note_unread(const std::string& token);
    // Appends `other`, whose entries and items are numbered from 0, as
    // entries from `first_entry` and items from `first_item` on.
    void append(const IndelCalls& other, uint32_t first_entry, int64_t first_item);
    // The position of the last call's indel when it is an insertion, else -1;
    // and that insertion made longer by `letters` (a call of its own).
    int32_t last_insertion_at() const;
    void extend_last(const std::string& letters);
    bool empty() const { return calls.empty() && unread == 0; }
    void clear() { *this = IndelCalls(); }

private:
    std::map<Indel, uint32_t> index_;
};

}  // namespace corvella
