#include <gtest/gtest.h>

#include "output/file_names.h"

using corvella::ensure_extension;
using corvella::file_name_of;

TEST(EnsureExtension, AppendsUnlessTheLastDotStartsExactlyTheExtension) {
    struct Case {
        const char* path;
        const char* ext;
        const char* expected;
    };
    const Case cases[] = {
        {"C:\\data\\run1", ".txt", "C:\\data\\run1.txt"},
        {"C:\\data\\run1.txt", ".txt", "C:\\data\\run1.txt"},
        {"C:\\data\\run1.TXT", ".txt", "C:\\data\\run1.TXT.txt"},  // case-sensitive
        {"C:\\data\\run1.xls", ".txt", "C:\\data\\run1.xls.txt"},
        {"C:\\data\\run1.xls", ".xls", "C:\\data\\run1.xls"},
        {"C:\\old.runs\\sample", ".txt", "C:\\old.runs\\sample.txt"},  // the dot is in a folder
        {"C:\\data\\run1.", ".txt", "C:\\data\\run1..txt"},
        {"/home/a/run1.tx", ".txt", "/home/a/run1.tx.txt"},        // a prefix is not a match
        {"/home/a/run1.txt.bak", ".txt", "/home/a/run1.txt.bak.txt"},  // only the last dot counts
        {"chart", ".bmp", "chart.bmp"},
        {"net.rdf", ".rdf", "net.rdf"},
        {"", ".txt", ".txt"},
    };
    for (const Case& c : cases) EXPECT_EQ(ensure_extension(c.path, c.ext), c.expected) << c.path;
}

TEST(FileNameOf, KeepsThePartAfterTheLastSeparator) {
    EXPECT_EQ(file_name_of("C:\\data\\run1.txt"), "run1.txt");
    EXPECT_EQ(file_name_of("/home/a/samples.txt"), "samples.txt");
    EXPECT_EQ(file_name_of("/home/a\\b/c.txt"), "c.txt");
    EXPECT_EQ(file_name_of("plain.txt"), "plain.txt");
    EXPECT_EQ(file_name_of("/home/a/"), "");
}
