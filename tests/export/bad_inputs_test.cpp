// Hostile inputs to the network export's reader: it needs no reference, so
// it has no upper bound of its own and must still never wrap a position.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "export/network_file.h"
#include "export/network_reading.h"
#include "export/variable_sites.h"

using namespace corvella;

TEST(NetworkBadInputs, PositionsPastThirtyTwoBitsAreDroppedNotWrapped) {
    SampleLists lists;
    // 4294967369 is 73 past 2^32: wrapped, it would be 73.
    ASSERT_EQ(parse_network_list(">a\n4294967369G 2147483647 2147483648A 99999999999T -73 0A 73G\n>b\n \n", lists), 2);
    EXPECT_EQ(lists.positions[0], (std::vector<int32_t>{2147483647, 73}));
    EXPECT_EQ(lists.bases[0], "ZG");
    // The largest position still makes a header column of its first digits.
    const std::string text = build_network_text(lists.positions, lists.bases,
                                                build_variable_tally(lists.positions, lists.bases));
    EXPECT_EQ(text.substr(0, text.find('\n')), "       72");
}

TEST(NetworkBadInputs, FoldersUnreadableAndEmptyFiles) {
    SampleLists lists;
    EXPECT_EQ(read_and_parsing_file_network(CORVELLA_TEST_DATA, lists), NETWORK_READ_CANNOT_OPEN);
    if (access("/proc/self/mem", R_OK) == 0) {
        EXPECT_EQ(read_and_parsing_file_network("/proc/self/mem", lists), NETWORK_READ_CANNOT_OPEN);
    }
    EXPECT_EQ(parse_network_list("", lists), 0);
    EXPECT_EQ(parse_network_list(std::string("\0\0\0", 3), lists), NETWORK_READ_BAD_FORMAT);
    EXPECT_EQ(parse_network_list(">a\r16519\r", lists), 0);  // carriage returns alone: one name line
}
