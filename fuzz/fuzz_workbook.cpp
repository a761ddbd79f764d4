// The workbook writer fed cells built from arbitrary bytes: positions inside
// and outside a sheet, texts of any bytes and length. Whatever it accepts
// must come back from an independent reader exactly as written; whatever it
// refuses must leave no file behind.
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "fuzz/workbook_check.h"
#include "output/excel_text.h"
#include "output/workbook_writer.h"

namespace {

constexpr size_t MAX_CELLS = 512;

// A folder of its own, in memory when the system offers one: the writer
// syncs every file it replaces.
const std::string& workbook_path() {
    static const std::string path = [] {
        std::string pattern = access("/dev/shm", W_OK) == 0 ? "/dev/shm/corvella-fuzz-XXXXXX" : "/tmp/corvella-fuzz-XXXXXX";
        FUZZ_CHECK(mkdtemp(&pattern[0]) != nullptr);
        return pattern + "/w.xls";
    }();
    return path;
}

class Bytes {
public:
    Bytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    size_t left() const { return size_ - at_; }
    uint8_t u8() { return at_ < size_ ? data_[at_++] : 0; }
    uint16_t u16() { return static_cast<uint16_t>(u8() | u8() << 8); }
    std::string text(size_t n) {
        n = std::min(n, left());
        std::string s(reinterpret_cast<const char*>(data_ + at_), n);
        at_ += n;
        return s;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

// One cell from the input: a control byte, the position and the text.
// Control bits: 0x80 an edge position (0, -1 or just past the sheet), 0x40 a
// two-byte text length, 0x20 the text repeated (to reach the cell limit).
corvella::Cell next_cell(Bytes& in) {
    const uint8_t control = in.u8();
    corvella::Cell cell;
    cell.row = in.u16() % 1024 + 1;
    cell.column = in.u8() % 64 + 1;
    if (control & 0x80) {
        static const int32_t EDGES[4][2] = {{0, 1}, {1, 0}, {-1, 1}, {0, 0}};
        static const int32_t LIMITS[4][2] = {{corvella::WORKBOOK_MAX_ROWS, 1},
                                             {corvella::WORKBOOK_MAX_ROWS + 1, 1},
                                             {1, corvella::WORKBOOK_MAX_COLUMNS},
                                             {1, corvella::WORKBOOK_MAX_COLUMNS + 1}};
        const auto& pick = (control & 0x04) ? LIMITS[control & 3] : EDGES[control & 3];
        cell.row = pick[0];
        cell.column = pick[1];
    }
    const size_t length = (control & 0x40) ? in.u16() : in.u8() % 32;
    cell.text = in.text(length);
    if (control & 0x20) {
        const std::string piece = cell.text;
        for (int k = 0; k < 255 && !piece.empty(); ++k) cell.text += piece;
    }
    return cell;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Bytes in(data, size);
    std::vector<corvella::Cell> cells;
    while (in.left() > 0 && cells.size() < MAX_CELLS) cells.push_back(next_cell(in));

    bool fits = true;
    std::map<std::pair<uint16_t, uint16_t>, std::string> expected;  // the text set last at each position
    for (const corvella::Cell& c : cells) {
        if (c.row < 1 || c.column < 1 || c.row > corvella::WORKBOOK_MAX_ROWS || c.column > corvella::WORKBOOK_MAX_COLUMNS) {
            fits = false;
            continue;
        }
        expected[{static_cast<uint16_t>(c.row - 1), static_cast<uint16_t>(c.column - 1)}] = c.text;
    }
    for (auto it = expected.begin(); it != expected.end();) {
        if (it->second.empty()) {
            it = expected.erase(it);  // an empty text leaves the cell empty
            continue;
        }
        if (corvella::excel_text(it->second).size() > 32767) fits = false;
        ++it;
    }

    const std::string& path = workbook_path();
    std::remove(path.c_str());
    const corvella::WriteResult written = corvella::WorkbookWriter(path, cells);
    FUZZ_CHECK(written.ok == fits);
    FUZZ_CHECK(written.ok == written.error.empty());
    if (!written.ok) {
        FUZZ_CHECK(access(path.c_str(), F_OK) != 0);
        return 0;
    }

    const corvella_fuzz::WorkbookContent read = corvella_fuzz::read_workbook_structure(path);
    if (!read.error.empty()) std::fprintf(stderr, "workbook: %s\n", read.error.c_str());
    FUZZ_CHECK(read.error.empty());
    FUZZ_CHECK(read.sheet_name == "results");
    FUZZ_CHECK(read.cells.size() == expected.size());
    for (const auto& [key, text] : expected) {
        const auto found = read.cells.find(key);
        FUZZ_CHECK(found != read.cells.end());
        const corvella_fuzz::SheetValue& v = found->second;
        uint32_t number = 0;
        if (corvella::plain_integer(text, &number)) {
            FUZZ_CHECK(!v.is_text && v.number == static_cast<double>(number) && std::to_string(number) == text);
        } else {
            FUZZ_CHECK(v.is_text && v.text == corvella::excel_text(text));
        }
    }
    return 0;
}
