#include "output/text_writer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "temp_folder.h"

using corvella::write_text_file;
using corvella::WriteResult;

class TextWriter : public corvella_test::TempFolder {};

TEST_F(TextWriter, StoresEveryLineEndAsCrLf) {
    const std::string file = path("report.txt");
    ASSERT_TRUE(write_text_file(file, "Gene\tSyn\n\nND1\t3\nlast").ok);
    EXPECT_EQ(read_bytes(file), "Gene\tSyn\r\n\r\nND1\t3\r\nlast");

    ASSERT_TRUE(write_text_file(path("empty.txt"), "").ok);
    EXPECT_TRUE(std::filesystem::exists(path("empty.txt")));
    EXPECT_EQ(read_bytes(path("empty.txt")), "");
    EXPECT_EQ(entries(), 2u);
}

TEST_F(TextWriter, ReplacesAnExistingFileWholeAndKeepsItsPermissions) {
    const std::string file = path("run1.txt");
    put_bytes(file, "a much longer old content\r\nthat must not survive\r\n");
    ASSERT_EQ(chmod(file.c_str(), 0640), 0);
    ASSERT_TRUE(write_text_file(file, "new\n").ok);
    EXPECT_EQ(read_bytes(file), "new\r\n");
    struct stat st {};
    ASSERT_EQ(stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(entries(), 1u);
}

TEST_F(TextWriter, ReportsThePlaceAndTheSystemsReasonWhenTheFolderIsUnusable) {
    struct Case {
        std::string target;
        std::string reason;
    };
    put_bytes(path("plain"), "x");
    std::filesystem::create_directory(path("folder"));
    const Case cases[] = {
        {path("missing/run1.txt"), "No such file or directory"},
        {path("plain/run1.txt"), "Not a directory"},
        {path("folder"), "Is a directory"},
    };
    for (const Case& c : cases) {
        const WriteResult r = write_text_file(c.target, "data\n");
        EXPECT_FALSE(r.ok) << c.target;
        EXPECT_EQ(r.error, "Cannot write " + c.target + ": " + c.reason);
    }
    EXPECT_EQ(read_bytes(path("plain")), "x");
    EXPECT_TRUE(std::filesystem::is_directory(path("folder")));
    EXPECT_EQ(entries(), 2u);
}

TEST_F(TextWriter, AWriteThatFailsHalfwayLeavesTheOldFileIntact) {
    const std::string file = path("run1.txt");
    put_bytes(file, "old content\r\n");
    const WriteResult r = corvella_test::with_file_size_limit(
        4096, [&] { return write_text_file(file, std::string(100000, 'A')); });
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "Cannot write " + file + ": File too large");
    EXPECT_EQ(read_bytes(file), "old content\r\n");
    EXPECT_EQ(entries(), 1u);
}

TEST_F(TextWriter, AReadOnlyFolderGivesAnErrorAndKeepsTheFile) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders; the size-limit test covers this";
    const std::string file = path("run1.txt");
    put_bytes(file, "old\r\n");
    ASSERT_EQ(chmod(dir_.c_str(), 0555), 0);
    const WriteResult r = write_text_file(file, "new\n");
    chmod(dir_.c_str(), 0755);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "Cannot write " + file + ": Permission denied");
    EXPECT_EQ(read_bytes(file), "old\r\n");
}

TEST_F(TextWriter, WritesThroughALinkToTheFileItNames) {
    const std::string real = path("real.txt");
    put_bytes(real, "old");
    std::filesystem::create_symlink(real, path("link.txt"));
    ASSERT_TRUE(write_text_file(path("link.txt"), "new\n").ok);
    EXPECT_TRUE(std::filesystem::is_symlink(path("link.txt")));
    EXPECT_EQ(read_bytes(real), "new\r\n");
}

TEST_F(TextWriter, ALargeTextIsConvertedWholeAcrossItsWriteBlocks) {
    // Several megabytes of lines of varying length, with runs of empty lines
    // and a long line without an end, so line ends fall on every offset of the
    // writer's internal blocks.
    std::string text;
    std::string expected;
    for (int i = 0; text.size() < 3'500'000; ++i) {
        const std::string line(static_cast<size_t>(i % 97), static_cast<char>('a' + i % 26));
        text += line + "\n";
        expected += line + "\r\n";
        if (i % 1000 == 0) {
            text += "\n\n";
            expected += "\r\n\r\n";
        }
    }
    text += std::string(1'200'000, 'z');
    expected += std::string(1'200'000, 'z');
    const std::string file = path("network.txt");
    ASSERT_TRUE(write_text_file(file, text).ok);
    const std::string stored = read_bytes(file);
    EXPECT_EQ(stored.size(), expected.size());
    EXPECT_TRUE(stored == expected);
}
