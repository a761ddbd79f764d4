#include "export/network_file.h"

#include <algorithm>


namespace corvella {

namespace {

constexpr int NAME_WIDTH = 7;
constexpr const char* SEQUENCE_LINE_END = "  1\n";

// Finds the column of a variant among the tally's keys. The keys of one
// position are neighbours in tally order, so a table indexed by position
// gives the first of them and a short scan finds the base; positions spread
// too widely for a table fall back to a binary search.
class ColumnFinder {
public:
    explicit ColumnFinder(const VariantTally& tally) {
        keys_.reserve(tally.size());
        for (const auto& entry : tally) keys_.push_back(entry.first);
        if (keys_.empty()) return;
        low_ = keys_.front().position;
        const int64_t span = static_cast<int64_t>(keys_.back().position) - low_ + 1;
        if (span > MAX_TABLE_SPAN) return;
        first_.assign(static_cast<size_t>(span) + 1, 0);
        // first_[q] .. first_[q + 1] are the columns of position low_ + q.
        for (const VariantKey& key : keys_) ++first_[static_cast<size_t>(key.position - low_) + 1];
        for (size_t q = 1; q < first_.size(); ++q) first_[q] += first_[q - 1];
    }

    // The column of (p, b), or -1 when the tally does not hold it.
    int64_t find(int32_t p, char b) const {
        if (first_.empty()) {
            auto it = std::lower_bound(keys_.begin(), keys_.end(), VariantKey{p, b});
            return it != keys_.end() && *it == VariantKey{p, b} ? it - keys_.begin() : -1;
        }
        const int64_t q = static_cast<int64_t>(p) - low_;
        if (q < 0 || q + 1 >= static_cast<int64_t>(first_.size())) return -1;
        for (uint32_t c = first_[static_cast<size_t>(q)]; c < first_[static_cast<size_t>(q) + 1]; ++c)
            if (keys_[c].base == b) return c;
        return -1;
    }

private:
    static constexpr int64_t MAX_TABLE_SPAN = int64_t{1} << 24;  // 64 MB of table at most
    std::vector<VariantKey> keys_;
    int32_t low_ = 0;
    std::vector<uint32_t> first_;
};

}  // namespace

std::string make_sequence_name(int64_t k) {
    std::string name = "s" + std::to_string(k);
    if (name.size() < NAME_WIDTH) name.append(NAME_WIDTH - name.size(), ' ');
    return name;
}

void convert_pos(int32_t p, char c, std::array<std::string, NETWORK_HEADER_LINES>& header) {
    std::string column = std::to_string(p);
    column += c;
    column.append(6, ' ');
    for (int r = 0; r < NETWORK_HEADER_LINES; ++r) header[r] += column[r];
}

std::string build_network_text(const FlatPositions& sample_positions,
                               const FlatTexts& sample_bases,
                               const VariantTally& tally, ProgressSink* progress) {
    const size_t n = sample_positions.size();
    const size_t v_count = tally.size();

    std::array<std::string, NETWORK_HEADER_LINES> header;
    for (std::string& line : header) {
        line.reserve(NAME_WIDTH + v_count);
        line.assign(NAME_WIDTH, ' ');
    }
    for (const auto& entry : tally) {
        const VariantKey& key = entry.first;
        convert_pos(key.position, key.base == 'Z' ? ' ' : key.base, header);
    }
    const ColumnFinder columns(tally);

    const size_t row_size = NAME_WIDTH + v_count + 4;  // names past s999999 grow the text a little
    std::string text;
    text.reserve(NETWORK_HEADER_LINES * (NAME_WIDTH + v_count + 1) + n * row_size + 2 +
                 2 * v_count + v_count / NETWORK_WEIGHTS_PER_LINE + 1);
    for (const std::string& line : header) {
        text += line;
        text += '\n';
    }

    int shown = 0;
    if (progress) progress->start(100);
    for (size_t i = 0; i < n; ++i) {
        if (progress) {
            const int percent = progress_percent(static_cast<int64_t>(i), static_cast<int64_t>(n));
            while (shown < percent) progress->step(++shown);
        }
        text += make_sequence_name(static_cast<int64_t>(i) + 1);
        const size_t row_start = text.size();
        text.append(v_count, '0');
        const PositionView positions = sample_positions[i];
        const TextView bases = sample_bases[i];
        const size_t items = std::min(positions.size(), bases.size());
        for (size_t j = 0; j < items; ++j) {
            const int64_t column = columns.find(positions[j], bases[j]);
            if (column >= 0) text[row_start + static_cast<size_t>(column)] = '1';
        }
        text += SEQUENCE_LINE_END;
    }

    while (progress && shown < 100) progress->step(++shown);
    if (progress) progress->finish();
    text += '\n';
    for (size_t c = 1; c <= v_count; ++c) {
        text += "10";
        if (c % NETWORK_WEIGHTS_PER_LINE == 0) text += '\n';
    }
    text += '\n';
    return text;
}

}  // namespace corvella
