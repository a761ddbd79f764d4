// Sample groups: which group (haplogroup, population, cases or controls)
// each sample of the cohort belongs to, read from a table of sample name and
// group. Every sample the table does not name is in the group "(none)".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/workspace.h"

namespace corvella {

// The group of the samples a groups file does not name.
extern const char* const UNNAMED_GROUP;
// The one group of a cohort read without a groups file, and the rows that
// cover every sample whatever the groups.
extern const char* const ALL_GROUP;

// A groups file as read: the file's bytes, and per line of a sample its name
// (a piece of those bytes) and its group. Samples are found by name through
// a hash table of their entries, so a million names cost a few bytes each
// beside the file.
class GroupFileRead {
public:
    bool ok = false;
    std::string message;  // why the file was refused: "line N: ..." or that it cannot be opened

    size_t size() const { return entries_.size(); }
    std::string_view sample(size_t k) const { return std::string_view(text_).substr(entries_[k].at, entries_[k].size); }
    uint32_t group_index(size_t k) const { return entries_[k].group; }
    const std::string& group(size_t k) const { return groups_[entries_[k].group]; }
    int32_t line(size_t k) const { return entries_[k].line; }
    // The groups in the order the file first names them.
    const std::vector<std::string>& groups() const { return groups_; }
    // The entry of a sample, or -1.
    int64_t find(std::string_view sample) const;

private:
    friend GroupFileRead parse_group_text(std::string text);
    struct Entry {
        uint32_t at, size;  // the name in text_
        uint32_t group;
        int32_t line;
    };
    // Adds the sample unless it is there; the entry it has, or -1 when added.
    int64_t add(uint32_t at, uint32_t size, uint32_t group, int32_t line);

    std::string text_;
    std::vector<Entry> entries_;
    std::vector<std::string> groups_;
    std::vector<uint32_t> table_;  // entry + 1 per slot, 0 empty; open addressing on the name's hash
};

// A table of two fields per line, sample and group, separated by tabs, or by
// commas when the first line holds no tab. A first line "sample", "group"
// (any case) is a header. Empty lines and lines starting with "#" are passed
// over; fields lose blanks around them and one pair of double quotes. A line
// with one field, more than two, an empty field, or a sample given a second,
// other group is refused with its line number, as is the group name "all".
GroupFileRead parse_group_text(std::string text);
GroupFileRead read_group_file(const std::string& path);

struct SampleGroups {
    // The groups in the order the file first names them, then "(none)" when
    // some sample is in no group of the file. Empty without a groups file.
    std::vector<std::string> names;
    // Per entry of the sample lists, its index into `names`; empty without a
    // groups file.
    std::vector<uint32_t> of_sample;
    int32_t unknown_names = 0;  // names of the file that match no sample of the cohort
    bool from_file = false;     // false: no groups file, every sample only in "all"
};

// Gives every entry of the sample lists its group: the group of its name
// (sample_name without the ">") in the file, else "(none)".
SampleGroups assign_sample_groups(const Workspace& ws, const GroupFileRead& file);

// The workspace of one group's samples: the reference and everything else of
// ws, with only the entries of the sample lists in group `group` (an index
// into groups.names), their names and levels, and their tally counted anew.
Workspace group_workspace(const Workspace& ws, const SampleGroups& groups, uint32_t group);

// The warning about names that match no sample, one line without a line
// end; empty when every name matched.
std::string unknown_names_warning(const SampleGroups& groups, const std::string& path);

}  // namespace corvella
