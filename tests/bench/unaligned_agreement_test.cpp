// The generated cohort written as a multiple alignment, called from the
// alignment and again from its rows without gaps, aligned by the program:
// sample by sample the substitutions and every other token are the same,
// and insertions and deletions differ only by the 3' rule.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "bench/cohort.h"
#include "input/aligned_import.h"
#include "core/human_reference.h"
#include "input/polymorphism_caller.h"
#include "input/unaligned_calling.h"
#include "tests/input/token_agreement.h"

namespace corvella::bench {
namespace {

TEST(UnalignedAgreement, GeneratedCohortCalledFromRawSequencesAgreesWithItsAlignment) {
    CohortParams params;
    params.samples = 400;
    params.seed = 99;
    const CohortGenerator cohort(human_reference_sequence(), params);
    std::ostringstream fasta;
    write_aligned_fasta(fasta, cohort);
    const AlignedReadResult aligned = parse_aligned_text(fasta.str());
    ASSERT_EQ(aligned.code, 1);
    Workspace ws;
    ws.aligned_sequences = aligned.sequences;
    ws.aligned_names = aligned.names;
    const std::string from_alignment = build_polymorphism_list(ws);

    const std::vector<FastaRecord> records = corvella_test::records_without_gaps(aligned.sequences, aligned.names);
    const UnalignedCalling raw = call_unaligned(cohort.reference(), "rCRS", records, 2);

    const auto a = corvella_test::named_lines(from_alignment), r = corvella_test::named_lines(raw.list_text);
    ASSERT_EQ(a.size(), records.size());
    ASSERT_EQ(r.size(), records.size());
    size_t moved = 0, indels = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        ASSERT_EQ(a[i].first, r[i].first);
        EXPECT_EQ(corvella_test::disagreement(a[i].second, r[i].second, cohort.reference()), "") << a[i].first;
        for (const std::string& t : corvella_test::tokens_of(r[i].second)) indels += corvella_test::is_indel(t);
        moved += a[i].second != r[i].second;
    }
    // The cohort has insertions, deletions and samples the rule changes.
    EXPECT_GT(indels, 50u);
    EXPECT_GT(moved, 5u);
}

}  // namespace
}  // namespace corvella::bench
