#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/temp_file.h"
#include "input/polymorphism_list.h"
#include "input/sample_groups.h"

using namespace corvella;

namespace {

struct Pair {
    std::string sample, group;
    int32_t line;
};

std::vector<Pair> pairs_of(const GroupFileRead& read) {
    std::vector<Pair> out;
    for (size_t k = 0; k < read.size(); ++k)
        out.push_back({std::string(read.sample(k)), read.group(k), read.line(k)});
    return out;
}

bool operator==(const Pair& a, const Pair& b) { return a.sample == b.sample && a.group == b.group && a.line == b.line; }

// A cohort of these samples, their names after the reference's own name line
// as the caller writes a list, or without that line.
Workspace named_samples(const std::vector<std::string>& names, bool reference_line = true,
                        const std::vector<std::vector<int32_t>>& positions = {},
                        const std::vector<std::string>& bases = {}) {
    Workspace ws;
    if (reference_line) ws.sample_names.push_back(">Reference");
    for (size_t i = 0; i < names.size(); ++i) {
        ws.sample_names.push_back(">" + names[i]);
        ws.sample_positions.push_back(i < positions.size() ? positions[i] : std::vector<int32_t>{});
        ws.sample_bases.push_back(i < bases.size() ? bases[i] : "");
    }
    return ws;
}

}  // namespace

TEST(GroupFile, ReadsTabsCommasHeadersQuotesAndLineEnds) {
    struct Case {
        const char* what;
        std::string text;
        std::vector<Pair> expected;
    } cases[] = {
        {"tabs with a header", "sample\tgroup\nS1\tH\nS2\tL3\n", {{"S1", "H", 2}, {"S2", "L3", 3}}},
        {"header in capitals", "Sample,Group\nS1,H\n", {{"S1", "H", 2}}},
        {"commas, no header, CR LF", "S1,H\r\nS2,U5\r\n", {{"S1", "H", 1}, {"S2", "U5", 2}}},
        {"blanks, quotes, trailing tab", " \"S 1\" \t case \t\n", {{"S 1", "case", 1}}},
        {"comments and empty lines", "# cohort A\n\nS1,H\n\n", {{"S1", "H", 3}}},
        {"a comma inside a tab table", "S1,x\tH\n", {{"S1,x", "H", 1}}},
        {"the same pair twice", "S1,H\nS1,H\n", {{"S1", "H", 1}}},
        {"a header only", "sample\tgroup\n", {}},
        {"no line end at the end", "S1\tH", {{"S1", "H", 1}}},
    };
    // Given as text or read from disk, a file reads the same.
    for (const Case& c : cases) {
        const corvella_test::TempFile f("groups.csv", c.text);
        for (const GroupFileRead& read : {parse_group_text(c.text), read_group_file(f.path())}) {
            ASSERT_TRUE(read.ok) << c.what << ": " << read.message;
            EXPECT_EQ(pairs_of(read), c.expected) << c.what;
        }
    }
}

TEST(GroupFile, RefusesWithLineAndReason) {
    struct Case {
        std::string text;
        const char* message;
    } cases[] = {
        {"S1\tH\nS2\n", "line 2: no group after the sample name (fields are separated by tabs)"},
        {"S1,H,extra\n", "line 1: 3 fields; a line holds a sample and its group"},
        {"S1\t\n", "line 1: no group for sample S1"},
        {",H\n", "line 1: no sample name"},
        {"S1,H\nS2,L\nS1,L\n", "line 3: sample S1 is already in group H (line 1)"},
        {"S1,all\n", "line 1: the group name \"all\" stands for every sample; give the group another name"},
    };
    for (const Case& c : cases) {
        const GroupFileRead read = parse_group_text(c.text);
        EXPECT_FALSE(read.ok) << c.text;
        EXPECT_EQ(read.message, c.message) << c.text;
    }
    EXPECT_EQ(read_group_file("/nonexistent/groups.tsv").message, "File cannot be opened.");
}

TEST(SampleGroupsOfCohort, UnnamedSamplesUnknownNamesAndOrder) {
    const Workspace abcd = named_samples({"A", "B", "C", "D"}), s1 = named_samples({"S1"});
    // Without the reference's name line, entry i is name i.
    const Workspace unlisted = named_samples({"S1", "S2"}, false, {{73}, {73}}, {"G", "G"});
    struct Case {
        const Workspace* ws;
        std::string file;
        std::vector<std::string> names;
        std::vector<uint32_t> of_sample;
        int32_t unknown;
        std::string warning;
    } cases[] = {
        // Groups in the order the file first gives them, whatever the samples' order.
        {&abcd, "D,L\nA,H\nB,L\nC,H\n", {"L", "H"}, {1, 0, 1, 0}, 0, ""},
        // C and D unnamed: "(none)" comes after the file's groups.
        {&abcd, "B,H\nA,L\n", {"H", "L", "(none)"}, {1, 0, 2, 2}, 0, ""},
        // Two names that are no sample; one of them only in a group of its own.
        {&abcd, "A,H\nX,H\nY,K\nB,H\nC,H\nD,H\n", {"H", "K"}, {0, 0, 0, 0}, 2,
         "2 names in groups.tsv match no sample of the cohort"},
        {&abcd, "Q,H\n", {"H", "(none)"}, {1, 1, 1, 1}, 1, "1 name in groups.tsv matches no sample of the cohort"},
        // A file that names "(none)" itself shares the group with the unnamed.
        {&abcd, "A,(none)\nB,H\n", {"(none)", "H"}, {0, 1, 0, 0}, 0, ""},
        // Names keep their case and are matched whole.
        {&abcd, "a,H\nA \"x\",K\n", {"H", "K", "(none)"}, {2, 2, 2, 2}, 2,
         "2 names in groups.tsv match no sample of the cohort"},
        // Names pair with entries as the list reader pairs them.
        {&unlisted, "S2\tB\nS1\tA\n", {"B", "A"}, {1, 0}, 0, ""},
        // The reference's own name is no sample.
        {&s1, "Reference\tR\n", {"R", "(none)"}, {1}, 1, "1 name in groups.tsv matches no sample of the cohort"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const GroupFileRead read = parse_group_text(c.file);
        ASSERT_TRUE(read.ok) << read.message;
        const SampleGroups groups = assign_sample_groups(*c.ws, read);
        EXPECT_TRUE(groups.from_file);
        EXPECT_EQ(groups.names, c.names);
        EXPECT_EQ(groups.of_sample, c.of_sample);
        EXPECT_EQ(groups.unknown_names, c.unknown);
        EXPECT_EQ(unknown_names_warning(groups, "/data/groups.tsv"), c.warning);
    }
}

// One group's workspace keeps that group's entries with their names, their
// levels in step with their items, and a tally of only those entries, with
// and without the reference's own name line ahead of the names.
TEST(GroupWorkspace, KeepsOneGroupsEntriesNamesLevelsAndTally) {
    for (const bool reference_line : {true, false}) {
        Workspace ws = named_samples({"S1", "S2", "S3", "S4"}, reference_line, {{5, 9}, {9}, {7, 9, 11}, {}},
                                     {"GC", "C", "TCG", ""});
        ws.ref_sequence = std::string(100, 'A');
        ws.sample_levels = {0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f};
        GroupFileRead file = parse_group_text("S1\tH\nS3\tH\nS2\tL\n");
        ASSERT_TRUE(file.ok) << file.message;
        const SampleGroups groups = assign_sample_groups(ws, file);
        ASSERT_EQ(groups.names, (std::vector<std::string>{"H", "L", "(none)"}));

        const Workspace h = group_workspace(ws, groups, 0);
        ASSERT_EQ(h.sample_positions.size(), 2u);
        EXPECT_EQ(std::string(sample_name(h, 0)), ">S1");
        EXPECT_EQ(std::string(sample_name(h, 1)), ">S3");
        EXPECT_EQ(std::string(h.sample_bases[1]), "TCG");
        EXPECT_EQ(h.sample_levels, (std::vector<float>{0.1f, 0.2f, 0.4f, 0.5f, 0.6f}));
        EXPECT_EQ(h.variant_tally, (VariantTally{{{5, 'G'}, 1}, {{7, 'T'}, 1}, {{9, 'C'}, 2}, {{11, 'G'}, 1}}));
        EXPECT_EQ(h.ref_sequence, ws.ref_sequence);

        const Workspace none = group_workspace(ws, groups, 2);
        ASSERT_EQ(none.sample_positions.size(), 1u);
        EXPECT_EQ(std::string(sample_name(none, 0)), ">S4");
        EXPECT_TRUE(none.sample_levels.empty());
        EXPECT_TRUE(none.variant_tally.empty());
        // The cohort itself is left as it was.
        EXPECT_EQ(ws.sample_positions.size(), 4u);
    }
}
