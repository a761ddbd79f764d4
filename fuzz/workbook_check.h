// An independent reader of the workbooks the writer makes, strict about
// structure: the container must open with libgsf, the "Workbook" stream's
// records must walk cleanly to its end (every length inside the stream and
// within the BIFF8 limit, globals and one sheet each closed by EOF, the
// sheet's offset pointing at its BOF), the shared strings must decode with
// exactly the counts the SST header gives, and every cell must lie inside the
// sheet's dimensions, once, in row order. It returns the cells it found so a
// caller can compare them with what was written.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>

namespace corvella_fuzz {

struct SheetValue {
    bool is_text = false;
    std::u16string text;  // the shared string of a text cell
    double number = 0;    // the value of a number cell
};

struct WorkbookContent {
    std::string error;       // empty when the file is sound
    std::string sheet_name;  // the one sheet's name
    std::map<std::pair<uint16_t, uint16_t>, SheetValue> cells;  // (row, column), 0-based
};

// Reads and checks the workbook at `path`.
WorkbookContent read_workbook_structure(const std::string& path);

// Checks the bytes of a "Workbook" stream (no container).
WorkbookContent read_workbook_stream(const std::string& stream);

}  // namespace corvella_fuzz
