#include "output/biff8.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace corvella {

namespace {

// Longest record body BIFF8 allows; longer data goes on in CONTINUE records.
constexpr size_t MAX_RECORD_DATA = 8224;

constexpr uint16_t REC_BOF = 0x0809;
constexpr uint16_t REC_EOF = 0x000A;
constexpr uint16_t REC_CODEPAGE = 0x0042;
constexpr uint16_t REC_WINDOW1 = 0x003D;
constexpr uint16_t REC_DATEMODE = 0x0022;
constexpr uint16_t REC_PRECISION = 0x000E;
constexpr uint16_t REC_FONT = 0x0031;
constexpr uint16_t REC_XF = 0x00E0;
constexpr uint16_t REC_STYLE = 0x0293;
constexpr uint16_t REC_BOUNDSHEET = 0x0085;
constexpr uint16_t REC_SST = 0x00FC;
constexpr uint16_t REC_CONTINUE = 0x003C;
constexpr uint16_t REC_EXTSST = 0x00FF;
constexpr uint16_t REC_DIMENSIONS = 0x0200;
constexpr uint16_t REC_LABELSST = 0x00FD;
constexpr uint16_t REC_RK = 0x027E;
constexpr uint16_t REC_NUMBER = 0x0203;
constexpr uint16_t REC_WINDOW2 = 0x023E;

constexpr uint16_t CODEPAGE_UTF16 = 1200;
// Excel wants 15 style XFs before the first cell XF; cells use the 16th.
constexpr uint16_t STYLE_XF_COUNT = 15;
constexpr uint16_t CELL_XF = 15;
// RK holds integers in 30 bits; larger values need a NUMBER record.
constexpr uint32_t RK_INT_MAX = (1u << 29) - 1;

void put8(std::string& b, uint8_t v) { b.push_back(static_cast<char>(v)); }
void put16(std::string& b, uint16_t v) {
    b.push_back(static_cast<char>(v & 0xFF));
    b.push_back(static_cast<char>(v >> 8));
}
void put32(std::string& b, uint32_t v) {
    put16(b, static_cast<uint16_t>(v & 0xFFFF));
    put16(b, static_cast<uint16_t>(v >> 16));
}
void put_double(std::string& b, double d) {
    uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    put32(b, static_cast<uint32_t>(bits & 0xFFFFFFFFu));
    put32(b, static_cast<uint32_t>(bits >> 32));
}
void header(std::string& out, uint16_t type, size_t length) {
    put16(out, type);
    put16(out, static_cast<uint16_t>(length));
}
void record(std::string& out, uint16_t type, std::string_view body) {
    header(out, type, body.size());
    out.append(body);
}

void bof(std::string& out, uint16_t substream) {
    std::string b;
    put16(b, 0x0600);  // BIFF8
    put16(b, substream);
    put16(b, 0x0DBB);  // build
    put16(b, 0x07CC);  // year
    put32(b, 0);       // file history
    put32(b, 0x06);    // lowest version that can read the file
    record(out, REC_BOF, b);
}

bool fits_in_8_bits(const std::u16string& s) {
    return std::all_of(s.begin(), s.end(), [](char16_t c) { return c < 0x100; });
}

// Characters s[from, from + count) in the compressed (1 byte) or full (2 bytes) form.
void put_chars(std::string& b, const std::u16string& s, size_t from, size_t count, bool wide) {
    for (size_t i = from; i < from + count; ++i) {
        if (wide)
            put16(b, s[i]);
        else
            put8(b, static_cast<uint8_t>(s[i]));
    }
}

void font(std::string& out) {
    std::string b;
    put16(b, 200);     // height in twips: 10 pt
    put16(b, 0);       // attributes
    put16(b, 0x7FFF);  // colour: automatic
    put16(b, 400);     // weight: normal
    put16(b, 0);       // no super- or subscript
    put8(b, 0);        // no underline
    put8(b, 0);        // family
    put8(b, 0);        // character set
    put8(b, 0);
    const std::string name = "Arial";
    put8(b, static_cast<uint8_t>(name.size()));
    put8(b, 0);  // compressed characters
    b += name;
    record(out, REC_FONT, b);
}

void xf(std::string& out, uint16_t type_and_parent, uint8_t used_attributes) {
    std::string b;
    put16(b, 0);  // font 0
    put16(b, 0);  // format 0: General
    put16(b, type_and_parent);
    put8(b, 0x20);  // aligned to the bottom
    put8(b, 0);
    put8(b, 0);
    put8(b, used_attributes);
    put32(b, 0);  // no borders
    put32(b, 0);
    put16(b, 0x20C0);  // pattern colours: automatic
    record(out, REC_XF, b);
}

void workbook_settings(std::string& out) {
    std::string b;
    put16(b, CODEPAGE_UTF16);
    record(out, REC_CODEPAGE, b);

    b.clear();
    put16(b, 0);       // window position
    put16(b, 0);
    put16(b, 0x4000);  // window size
    put16(b, 0x2000);
    put16(b, 0x0038);  // scroll bars and sheet tabs shown
    put16(b, 0);       // active sheet
    put16(b, 0);       // first visible tab
    put16(b, 1);       // selected sheets
    put16(b, 0x0258);  // tab bar width
    record(out, REC_WINDOW1, b);

    b.clear();
    put16(b, 0);  // dates count from 1900
    record(out, REC_DATEMODE, b);
    b.clear();
    put16(b, 1);  // full precision
    record(out, REC_PRECISION, b);

    // Font index 4 does not exist in BIFF; five records give indices 0-3 and 5.
    for (int i = 0; i < 5; ++i) font(out);
    xf(out, 0xFFF5, 0x00);  // the Normal style
    for (int i = 1; i < STYLE_XF_COUNT; ++i) xf(out, 0xFFF5, 0xF4);
    xf(out, 0x0001, 0x00);  // the cell format every cell uses, child of Normal

    b.clear();
    put16(b, 0x8000);  // built-in style on XF 0
    put8(b, 0);        // Normal
    put8(b, 0xFF);
    record(out, REC_STYLE, b);
}

// Shared string table: the strings in SST and CONTINUE records, with the
// EXTSST index of every bucket's first string.
class SstWriter {
public:
    SstWriter(std::string& out, size_t strings) : out_(out), stream_start_(out.size()) {
        bucket_size_ = std::max<size_t>(8, (strings + 127) / 128);
        body_.assign(8, '\0');  // total and distinct counts, filled in by finish()
    }

    void add(const std::u16string& s, size_t index) {
        const bool wide = !fits_in_8_bits(s);
        const size_t char_size = wide ? 2 : 1;
        // The length and flags are never split from the first character.
        if (body_.size() + 3 + char_size > MAX_RECORD_DATA) flush();
        if (index % bucket_size_ == 0) {
            const size_t in_record = 4 + body_.size();
            buckets_.push_back({static_cast<uint32_t>(out_.size() + in_record), static_cast<uint16_t>(in_record)});
        }
        put16(body_, static_cast<uint16_t>(s.size()));
        put8(body_, wide ? 0x01 : 0x00);
        size_t done = 0;
        while (done < s.size()) {
            size_t room = (MAX_RECORD_DATA - body_.size()) / char_size;
            if (room == 0) {
                flush();
                // A string going on in a CONTINUE record repeats its flags byte.
                put8(body_, wide ? 0x01 : 0x00);
                room = (MAX_RECORD_DATA - body_.size()) / char_size;
            }
            const size_t n = std::min(room, s.size() - done);
            put_chars(body_, s, done, n, wide);
            done += n;
        }
    }

    void finish(uint32_t total, uint32_t unique) {
        flush();
        const size_t counts = stream_start_ + 4;
        std::string c;
        put32(c, total);
        put32(c, unique);
        out_.replace(counts, 8, c);

        std::string b;
        put16(b, static_cast<uint16_t>(bucket_size_));
        for (const Bucket& k : buckets_) {
            put32(b, k.stream_position);
            put16(b, k.record_offset);
            put16(b, 0);
        }
        record(out_, REC_EXTSST, b);
    }

private:
    struct Bucket {
        uint32_t stream_position;
        uint16_t record_offset;  // from the start of the record, header included
    };

    void flush() {
        record(out_, first_ ? REC_SST : REC_CONTINUE, body_);
        first_ = false;
        body_.clear();
    }

    std::string& out_;
    size_t stream_start_;
    size_t bucket_size_;
    std::string body_;
    bool first_ = true;
    std::vector<Bucket> buckets_;
};

void cell(std::string& out, const SheetCell& c) {
    if (!c.is_number) {
        header(out, REC_LABELSST, 10);
        put16(out, c.row);
        put16(out, c.column);
        put16(out, CELL_XF);
        put32(out, c.value);
    } else if (c.value <= RK_INT_MAX) {
        header(out, REC_RK, 10);
        put16(out, c.row);
        put16(out, c.column);
        put16(out, CELL_XF);
        put32(out, (c.value << 2) | 0x2);  // integer, not divided by 100
    } else {
        header(out, REC_NUMBER, 14);
        put16(out, c.row);
        put16(out, c.column);
        put16(out, CELL_XF);
        put_double(out, static_cast<double>(c.value));
    }
}

void worksheet(std::string& out, const std::vector<SheetCell>& cells) {
    bof(out, 0x0010);

    uint32_t first_row = 0, last_row = 0;
    uint16_t first_col = 0, last_col = 0;
    if (!cells.empty()) {
        first_row = cells.front().row;
        last_row = cells.back().row + 1u;
        first_col = cells.front().column;
        for (const SheetCell& c : cells) {
            first_col = std::min(first_col, c.column);
            last_col = std::max<uint16_t>(last_col, static_cast<uint16_t>(c.column + 1));
        }
    }
    std::string b;
    put32(b, first_row);
    put32(b, last_row);  // one past the last row
    put16(b, first_col);
    put16(b, last_col);  // one past the last column
    put16(b, 0);
    record(out, REC_DIMENSIONS, b);

    for (const SheetCell& c : cells) cell(out, c);

    b.clear();
    put16(b, 0x06B6);  // grid, headers, zeros shown; the sheet is selected
    put16(b, 0);       // top row
    put16(b, 0);       // left column
    put16(b, 0x40);    // grid colour: automatic
    put16(b, 0);
    put16(b, 0);  // zoom
    put16(b, 0);
    put32(b, 0);
    record(out, REC_WINDOW2, b);
    record(out, REC_EOF, {});
}

}  // namespace

std::string biff8_workbook(const std::string& sheet_name, const std::vector<SheetCell>& cells,
                           const std::vector<std::u16string>& strings, uint32_t text_cells) {
    size_t string_bytes = 0;
    for (const std::u16string& s : strings) string_bytes += 3 + 2 * s.size();
    std::string out;
    out.reserve(4096 + string_bytes + string_bytes / MAX_RECORD_DATA * 5 + cells.size() * 18);
    bof(out, 0x0005);
    workbook_settings(out);

    // The sheet's stream position is known only once the globals are written.
    const size_t sheet_position_at = out.size() + 4;
    std::string b;
    put32(b, 0);
    put8(b, 0);  // visible
    put8(b, 0);  // worksheet
    put8(b, static_cast<uint8_t>(sheet_name.size()));
    put8(b, 0);
    b += sheet_name;
    record(out, REC_BOUNDSHEET, b);

    SstWriter sst(out, strings.size());
    for (size_t i = 0; i < strings.size(); ++i) sst.add(strings[i], i);
    sst.finish(text_cells, static_cast<uint32_t>(strings.size()));
    record(out, REC_EOF, {});

    std::string position;
    put32(position, static_cast<uint32_t>(out.size()));
    out.replace(sheet_position_at, 4, position);

    worksheet(out, cells);
    return out;
}

}  // namespace corvella
