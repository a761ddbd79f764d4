#include "fuzz/workbook_check.h"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-stdio.h>
#include <gsf/gsf-input.h>
#include <gsf/gsf-utils.h>

#include <cstring>
#include <mutex>
#include <string_view>
#include <vector>

namespace corvella_fuzz {

namespace {

constexpr size_t MAX_RECORD_DATA = 8224;
constexpr uint16_t REC_BOF = 0x0809, REC_EOF = 0x000A, REC_BOUNDSHEET = 0x0085, REC_SST = 0x00FC,
                   REC_CONTINUE = 0x003C, REC_DIMENSIONS = 0x0200, REC_LABELSST = 0x00FD, REC_RK = 0x027E,
                   REC_NUMBER = 0x0203;

struct Record {
    uint16_t type;
    size_t offset;  // of the header in the stream
    std::string_view body;
};

uint16_t u16(std::string_view b, size_t at) {
    return static_cast<uint16_t>(static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8);
}
uint32_t u32(std::string_view b, size_t at) { return u16(b, at) | static_cast<uint32_t>(u16(b, at + 2)) << 16; }

// The SST strings, which may run on from the SST record into CONTINUE records.
class StringReader {
public:
    explicit StringReader(std::vector<std::string_view> bodies) : bodies_(std::move(bodies)) {}

    bool at_end() const { return part_ == bodies_.size() || (part_ + 1 == bodies_.size() && at_ == bodies_[part_].size()); }

    // One string; false (with `error`) when it is malformed.
    bool next(std::u16string& out, std::string& error) {
        skip_empty_tail();
        if (part_ == bodies_.size() || bodies_[part_].size() - at_ < 3) {
            error = "a shared string's length and flags are split or missing";
            return false;
        }
        const std::string_view b = bodies_[part_];
        size_t left = u16(b, at_);
        uint8_t flags = static_cast<uint8_t>(b[at_ + 2]);
        at_ += 3;
        out.clear();
        while (true) {
            if (flags & ~1u) {
                error = "a shared string has flags the writer never sets";
                return false;
            }
            const size_t width = (flags & 1) ? 2 : 1;
            const std::string_view body = bodies_[part_];
            const size_t room = (body.size() - at_) / width;
            const size_t n = std::min(room, left);
            for (size_t i = 0; i < n; ++i, at_ += width)
                out.push_back(width == 2 ? static_cast<char16_t>(u16(body, at_))
                                         : static_cast<char16_t>(static_cast<unsigned char>(body[at_])));
            left -= n;
            if (left == 0) return true;
            if (at_ != body.size()) {
                error = "a shared string splits a character across records";
                return false;
            }
            if (++part_ == bodies_.size() || bodies_[part_].empty()) {
                error = "a shared string runs past its records";
                return false;
            }
            at_ = 0;
            flags = static_cast<uint8_t>(bodies_[part_][at_++]);  // a continued string repeats its flags
        }
    }

private:
    void skip_empty_tail() {
        while (part_ < bodies_.size() && at_ == bodies_[part_].size() && part_ + 1 < bodies_.size()) {
            ++part_;
            at_ = 0;
        }
    }
    std::vector<std::string_view> bodies_;
    size_t part_ = 0;
    size_t at_ = 0;
};

double rk_value(uint32_t rk) {
    double value;
    if (rk & 2) {
        value = static_cast<double>(static_cast<int32_t>(rk) >> 2);
    } else {
        const uint64_t bits = static_cast<uint64_t>(rk & 0xFFFFFFFCu) << 32;
        std::memcpy(&value, &bits, sizeof value);
    }
    return (rk & 1) ? value / 100 : value;
}

WorkbookContent failed(std::string why) {
    WorkbookContent c;
    c.error = std::move(why);
    return c;
}

}  // namespace

WorkbookContent read_workbook_stream(const std::string& stream) {
    std::vector<Record> records;
    for (size_t pos = 0; pos < stream.size();) {
        if (stream.size() - pos < 4) return failed("a record header is cut off at the end of the stream");
        const uint16_t type = u16(stream, pos);
        const size_t length = u16(stream, pos + 2);
        if (length > MAX_RECORD_DATA) return failed("a record is longer than BIFF8 allows");
        if (stream.size() - pos - 4 < length) return failed("a record runs past the end of the stream");
        records.push_back({type, pos, std::string_view(stream).substr(pos + 4, length)});
        pos += 4 + length;
    }

    // Workbook globals: BOF ... EOF.
    if (records.empty() || records[0].type != REC_BOF || records[0].body.size() < 4 || u16(records[0].body, 0) != 0x0600 ||
        u16(records[0].body, 2) != 0x0005)
        return failed("the stream does not begin with the BOF of BIFF8 workbook globals");
    WorkbookContent content;
    size_t i = 1;
    size_t sheet_offset = SIZE_MAX;
    std::vector<std::u16string> strings;
    uint32_t total_uses = 0;
    for (; i < records.size() && records[i].type != REC_EOF; ++i) {
        const Record& r = records[i];
        if (r.type == REC_BOF || r.type == REC_CONTINUE) return failed("a BOF or a stray CONTINUE inside the globals");
        if (r.type == REC_BOUNDSHEET) {
            if (sheet_offset != SIZE_MAX) return failed("more than one sheet");
            if (r.body.size() < 8 || r.body.size() < 8u + static_cast<unsigned char>(r.body[6]) || r.body[7] != 0)
                return failed("a malformed BOUNDSHEET");
            sheet_offset = u32(r.body, 0);
            content.sheet_name = std::string(r.body.substr(8, static_cast<unsigned char>(r.body[6])));
        } else if (r.type == REC_SST) {
            if (r.body.size() < 8) return failed("a malformed SST");
            total_uses = u32(r.body, 0);
            const uint32_t unique = u32(r.body, 4);
            std::vector<std::string_view> bodies{r.body.substr(8)};
            while (i + 1 < records.size() && records[i + 1].type == REC_CONTINUE) bodies.push_back(records[++i].body);
            StringReader reader(bodies);
            std::u16string s;
            for (uint32_t k = 0; k < unique; ++k) {
                std::string error;
                if (!reader.next(s, error)) return failed(error);
                strings.push_back(s);
            }
            if (!reader.at_end()) return failed("the SST holds more than its count of strings");
        }
    }
    if (i == records.size()) return failed("the globals have no EOF");
    if (sheet_offset == SIZE_MAX) return failed("no sheet");
    ++i;
    if (i == records.size() || records[i].offset != sheet_offset || records[i].type != REC_BOF ||
        records[i].body.size() < 4 || u16(records[i].body, 2) != 0x0010)
        return failed("the sheet's offset does not point at the BOF of a worksheet");

    uint32_t first_row = 0, last_row = 0;
    uint16_t first_col = 0, last_col = 0;
    bool dimensions = false;
    uint32_t text_uses = 0;
    for (++i; i < records.size() && records[i].type != REC_EOF; ++i) {
        const Record& r = records[i];
        if (r.type == REC_DIMENSIONS) {
            if (r.body.size() != 14) return failed("a malformed DIMENSIONS");
            first_row = u32(r.body, 0);
            last_row = u32(r.body, 4);
            first_col = u16(r.body, 8);
            last_col = u16(r.body, 10);
            dimensions = true;
            continue;
        }
        if (r.type != REC_LABELSST && r.type != REC_RK && r.type != REC_NUMBER) continue;
        if (!dimensions) return failed("a cell before the sheet's dimensions");
        if (r.body.size() != (r.type == REC_NUMBER ? 14u : 10u)) return failed("a cell record of the wrong length");
        const uint16_t row = u16(r.body, 0), col = u16(r.body, 2);
        if (row < first_row || row >= last_row || col < first_col || col >= last_col)
            return failed("a cell outside the sheet's dimensions");
        const auto key = std::make_pair(row, col);
        if (!content.cells.empty() && !(content.cells.rbegin()->first < key))
            return failed("cells out of row order, or one cell twice");
        SheetValue v;
        if (r.type == REC_LABELSST) {
            const uint32_t index = u32(r.body, 6);
            if (index >= strings.size()) return failed("a text cell names a string the SST does not hold");
            v.is_text = true;
            v.text = strings[index];
            ++text_uses;
        } else if (r.type == REC_RK) {
            v.number = rk_value(u32(r.body, 6));
        } else {
            std::memcpy(&v.number, r.body.data() + 6, sizeof v.number);
        }
        content.cells.emplace(key, v);
    }
    if (i == records.size()) return failed("the sheet has no EOF");
    if (i + 1 != records.size()) return failed("records after the sheet's EOF");
    if (text_uses != total_uses) return failed("the SST's use count differs from the text cells");
    return content;
}

WorkbookContent read_workbook_structure(const std::string& path) {
    static std::once_flag init;
    std::call_once(init, [] { gsf_init(); });
    GError* err = nullptr;
    GsfInput* input = gsf_input_stdio_new(path.c_str(), &err);
    if (input == nullptr) {
        std::string why = "cannot open " + path + (err != nullptr ? std::string(": ") + err->message : "");
        if (err != nullptr) g_error_free(err);
        return failed(why);
    }
    GsfInfile* container = gsf_infile_msole_new(input, &err);
    g_object_unref(input);
    if (container == nullptr) {
        std::string why = "not a compound file" + (err != nullptr ? std::string(": ") + err->message : "");
        if (err != nullptr) g_error_free(err);
        return failed(why);
    }
    GsfInput* stream = gsf_infile_child_by_name(container, "Workbook");
    if (stream == nullptr) {
        g_object_unref(container);
        return failed("the compound file holds no Workbook stream");
    }
    std::string bytes(static_cast<size_t>(gsf_input_size(stream)), '\0');
    const bool read = bytes.empty() ||
                      gsf_input_read(stream, bytes.size(), reinterpret_cast<guint8*>(&bytes[0])) != nullptr;
    g_object_unref(stream);
    g_object_unref(container);
    if (!read) return failed("the Workbook stream cannot be read");
    return read_workbook_stream(bytes);
}

}  // namespace corvella_fuzz
