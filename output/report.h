// The value every report is built as, and what the writers consume. A report
// function fills the form that was asked for: the text form (the exact text,
// "\n" line ends, stored on disk as CR LF by the text writer) or the workbook
// form (cells at 1-based row and column).
#pragma once

#include <charconv>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace corvella {

// Appends v in decimal, as std::to_string writes it, without a temporary.
inline void append_decimal(std::string& text, int64_t v) {
    char digits[24];
    const std::to_chars_result r = std::to_chars(digits, digits + sizeof digits, v);
    text.append(digits, r.ptr);
}

// Filter index 1 of the save dialogs is Text, index 2 Workbook.
enum class ReportFormat { Text = 1, Workbook = 2 };

struct Cell {
    int32_t row = 0;     // from 1; row 1 holds the headers unless the report says otherwise
    int32_t column = 0;  // from 1
    std::string text;
    // The cell of a number column (mark_number_columns): a decimal text is
    // stored as a number in an .xlsx sheet. Other cells follow the writers'
    // integer rule.
    bool number = false;

    Cell() = default;
    Cell(int32_t row_, int32_t column_, std::string text_, bool number_ = false)
        : row(row_), column(column_), text(std::move(text_)), number(number_) {}
};

struct Report {
    std::string text;         // text form; empty when the workbook form was built
    std::vector<Cell> cells;  // workbook form; empty when the text form was built
};

// Progress of the long workbook reports (per position, per sample). The
// desktop program shows it in the progress window; tests record it. The
// caption of each step is "Corvella - " + percent + "%".
class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    virtual void start(int32_t maximum) = 0;  // minimum 0, step 1
    virtual void step(int percent) = 0;       // one step, with the new percentage
    virtual void finish() = 0;                // after the last item
};

// ceil(k / n * 100) computed in floating point: 1 of 3 gives 34.
int progress_percent(int64_t k, int64_t n);

}  // namespace corvella
