#include "output/file_names.h"

namespace corvella {

std::string ensure_extension(const std::string& path, const std::string& ext) {
    // The last "." may sit in a folder name (C:\old.runs\sample); the rule
    // still compares from there, which appends the extension as wanted.
    const std::string::size_type dot = path.rfind('.');
    if (dot != std::string::npos && path.compare(dot, std::string::npos, ext) == 0) return path;
    return path + ext;
}

std::string file_name_of(const std::string& path) {
    const std::string::size_type sep = path.find_last_of("/\\");
    return sep == std::string::npos ? path : path.substr(sep + 1);
}

}  // namespace corvella
