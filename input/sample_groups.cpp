#include "input/sample_groups.h"

#include <algorithm>
#include <cctype>
#include <unordered_map>

#include "input/polymorphism_list.h"
#include "input/text_file.h"

namespace corvella {

const char* const UNNAMED_GROUP = "(none)";
const char* const ALL_GROUP = "all";

namespace {

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    if (s.size() >= 2 && s.front() == '"' && s.back() == '"') s = s.substr(1, s.size() - 2);
    return s;
}

// The first two fields, and how many fields the line has: empty fields past
// the second do not count (a tab table often ends its lines with a tab).
size_t split_fields(std::string_view line, char separator, std::string_view (&first_two)[2]) {
    size_t count = 0, start = 0, meaningful = 0;
    while (true) {
        const size_t at = line.find(separator, start);
        const std::string_view field =
            trim(line.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start));
        if (count < 2) first_two[count] = field;
        ++count;
        if (!field.empty() || count <= 2) meaningful = count;
        if (at == std::string_view::npos) break;
        start = at + 1;
    }
    return meaningful;
}

bool equals_lower(std::string_view field, std::string_view word) {
    return field.size() == word.size() &&
           std::equal(field.begin(), field.end(), word.begin(),
                      [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

uint64_t name_hash(std::string_view name) {
    uint64_t h = 1469598103934665603ULL;  // FNV-1a
    for (const char c : name) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    return h ^ (h >> 29);
}

GroupFileRead refuse(int32_t line, const std::string& reason) {
    GroupFileRead read;
    read.message = "line " + std::to_string(line) + ": " + reason;
    return read;
}

}  // namespace

int64_t GroupFileRead::find(std::string_view name) const {
    if (table_.empty()) return -1;
    const size_t mask = table_.size() - 1;
    for (size_t i = name_hash(name) & mask; table_[i] != 0; i = (i + 1) & mask)
        if (sample(table_[i] - 1) == name) return table_[i] - 1;
    return -1;
}

int64_t GroupFileRead::add(uint32_t at, uint32_t size, uint32_t group, int32_t line) {
    const std::string_view name = std::string_view(text_).substr(at, size);
    if (const int64_t k = find(name); k >= 0) return k;
    if ((entries_.size() + 1) * 2 > table_.size()) {
        table_.assign(std::max<size_t>(64, table_.size() * 2), 0);
        const size_t mask = table_.size() - 1;
        for (size_t k = 0; k < entries_.size(); ++k) {
            size_t i = name_hash(sample(k)) & mask;
            while (table_[i] != 0) i = (i + 1) & mask;
            table_[i] = static_cast<uint32_t>(k + 1);
        }
    }
    const size_t mask = table_.size() - 1;
    size_t i = name_hash(name) & mask;
    while (table_[i] != 0) i = (i + 1) & mask;
    entries_.push_back({at, size, group, line});
    table_[i] = static_cast<uint32_t>(entries_.size());
    return -1;
}

GroupFileRead parse_group_text(std::string text) {
    GroupFileRead read;
    read.text_ = std::move(text);
    const std::string_view all(read.text_);
    std::unordered_map<std::string_view, uint32_t> group_index;
    char separator = 0;
    bool first = true;
    int32_t number = 0;
    size_t pos = 0;
    std::string_view line;
    std::string_view fields[2];
    if (read.text_.size() > UINT32_MAX) return refuse(0, "the file is larger than 4 GB");
    while (next_line(all, pos, line)) {
        ++number;
        if (trim(line).empty() || line.front() == '#') continue;
        if (separator == 0) separator = line.find('\t') != std::string_view::npos ? '\t' : ',';
        const size_t count = split_fields(line, separator, fields);
        const bool header = first && count == 2 && equals_lower(fields[0], "sample") && equals_lower(fields[1], "group");
        first = false;
        if (header) continue;
        if (count == 1)
            return refuse(number, std::string("no group after the sample name (fields are separated by ") +
                                      (separator == '\t' ? "tabs" : "commas") + ")");
        if (count > 2)
            return refuse(number, std::to_string(count) + " fields; a line holds a sample and its group");
        if (fields[0].empty()) return refuse(number, "no sample name");
        if (fields[1].empty()) return refuse(number, "no group for sample " + std::string(fields[0]));
        if (fields[1] == ALL_GROUP)
            return refuse(number, "the group name \"all\" stands for every sample; give the group another name");
        auto [g, added] = group_index.emplace(fields[1], static_cast<uint32_t>(read.groups_.size()));
        const uint32_t at = static_cast<uint32_t>(fields[0].data() - all.data());
        const int64_t before = read.add(at, static_cast<uint32_t>(fields[0].size()), g->second, number);
        if (before >= 0 && read.group_index(static_cast<size_t>(before)) != g->second) {
            return refuse(number, "sample " + std::string(fields[0]) + " is already in group " +
                                      read.group(static_cast<size_t>(before)) + " (line " +
                                      std::to_string(read.line(static_cast<size_t>(before))) + ")");
        }
        if (added) read.groups_.emplace_back(fields[1]);
    }
    read.ok = true;
    return read;
}

GroupFileRead read_group_file(const std::string& path) {
    std::string text;
    if (!read_text_file(path, text)) {
        GroupFileRead read;
        read.message = "File cannot be opened.";
        return read;
    }
    return parse_group_text(std::move(text));
}

SampleGroups assign_sample_groups(const Workspace& ws, const GroupFileRead& file) {
    SampleGroups groups;
    groups.from_file = true;
    groups.names = file.groups();
    const size_t n = ws.sample_positions.size();
    constexpr uint32_t UNNAMED = UINT32_MAX;
    groups.of_sample.assign(n, UNNAMED);
    std::vector<bool> matched(file.size(), false);
    bool unnamed = false;
    for (size_t i = 0; i < n; ++i) {
        std::string_view name = sample_name(ws, i);
        if (!name.empty() && name.front() == '>') name.remove_prefix(1);
        const int64_t k = file.find(name);
        if (k < 0) {
            unnamed = true;
            continue;
        }
        groups.of_sample[i] = file.group_index(static_cast<size_t>(k));
        matched[static_cast<size_t>(k)] = true;
    }
    for (const bool m : matched)
        if (!m) ++groups.unknown_names;
    if (unnamed) {
        // A file may name "(none)" itself: those samples join the unnamed ones.
        const auto it = std::find(groups.names.begin(), groups.names.end(), UNNAMED_GROUP);
        const auto index = static_cast<uint32_t>(it - groups.names.begin());
        if (it == groups.names.end()) groups.names.push_back(UNNAMED_GROUP);
        for (uint32_t& g : groups.of_sample)
            if (g == UNNAMED) g = index;
    }
    return groups;
}

Workspace group_workspace(const Workspace& ws, const SampleGroups& groups, uint32_t group) {
    Workspace out = ws;
    out.sample_positions.clear();
    out.sample_bases.clear();
    out.sample_names.clear();
    out.sample_levels.clear();
    out.sample_indels.clear();
    // A list's names may hold one line more than its entries (the names are
    // then one behind); keep that first line so sample_name still pairs them.
    const size_t samples = ws.sample_positions.size();
    const bool extra_name = ws.sample_names.size() > samples;
    if (extra_name) out.sample_names.push_back(ws.sample_names[0]);
    const bool leveled = !ws.sample_levels.empty();
    size_t item = 0;
    std::vector<int64_t> kept_as(samples, -1);  // each kept sample's entry in `out`
    const std::vector<int64_t>& dots = ws.sample_indels.dot_items;
    size_t next_dot = 0;
    for (size_t i = 0; i < samples; ++i) {
        const PositionView p = ws.sample_positions[i];
        const bool keep = i < groups.of_sample.size() && groups.of_sample[i] == group;
        if (keep) {
            kept_as[i] = static_cast<int64_t>(out.sample_positions.size());
            const auto moved = static_cast<int64_t>(out.sample_positions.items().size()) - static_cast<int64_t>(item);
            for (; next_dot < dots.size() && dots[next_dot] < static_cast<int64_t>(item + p.size()); ++next_dot)
                if (dots[next_dot] >= static_cast<int64_t>(item)) out.sample_indels.dot_items.push_back(dots[next_dot] + moved);
            out.sample_positions.push_back(p);
            out.sample_bases.push_back(ws.sample_bases[i]);
            const size_t name = extra_name ? i + 1 : i;
            if (name < ws.sample_names.size()) out.sample_names.push_back(ws.sample_names[name]);
            if (leveled)
                out.sample_levels.insert(out.sample_levels.end(), ws.sample_levels.begin() + static_cast<std::ptrdiff_t>(item),
                                         ws.sample_levels.begin() + static_cast<std::ptrdiff_t>(item + p.size()));
        }
        item += p.size();
    }
    for (const IndelCall& call : ws.sample_indels.calls)
        if (call.entry < samples && kept_as[call.entry] >= 0)
            out.sample_indels.add(static_cast<uint32_t>(kept_as[call.entry]), ws.sample_indels.indels[call.indel], call.level);
    build_variant_tally(out);
    return out;
}

std::string unknown_names_warning(const SampleGroups& groups, const std::string& path) {
    if (groups.unknown_names == 0) return std::string();
    const size_t slash = path.find_last_of('/');
    const std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
    return std::to_string(groups.unknown_names) + (groups.unknown_names == 1 ? " name" : " names") + " in " + file +
           (groups.unknown_names == 1 ? " matches" : " match") + " no sample of the cohort";
}

}  // namespace corvella
