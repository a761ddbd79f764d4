// Cells that every workbook writer must store alike, and what an independent
// reader finds in the file: shared by the .xls and the .xlsx writer tests.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "output/report.h"

namespace corvella_test {

using CellMap = std::map<std::pair<int, int>, std::string>;

inline std::string text(const std::string& s) { return "text:" + s; }
inline std::string number(const std::string& s) { return "number:" + s; }

// Given out of order, as reports may; a position set twice keeps the last
// value; integers of at most nine digits without a leading zero are numbers.
inline std::vector<corvella::Cell> mixed_cells() {
    return {
        {2, 3, "17"},         {1, 1, "Gene"},      {1, 2, "Syn"},       {2, 1, "ND1"},
        {2, 2, "0"},          {3, 2, "007"},       {3, 3, "-5"},        {3, 4, "12a"},
        {4, 1, "123456789"},  {4, 2, "1234567890"}, {4, 3, "536870911"}, {4, 4, "536870912"},
        {4, 5, "999999999"},  {5, 1, "16519A"},    {5, 2, "3.5"},       {5, 3, ""},
        {5, 4, "a\tb"},       {1, 3, "old"},       {1, 3, "Non-Syn"},   {256, 256, "corner"},
        {6, 1, "Gene"},  // a text used twice
    };
}

inline CellMap mixed_expected() {
    return {
        {{1, 1}, text("Gene")},         {{1, 2}, text("Syn")},           {{1, 3}, text("Non-Syn")},
        {{2, 1}, text("ND1")},          {{2, 2}, number("0")},           {{2, 3}, number("17")},
        {{3, 2}, text("007")},          {{3, 3}, text("-5")},            {{3, 4}, text("12a")},
        {{4, 1}, number("123456789")},  {{4, 2}, text("1234567890")},    {{4, 3}, number("536870911")},
        {{4, 4}, number("536870912")},  {{4, 5}, number("999999999")},   {{5, 1}, text("16519A")},
        {{5, 2}, text("3.5")},          {{5, 4}, text("a\tb")},          {{6, 1}, text("Gene")},
        {{256, 256}, text("corner")},
    };
}

// Names in any script, and byte strings that are not UTF-8 (read as Latin-1).
inline std::vector<corvella::Cell> name_cells() {
    return {
        {1, 1, "Müller"},
        {1, 2, "東京"},
        {1, 3, "\xE9t\xE9"},         // Latin-1 bytes, not UTF-8
        {1, 4, "\xC0\xAF"},          // an overlong UTF-8 form is not accepted as UTF-8
        {1, 5, "\xF0\x9D\x84\x9E"},  // past U+FFFF: a surrogate pair in UTF-16
        {1, 6, "\xED\xA0\x80x"},     // an encoded surrogate is not UTF-8
        {2, 1, "Mu\xCC\x88ller \xE6\x9D\xB1"},
    };
}

inline CellMap name_expected() {
    return {
        {{1, 1}, text("Müller")},           {{1, 2}, text("東京")},
        {{1, 3}, text("été")},              {{1, 4}, text("À¯")},
        {{1, 5}, text("\xF0\x9D\x84\x9E")}, {{1, 6}, text("í\xC2\xA0\xC2\x80x")},
        {{2, 1}, text("Mu\xCC\x88ller \xE6\x9D\xB1")},
    };
}

}  // namespace corvella_test
