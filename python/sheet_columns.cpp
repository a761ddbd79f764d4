#include "python/sheet_columns.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace corvella::python {

bool SheetColumn::any_missing() const {
    for (uint8_t m : missing)
        if (m) return true;
    return false;
}

bool read_integer(const std::string& text, int64_t& value) {
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+') return false;
    const std::from_chars_result r = std::from_chars(first, last, value);
    return r.ec == std::errc() && r.ptr == last;
}

bool read_decimal(const std::string& text, double& value) {
    size_t i = text.empty() || text[0] != '-' ? 0 : 1;
    size_t digits = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (text[i] >= '0' && text[i] <= '9') {
            ++digits;
        } else if (text[i] == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    if (digits == 0) return false;
    value = std::strtod(text.c_str(), nullptr);
    return std::isfinite(value);
}

bool SheetCollector::begin(const SheetExtent& extent) {
    first_data_row_ = take_header_ ? 2 : 1;
    rows_ = std::max(0, extent.rows - first_data_row_ + 1);
    cells_.assign(static_cast<size_t>(std::max(0, extent.columns)), {});
    for (auto& column : cells_) column.resize(static_cast<size_t>(rows_));
    if (take_header_) header_.assign(cells_.size(), std::string());
    return true;
}

bool SheetCollector::row(int32_t row, const RowCells& cells) {
    for (const RowCell& cell : cells) {
        // A report that writes past its declared extent is the report's
        // fault; its extra cells are not silently dropped but grow the sheet.
        const size_t column = static_cast<size_t>(cell.column - 1);
        if (column >= cells_.size()) {
            cells_.resize(column + 1, std::vector<std::string>(static_cast<size_t>(rows_)));
            if (take_header_) header_.resize(column + 1);
        }
        if (row < first_data_row_) {
            header_[column] = cell.text;
            continue;
        }
        const size_t r = static_cast<size_t>(row - first_data_row_);
        if (r >= static_cast<size_t>(rows_)) {
            rows_ = static_cast<int32_t>(r + 1);
            for (auto& c : cells_) c.resize(static_cast<size_t>(rows_));
        }
        cells_[column][r] = cell.text;
    }
    return true;
}

namespace {

SheetColumn type_column(std::vector<std::string>&& texts) {
    SheetColumn column;
    const size_t n = texts.size();
    column.missing.resize(n);
    bool integers = true;
    bool decimals = true;
    int64_t i = 0;
    double d = 0;
    for (size_t r = 0; r < n; ++r) {
        if (texts[r].empty()) {
            column.missing[r] = 1;
            continue;
        }
        if (integers && !read_integer(texts[r], i)) integers = false;
        if (!integers && decimals && !read_decimal(texts[r], d)) decimals = false;
        if (!decimals) break;
    }
    if (integers) {
        column.kind = ColumnKind::Integer;
        column.integers.resize(n);
        for (size_t r = 0; r < n; ++r)
            if (!column.missing[r]) read_integer(texts[r], column.integers[r]);
    } else if (decimals) {
        column.kind = ColumnKind::Decimal;
        column.decimals.assign(n, std::numeric_limits<double>::quiet_NaN());
        for (size_t r = 0; r < n; ++r)
            if (!column.missing[r]) read_decimal(texts[r], column.decimals[r]);
    } else {
        column.kind = ColumnKind::Text;
        for (size_t r = 0; r < n; ++r) column.missing[r] = texts[r].empty();
        column.texts = std::move(texts);
    }
    return column;
}

}  // namespace

Sheet SheetCollector::finish() {
    Sheet sheet;
    sheet.rows = rows_;
    sheet.header = std::move(header_);
    sheet.columns.reserve(cells_.size());
    for (auto& texts : cells_) {
        sheet.columns.push_back(type_column(std::move(texts)));
        std::vector<std::string>().swap(texts);
    }
    cells_.clear();
    return sheet;
}

}  // namespace corvella::python
