// Writing where nothing fits: a device that is always full. The writers must
// report the system's reason and leave the device a device (replacing it by
// rename would put a plain file at /dev/full).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "output/text_writer.h"
#include "output/workbook_writer.h"

using namespace corvella;

namespace {

bool is_char_device(const char* path) {
    struct stat st {};
    return stat(path, &st) == 0 && S_ISCHR(st.st_mode);
}

}  // namespace

TEST(FullDevice, WritersReportNoSpaceAndLeaveTheDeviceInPlace) {
    const char* full = "/dev/full";
    if (!is_char_device(full)) GTEST_SKIP() << "this system has no /dev/full";
    const std::string expected = "Cannot write /dev/full: No space left on device";

    const WriteResult text = write_text_file(full, "Gene\tSyn\n");
    EXPECT_FALSE(text.ok);
    EXPECT_EQ(text.error, expected);
    EXPECT_TRUE(is_char_device(full));

    const WriteResult workbook = WorkbookWriter(full, {{1, 1, "Gene"}, {2, 1, "ND1"}});
    EXPECT_FALSE(workbook.ok);
    EXPECT_EQ(workbook.error, expected);
    EXPECT_TRUE(is_char_device(full));
}
