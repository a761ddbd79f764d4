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

void IndelCalls::append(const IndelCalls& other, uint32_t first_entry) {
    for (const IndelCall& c : other.calls) add(first_entry + c.entry, other.indels[c.indel], c.level);
    if (other.unread > 0 && unread == 0) first_unread = other.first_unread;
    unread += other.unread;
}

}  // namespace corvella
