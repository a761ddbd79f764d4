// A file in the build tree that the test writes and removes again.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>

class TempFile {
public:
    explicit TempFile(std::string_view contents) {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::string(CORVELLA_BINARY_DIR) + "/" + info->test_suite_name() + "_" + info->name() +
                ".txt";
        std::ofstream out(path_, std::ios::binary);
        out << contents;
    }
    ~TempFile() { std::remove(path_.c_str()); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    const std::string& path() const { return path_; }

private:
    std::string path_;
};
