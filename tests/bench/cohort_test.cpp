#include "bench/cohort.h"

#include <gtest/gtest.h>

#include <cctype>
#include <sstream>
#include <string>
#include <vector>

#include "input/aligned_import.h"
#include "core/human_reference.h"
#include "input/polymorphism_caller.h"
#include "input/polymorphism_list.h"

namespace corvella::bench {
namespace {

CohortParams small(int32_t samples, uint64_t seed = 7) {
    CohortParams p;
    p.samples = samples;
    p.seed = seed;
    return p;
}

std::string list_text(const CohortParams& params) {
    std::ostringstream out;
    write_polymorphism_list(out, CohortGenerator(human_reference_sequence(), params));
    return out.str();
}

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

char partner(char c) { return c == 'A' ? 'G' : c == 'G' ? 'A' : c == 'C' ? 'T' : 'C'; }

TEST(Cohort, SameSeedSameBytesAndSamplesDoNotDependOnCohortSize) {
    EXPECT_EQ(list_text(small(200)), list_text(small(200)));
    EXPECT_NE(list_text(small(200)), list_text(small(200, 8)));

    const std::string ref = human_reference_sequence();
    const CohortGenerator few(ref, small(10)), many(ref, small(5000));
    for (int32_t i : {0, 3, 9}) EXPECT_EQ(variant_line(few.sample(i), ref), variant_line(many.sample(i), ref));
}

TEST(Cohort, VariantsAreRealisticSubstitutionsOfTheReference) {
    const std::string ref = human_reference_sequence();
    const CohortGenerator cohort(ref, small(2000));
    long long total = 0;
    int with_skipped = 0;
    for (int32_t i = 0; i < cohort.samples(); ++i) {
        const Sample s = cohort.sample(i);
        total += static_cast<long long>(s.variants.size());
        with_skipped += s.skipped.empty() ? 0 : 1;
        int32_t last = 0;
        for (const auto& v : s.variants) {
            ASSERT_GT(v.position, last) << s.name;  // ascending, one per position
            last = v.position;
            const char r = ref[static_cast<size_t>(v.position - 1)];
            ASSERT_NE(std::string("ACGT").find(r), std::string::npos) << v.position;
            if (v.transversion)
                EXPECT_TRUE(v.base != r && v.base != partner(r)) << v.position << v.base;
            else
                EXPECT_EQ(v.base, partner(r)) << v.position;
        }
    }
    const double mean = static_cast<double>(total) / cohort.samples();
    EXPECT_GE(mean, 30.0);
    EXPECT_LE(mean, 50.0);
    // Enough insertions, deletions, ambiguous letters and missing ends to
    // exercise the readers' skipping, but most samples are clean.
    EXPECT_GT(with_skipped, 200);
    EXPECT_LT(with_skipped, 1000);
}

TEST(Cohort, ListHasTheCallersLayout) {
    const std::vector<std::string> lines = lines_of(list_text(small(300)));
    ASSERT_EQ(lines.size(), 3u + 3u * 300u);
    EXPECT_EQ(lines[0], ">rCRS");
    EXPECT_EQ(lines[1], "Numbering Reference");
    EXPECT_EQ(lines[2], "");
    int transitions = 0, transversions = 0, skipped = 0;
    for (size_t i = 3; i < lines.size(); i += 3) {
        EXPECT_EQ(lines[i][0], '>');
        const std::string& v = lines[i + 1];
        ASSERT_FALSE(v.empty());
        EXPECT_EQ(v.back(), ' ');
        EXPECT_EQ(v.find("  "), std::string::npos) << v;  // exactly one blank after each token
        EXPECT_EQ(lines[i + 2], "");
        std::istringstream tokens(v);
        for (std::string t; tokens >> t;) {
            const bool digits = t.find_first_not_of("0123456789") == std::string::npos;
            if (digits)
                ++transitions;
            else if (t.size() > 1 && std::string("ACGT").find(t.back()) != std::string::npos &&
                     t.find_first_not_of("0123456789") == t.size() - 1)
                ++transversions;
            else
                ++skipped;
        }
    }
    EXPECT_GT(transitions, 5 * transversions);
    EXPECT_GT(transversions, 0);
    EXPECT_GT(skipped, 30);
}

TEST(Cohort, DistinctVariantsStayInsideTheUniverse) {
    CohortParams p = small(3000);
    p.distinct = 400;
    const CohortGenerator cohort(human_reference_sequence(), p);
    std::vector<std::pair<int32_t, char>> seen;
    for (int32_t i = 0; i < cohort.samples(); ++i)
        for (const auto& v : cohort.sample(i).variants) seen.push_back({v.position, v.base});
    std::sort(seen.begin(), seen.end());
    seen.erase(std::unique(seen.begin(), seen.end()), seen.end());
    EXPECT_LE(seen.size(), 400u);
    EXPECT_GT(seen.size(), 380u);  // 3000 samples reach nearly all of it
}

TEST(Cohort, FastaRowsAreAlignedLowerCaseAndWrapped) {
    const std::string ref = human_reference_sequence();
    const CohortGenerator cohort(ref, small(40));
    std::ostringstream out;
    write_aligned_fasta(out, cohort);
    std::vector<std::string> names, rows;
    for (const std::string& line : lines_of(out.str())) {
        if (!line.empty() && line[0] == '>') {
            names.push_back(line);
            rows.emplace_back();
            continue;
        }
        ASSERT_FALSE(rows.empty());
        EXPECT_LE(line.size(), 60u);
        for (char c : line) EXPECT_FALSE(std::isupper(static_cast<unsigned char>(c))) << line;
        rows.back() += line;
    }
    ASSERT_EQ(rows.size(), 41u);
    EXPECT_EQ(names[0], ">rCRS");
    EXPECT_EQ(names[1], ">S1");
    std::string ungapped;
    for (char c : rows[0])
        if (c != '-') ungapped += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(ungapped, ref);
    EXPECT_GT(rows[0].size(), ref.size());  // the insertion columns
    int gapped = 0;
    for (const auto& r : rows) {
        EXPECT_EQ(r.size(), rows[0].size());
        gapped += r.find("-") != std::string::npos ? 1 : 0;
    }
    EXPECT_EQ(gapped, 41);  // every row passes the insertion columns
}

TEST(Cohort, ListReaderSeesEverySampleAndEveryVariant) {
    const std::string ref = human_reference_sequence();
    const CohortGenerator cohort(ref, small(500));
    std::ostringstream out;
    write_polymorphism_list(out, cohort);
    const ListReadResult read = parse_polymorphism_list(out.str(), ref);
    ASSERT_EQ(read.code, 500);
    ASSERT_EQ(read.lists.names.size(), 501u);  // the reference's name line first
    for (int32_t i = 0; i < 500; i += 97) {
        const Sample s = cohort.sample(i);
        EXPECT_EQ(read.lists.names[static_cast<size_t>(i) + 1], ">" + s.name);
        std::string bases;
        std::vector<int32_t> positions;
        for (const auto& v : s.variants) {
            positions.push_back(v.position);
            bases += v.base;
        }
        EXPECT_EQ(read.lists.positions[static_cast<size_t>(i)], positions) << s.name;
        EXPECT_EQ(read.lists.bases[static_cast<size_t>(i)], bases) << s.name;
    }
}

// The FASTA file and the list describe the same cohort: calling the
// alignment gives the list byte for byte, insertions, deletions, ambiguous
// runs and missing ends included.
TEST(Cohort, CallingTheAlignmentGivesTheList) {
    CohortParams p = small(400, 11);
    const CohortGenerator cohort(human_reference_sequence(), p);
    std::ostringstream fasta, list;
    write_aligned_fasta(fasta, cohort);
    write_polymorphism_list(list, cohort);
    const AlignedReadResult aligned = parse_aligned_text(fasta.str());
    ASSERT_EQ(aligned.code, 1);
    Workspace ws;
    ws.aligned_sequences = aligned.sequences;
    ws.aligned_names = aligned.names;
    const std::vector<std::string> expected = lines_of(list.str()), called = lines_of(build_polymorphism_list(ws));
    ASSERT_EQ(called.size(), expected.size());
    for (size_t i = 0; i < called.size(); ++i) ASSERT_EQ(called[i], expected[i]) << "line " << i + 1;
}

}  // namespace
}  // namespace corvella::bench
