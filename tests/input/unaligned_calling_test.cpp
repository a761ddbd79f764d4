// Whole mitogenomes without gaps, aligned by the program and called: the
// tokens of a real multiple alignment come back, with insertions and
// deletions in runs at their 3' end; strand, rotation and the summary.
#include "input/unaligned_calling.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "input/aligned_import.h"
#include "core/human_reference.h"
#include "input/mito_orientation.h"
#include "input/polymorphism_caller.h"
#include "core/temp_file.h"
#include "token_agreement.h"

using namespace corvella;
using corvella_test::data_path;

namespace {

const std::string& human() {
    static const std::string ref = human_reference_sequence();
    return ref;
}

std::vector<FastaRecord> without_gaps(const Workspace& ws) {
    return corvella_test::records_without_gaps(ws.aligned_sequences, ws.aligned_names);
}

FastaRecord record(const std::string& name, const std::string& letters) {
    FastaRecord r;
    r.name = name;
    r.letters = letters;
    return r;
}

// The variant line of the only sample of a calling.
std::string line_of(const std::string& letters) {
    const UnalignedCalling c = call_unaligned(human(), "rCRS", {record("s", letters)}, 1);
    const auto lines = corvella_test::named_lines(c.list_text);
    return lines.size() == 1 ? lines[0].second : "(no line)";
}

// The reference with `length` letters from 1-based `position` replaced by `with`.
std::string edited(int32_t position, size_t length, const std::string& with) {
    return human().substr(0, static_cast<size_t>(position - 1)) + with +
           human().substr(static_cast<size_t>(position - 1) + length);
}

std::string random_letters(size_t n, uint32_t seed) {
    std::string s(n, 'A');
    for (char& c : s) {
        seed = seed * 1664525u + 1013904223u;
        c = "ACGT"[seed >> 30];
    }
    return s;
}

}  // namespace

TEST(UnalignedCalling, ExampleAlignmentAgreesWithItsRawSequencesByTheRule) {
    Workspace ws;
    ASSERT_EQ(read_polymorphisms_file(ws, data_path("aligned-3.fasta")), 1);
    const std::string aligned = build_polymorphism_list(ws);
    const UnalignedCalling raw = call_unaligned(human(), "rCRS", without_gaps(ws), 2);

    const auto a = corvella_test::named_lines(aligned), r = corvella_test::named_lines(raw.list_text);
    ASSERT_EQ(a.size(), 2u);
    ASSERT_EQ(r.size(), 2u);
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].first, r[i].first);
        EXPECT_EQ(corvella_test::disagreement(a[i].second, r[i].second, human()), "") << a[i].first;
    }
    // The aligner put the C of 315.1C before the run 311-315 and the lost T
    // at the start of the run 15940-15944; the rule puts both at the end.
    EXPECT_EQ(r[0].second, "263 315insC 750 1041 1438 4769 8860 9410 12358 13656 15326 16189 16192 16519 ");
    EXPECT_NE(r[1].second.find(" 315insC 504 "), std::string::npos);
    EXPECT_NE(r[1].second.find(" 15388 15944delT 16182-16183M "), std::string::npos);
    EXPECT_EQ(raw.list_text.substr(0, 25), ">rCRS\nNumbering Reference");
}

TEST(UnalignedCalling, TurnedAndRotatedRecordsGiveTheSameTokens) {
    Workspace ws;
    ASSERT_EQ(read_polymorphisms_file(ws, data_path("aligned-3.fasta")), 1);
    const std::string s = without_gaps(ws)[1].letters;
    const std::string rotated = s.substr(5000) + s.substr(0, 5000);
    // One that starts just before the origin: the last 30 letters first.
    const std::string near_origin = s.substr(s.size() - 30) + s.substr(0, s.size() - 30);
    const UnalignedCalling c = call_unaligned(
        human(), "rCRS",
        {record("plain", s), record("rotated", rotated), record("turned", reverse_complement(s)),
         record("both", reverse_complement(rotated)), record("near", near_origin)},
        2);
    const auto lines = corvella_test::named_lines(c.list_text);
    ASSERT_EQ(lines.size(), 5u);
    for (const auto& [name, line] : lines) EXPECT_EQ(line, lines[0].second) << name;
    EXPECT_FALSE(c.samples[0].reverse_complement);
    EXPECT_EQ(c.samples[0].rotation, 0u);
    EXPECT_EQ(c.samples[1].rotation, s.size() - 5000);
    EXPECT_TRUE(c.samples[2].reverse_complement);
    EXPECT_EQ(c.samples[2].rotation, 0u);
    EXPECT_TRUE(c.samples[3].reverse_complement);
    EXPECT_EQ(c.samples[3].rotation, s.size() - 5000);
    EXPECT_EQ(c.samples[4].rotation, 30u);
}

TEST(UnalignedCalling, IndelsInRunsFollowTheCommunityNotation) {
    // 303-309 is a C run before T 310, 311-315 one before G 316, 515-524 the
    // AC repeat: an extra C anywhere in a run follows the run, a lost AC is
    // the last AC of the repeat.
    EXPECT_EQ(line_of(edited(304, 0, "C")), "309insC ");
    EXPECT_EQ(line_of(edited(312, 0, "C")), "315insC ");
    EXPECT_EQ(line_of(edited(304, 0, "C").substr(0, 311) + "C" + edited(304, 0, "C").substr(311)), "309insC 315insC ");
    EXPECT_EQ(line_of(edited(515, 2, "")), "523delAC ");
    EXPECT_EQ(line_of(edited(515, 0, "AC")), "524insAC ");
    // A letter that is not the run's own stays where it is.
    EXPECT_EQ(line_of(edited(305, 1, "CT")), "305insT ");
    // Records without the placeholder at 3107 lose the reference's N.
    EXPECT_EQ(line_of(edited(3107, 1, "")), "3107delN ");
    EXPECT_EQ(line_of(human()), "0 ");
}

TEST(UnalignedCalling, MissingEndsAndLettersBeforePositionOne) {
    EXPECT_EQ(line_of(human().substr(200)), "1missing200bp ");
    EXPECT_EQ(line_of(human().substr(0, human().size() - 300)), "16270missing300bp ");
    EXPECT_EQ(line_of(human().substr(1, 15000)), "1missing1bp 15002missing1568bp ");
    // Letters before position 1 that are not the reference's end follow
    // position 16569 on the circle.
    EXPECT_EQ(line_of("TTTT" + human()), "16569insTTTT ");
}

TEST(UnalignedCalling, SummaryNamesEveryRecordAndWarns) {
    const std::string s = human();
    const UnalignedCalling c = call_unaligned(
        human(), "rCRS",
        {record("same", s), record("empty", ""), record("nothing", std::string(16569, 'N')),
         record("long", s + s + "A"), record("random", random_letters(16569, 5)),
         record("piece", s.substr(0, 14000)), record("turned", reverse_complement(edited(73, 1, "G")))},
        2);
    EXPECT_EQ(unaligned_summary(c, s.size()),
              "7 sequences were read, 3 aligned to the reference (16569 bases).\n"
              "\n>same\n16569 letters, 16569 aligned columns, 0 differences, 1 ambiguous, identity 100.0 %\n"
              "\n>empty\nNot aligned: the record holds no letters.\n"
              "\n>nothing\nNot aligned: the record holds no A, C, G or T.\n"
              "\n>long\nNot aligned: 33139 letters, more than twice the reference.\n"
              "\n>random\nNot aligned: 16569 letters, too different from the reference to align.\n"
              "\n>piece\n14000 letters, 16569 aligned columns, 0 differences, 1 ambiguous, identity 100.0 %\n"
              "Warning: length outside 15,000-17,500; this does not look like a whole human mitogenome.\n"
              "\n>turned\n16569 letters, 16569 aligned columns, 1 differences, 1 ambiguous, identity 99.9 %, "
              "reverse complemented\n"
              "\nThe sequences not aligned will not be analysed.\n");
    // Only the called records have blocks, in record order.
    const auto lines = corvella_test::named_lines(c.list_text);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], std::make_pair(std::string(">piece"), std::string("14001missing2569bp ")));
    EXPECT_EQ(lines[2].second, "73 ");
}

TEST(UnalignedCalling, DistantSequenceIsCalledWithAnIdentityWarning) {
    // A fifth of the letters changed: no human mitogenome, yet alignable.
    std::string s = human();
    uint32_t seed = 11;
    for (size_t i = 0; i < s.size(); i += 5) {
        seed = seed * 1664525u + 1013904223u;
        s[i] = s[i] == "ACGT"[seed >> 30] ? 'N' : "ACGT"[seed >> 30];
    }
    const UnalignedCalling c = call_unaligned(human(), "rCRS", {record("far", s)}, 1);
    ASSERT_EQ(c.samples[0].outcome, UnalignedOutcome::Called);
    EXPECT_LT(identity_permille(c.samples[0].stats), 900);
    EXPECT_NE(unaligned_summary(c, s.size()).find("Warning: identity below 90 %; this does not look like a human mitogenome.\n"),
              std::string::npos);
}

TEST(UnalignedCalling, OutputDoesNotDependOnThreadsAndProgressEndsAtTheTotal) {
    Workspace ws;
    ASSERT_EQ(read_polymorphisms_file(ws, data_path("aligned-3.fasta")), 1);
    std::vector<FastaRecord> records;
    for (int k = 0; k < 4; ++k)
        for (const FastaRecord& r : without_gaps(ws)) records.push_back(record(r.name + std::to_string(k), r.letters));
    records.push_back(record("empty", ""));
    std::vector<std::pair<size_t, size_t>> seen;
    const UnalignedCalling one = call_unaligned(human(), "rCRS", records, 1);
    const UnalignedCalling three =
        call_unaligned(human(), "rCRS", records, 3, [&](size_t done, size_t total) { seen.emplace_back(done, total); });
    EXPECT_EQ(one.list_text, three.list_text);
    EXPECT_EQ(unaligned_summary(one, 16569), unaligned_summary(three, 16569));
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back(), std::make_pair(records.size(), records.size()));
    for (size_t i = 1; i < seen.size(); ++i) EXPECT_LE(seen[i - 1].first, seen[i].first);
}
