#include "output/xlsx_writer.h"

#include <xlsxwriter.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "output/atomic_file.h"
#include "output/excel_text.h"

namespace corvella {

namespace {

std::string too_large_message(const std::string& path) {
    return sheet_too_large_message(path, "Excel", "1,048,576 rows and 16,384 columns");
}

void append_utf8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// The text as the sheet stores it: UTF-8, read from the cell's bytes by the
// .xls writer's rule (valid UTF-8 as it is, other bytes as Latin-1), and its
// length in the UTF-16 units that Excel's cell limit counts.
std::string sheet_text(const std::string& bytes, size_t* units) {
    bool ascii = true;
    for (const char c : bytes) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii) {
        *units = bytes.size();
        return bytes;
    }
    const std::u16string wide = excel_text(bytes);
    *units = wide.size();
    std::string out;
    out.reserve(wide.size() * 3);
    for (size_t i = 0; i < wide.size(); ++i) {
        uint32_t cp = wide[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < wide.size()) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (wide[++i] - 0xDC00u);
        }
        append_utf8(out, cp);
    }
    return out;
}

// A workbook that is not closed (a refused or failed report) is freed
// without writing anything.
struct WorkbookFree {
    void operator()(lxw_workbook* book) const { lxw_workbook_free(book); }
};

// Writes each row into the workbook as it comes. The workbook exists from
// begin() on; close() writes the file and tells how it went.
class XlsxRows : public RowSink {
public:
    XlsxRows(const std::string& shown_path, const std::string& file) : shown_path_(shown_path), file_(file) {}

    bool begin(const SheetExtent& extent) override {
        if (extent.rows > XLSX_MAX_ROWS || extent.columns > XLSX_MAX_COLUMNS) return refuse(too_large_message(shown_path_));
        return open();
    }

    bool row(int32_t row, const RowCells& cells) override {
        if (row < 1 || row > XLSX_MAX_ROWS) return refuse(too_large_message(shown_path_));
        if (!book_ && !open()) return false;
        if (row <= last_row_) return fail("rows out of order");
        last_row_ = row;
        for (const RowCell& c : cells) {
            if (c.column < 1 || c.column > XLSX_MAX_COLUMNS) return refuse(too_large_message(shown_path_));
            if (c.text.empty()) continue;  // an empty text leaves the cell empty
            const auto r = static_cast<lxw_row_t>(row - 1);
            const auto col = static_cast<lxw_col_t>(c.column - 1);
            uint32_t value = 0;
            double number = 0;
            lxw_error error;
            if (c.number && decimal_number(c.text, &number)) {
                error = worksheet_write_number(sheet_, r, col, number, nullptr);
            } else if (plain_integer(c.text, &value)) {
                error = worksheet_write_number(sheet_, r, col, static_cast<double>(value), nullptr);
            } else {
                size_t units = 0;
                const std::string text = sheet_text(c.text, &units);
                if (units > EXCEL_MAX_CELL_CHARS) return refuse(cell_too_long_message(shown_path_, "Excel", row, c.column));
                error = worksheet_write_string(sheet_, r, col, text.c_str(), nullptr);
            }
            if (error != LXW_NO_ERROR) return fail(lxw_strerror(error));
        }
        return rows_on_disk(false);
    }

    void end() override {}

    // Writes the workbook file; an empty text when it was written, else the
    // reason. A refusal leaves its message in refusal().
    std::string close() {
        if (!refusal_.empty()) return refusal_;
        if (!failure_.empty()) return failure_;
        if (!book_ && !open()) return failure_;
        if (!rows_on_disk(true)) return failure_;
        const lxw_error error = workbook_close(book_.release());
        return error == LXW_NO_ERROR ? std::string() : std::string(lxw_strerror(error));
    }

    const std::string& refusal() const { return refusal_; }

private:
    bool open() {
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        // The rows wait in a temporary file beside the workbook (removed as
        // soon as it is made), so that the last row, which the library
        // writes only when it closes the workbook, goes to the same disk as
        // the workbook itself: if it does not fit, neither does the file,
        // and closing reports that.
        const std::string::size_type slash = file_.rfind('/');
        folder_ = slash == std::string::npos ? "." : slash == 0 ? "/" : file_.substr(0, slash);
        options.tmpdir = folder_.data();
        book_.reset(workbook_new_opt(file_.c_str(), &options));
        if (book_) sheet_ = workbook_add_worksheet(book_.get(), "results");
        if (!book_ || !sheet_) return fail("the workbook could not be created");
        return true;
    }

    // The library writes the finished rows into its temporary file without
    // looking at the result: a full disk would give a truncated sheet that
    // closes without an error. Its stream's error flag tells.
    bool rows_on_disk(bool flush) {
        FILE* rows = sheet_ ? sheet_->optimize_tmpfile : nullptr;
        if (rows == nullptr || (!ferror(rows) && (!flush || fflush(rows) == 0))) return true;
        return fail(std::strerror(errno != 0 ? errno : EIO));
    }

    bool refuse(const std::string& message) {
        refusal_ = message;
        return false;
    }

    bool fail(const std::string& reason) {
        failure_ = reason;
        return false;
    }

    std::string shown_path_;
    std::string file_;
    std::string folder_;
    std::unique_ptr<lxw_workbook, WorkbookFree> book_;
    lxw_worksheet* sheet_ = nullptr;
    int32_t last_row_ = 0;
    std::string refusal_;
    std::string failure_;
};

}  // namespace

WriteResult write_xlsx(const std::string& path, const RowProducer& produce) {
    std::string refusal;
    const WriteResult written = write_file_atomically_by_name(path, [&](const std::string& file) {
        XlsxRows sink(path, file);
        produce(sink);
        std::string reason = sink.close();
        refusal = sink.refusal();
        return reason;
    });
    if (!refusal.empty()) return WriteResult{false, refusal};
    return written;
}

WriteResult XlsxWriter(const std::string& path, const std::vector<Cell>& cells) {
    return write_xlsx(path, [&cells](RowSink& sink) { rows_of_cells(cells, sink); });
}

}  // namespace corvella
