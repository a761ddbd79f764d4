// Scratch files for reader tests: written on construction, removed after.
#pragma once

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

class TempFile {
public:
    TempFile(std::string_view name, std::string_view content) {
        path_ = std::string(CORVELLA_BINARY_DIR) + "/tmp_" + std::string(name);
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
