// Scratch files for reader tests: written on construction, removed after.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

namespace corvella_test {

inline std::string data_path(const std::string& name) { return std::string(CORVELLA_TEST_DATA) + "/" + name; }

// The bytes of a fixture in tests/data.
inline std::string data_text(const std::string& name) {
    std::ifstream in(data_path(name), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// CTest runs test cases as processes side by side, and cases share file
// names: each process writes into a folder of its own, under the same names.
inline std::string process_folder() {
    const std::string folder = std::string(CORVELLA_BINARY_DIR) + "/tmp_" + std::to_string(getpid());
    mkdir(folder.c_str(), 0777);
    return folder;
}

class TempFile {
public:
    TempFile(std::string_view name, std::string_view content) {
        path_ = process_folder() + "/tmp_" + std::string(name);
        std::ofstream out(path_, std::ios::binary);
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
    }
    ~TempFile() { std::remove(path_.c_str()); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

}  // namespace corvella_test
