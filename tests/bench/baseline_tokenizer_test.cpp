#include "bench/baseline_tokenizer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "bench/cohort.h"
#include "core/human_reference.h"
#include "input/polymorphism_list.h"

namespace corvella::bench {
namespace {

std::string temp_path(const char* name) { return std::string(CORVELLA_BENCH_TEMP) + "/" + name; }

int base_index(char b) { return b == 'A' ? 0 : b == 'C' ? 1 : b == 'G' ? 2 : b == 'T' ? 3 : 4; }

// The yardstick is only worth comparing with when it counts what the
// program's reader counts.
TEST(BaselineTokenizer, CountsWhatTheListReaderTallies) {
    const std::string path = temp_path("baseline_cohort.txt");
    CohortParams params;
    params.samples = 800;
    {
        std::ofstream out(path, std::ios::binary);
        write_polymorphism_list(out, CohortGenerator(human_reference_sequence(), params));
    }
    Workspace ws;
    use_human_ref_data(ws);
    ASSERT_EQ(load_polymorphism_list(ws, path), 800);

    std::vector<int32_t> counts;
    int64_t total = 0;
    for (const auto& [key, count] : ws.variant_tally) total += count;
    ASSERT_EQ(baseline_tally(path, ws.ref_sequence, counts), total);
    for (const auto& [key, count] : ws.variant_tally)
        EXPECT_EQ(counts[static_cast<size_t>(key.position) * 5 + static_cast<size_t>(base_index(key.base))], count)
            << key.position << key.base;
    std::remove(path.c_str());
}

TEST(BaselineTokenizer, SkipsWhatTheReaderSkipsAndFailsOnAMissingFile) {
    const std::string path = temp_path("baseline_tokens.txt");
    {
        std::ofstream out(path, std::ios::binary);
        out << ">ref\r\nNumbering Reference\r\n\r\n>a\r\n73 16519A 310insC 8281delCC 2000R 2000-2002N "
               "1missing5bp 16570C 0 16519 \r\n";
    }
    const std::string ref = human_reference_sequence();
    std::vector<int32_t> counts;
    EXPECT_EQ(baseline_tally(path, ref, counts), 3);
    EXPECT_EQ(counts[73 * 5 + 2], 1);     // A at 73: its transition partner G
    EXPECT_EQ(counts[16519 * 5 + 0], 1);  // the transversion as written
    EXPECT_EQ(counts[16519 * 5 + 1], 1);  // T at 16519: C
    std::remove(path.c_str());
    EXPECT_EQ(baseline_tally(temp_path("no_such_file.txt"), ref, counts), -1);
}

}  // namespace
}  // namespace corvella::bench
