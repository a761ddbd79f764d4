// A text compressed as gzip(1) writes it, for the tests of readers that
// take compressed files.
#pragma once

#include <zlib.h>

#include <string>

namespace corvella_test {

inline std::string gzipped(const std::string& text) {
    std::string out(compressBound(static_cast<uLong>(text.size())) + 32, '\0');
    z_stream z{};
    // windowBits 15 + 16: a gzip wrapper rather than a zlib one.
    deflateInit2(&z, 6, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    z.avail_in = static_cast<uInt>(text.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

}  // namespace corvella_test
