#include "core/indel_calls.h"

namespace corvella {

void IndelCalls::add(uint32_t entry, const Indel& indel, float level) {
    const auto [it, added] = index_.emplace(indel, static_cast<uint32_t>(indels.size()));
    if (added) indels.push_back(indel);
    calls.push_back(IndelCall{entry, it->second, level});
}

void IndelCalls::note_unread(const std::string& token) {
    if (unread++ == 0) first_unread = token;
}

int32_t IndelCalls::last_insertion_at() const {
    if (calls.empty()) return -1;
    const Indel& last = indels[calls.back().indel];
    return last.deleted == 0 ? last.position : -1;
}

void IndelCalls::extend_last(const std::string& letters) {
    const IndelCall last = calls.back();
    calls.pop_back();
    Indel longer = indels[last.indel];
    longer.inserted += letters;
    add(last.entry, longer, last.level);
}

void IndelCalls::append(const IndelCalls& other, uint32_t first_entry, int64_t first_item) {
    for (const IndelCall& c : other.calls) add(first_entry + c.entry, other.indels[c.indel], c.level);
    for (const int64_t item : other.dot_items) dot_items.push_back(first_item + item);
    if (other.unread > 0 && unread == 0) first_unread = other.first_unread;
    unread += other.unread;
}

}  // namespace corvella
