// Reads a workbook back with an independent reader (tests/output/read_workbook.py:
// python3-xlrd for .xls, python3-openpyxl for .xlsx), for the tests of every
// layer that writes workbooks.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace corvella_test {

// What an independent reader (python3-xlrd) finds in a workbook.
struct ReadBack {
    bool readable = false;
    std::vector<std::string> sheets;
    std::map<std::pair<int, int>, std::string> cells;  // "text:..." or "number:..."
};

inline std::string unescape(const std::string& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size()) {
            const char n = s[++i];
            out.push_back(n == 't' ? '\t' : n == 'n' ? '\n' : n);
        } else {
            out.push_back(s[i]);
        }
    }
    return out;
}

// A file whose name ends in ".xlsx" is read by openpyxl, any other by xlrd.
inline ReadBack read_workbook(const std::string& file) {
    const std::string command = std::string(CORVELLA_PYTHON) + " " + CORVELLA_SOURCE_DIR +
                                "/tests/output/read_workbook.py '" + file + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    ReadBack rb;
    if (pipe == nullptr) return rb;
    std::string dump;
    char buffer[65536];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) dump.append(buffer, n);
    rb.readable = pclose(pipe) == 0;
    if (!rb.readable) ADD_FAILURE() << "the reader refused " << file << ": " << dump;
    std::istringstream lines(dump);
    std::string line;
    while (std::getline(lines, line)) {
        std::vector<std::string> f;
        std::istringstream fields(line);
        std::string field;
        while (std::getline(fields, field, '\t')) f.push_back(field);
        if (f.size() == 2 && f[0] == "sheet") rb.sheets.push_back(unescape(f[1]));
        if (f.size() == 5 && f[0] == "cell")
            rb.cells[{std::stoi(f[1]), std::stoi(f[2])}] = f[3] + ":" + unescape(f[4]);
        if (f.size() == 4 && f[0] == "cell")  // an empty text value
            rb.cells[{std::stoi(f[1]), std::stoi(f[2])}] = f[3] + ":";
    }
    return rb;
}

}  // namespace corvella_test
