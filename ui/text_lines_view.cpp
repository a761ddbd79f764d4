#include "ui/text_lines_view.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace corvella {

TextLinesView::TextLinesView(QWidget* parent) : QAbstractScrollArea(parent) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
}

void TextLinesView::show_text(std::shared_ptr<const std::string> text) {
    text_ = std::move(text);
    index_lines();
}

void TextLinesView::setPlainText(const QString& text) {
    const QByteArray bytes = text.toLatin1();
    show_text(std::make_shared<const std::string>(bytes.constData(), static_cast<size_t>(bytes.size())));
}

void TextLinesView::clear() {
    text_.reset();
    std::vector<std::size_t>().swap(line_starts_);
    longest_line_ = 0;
    update_scroll_bars();
    viewport()->update();
}

void TextLinesView::index_lines() {
    std::vector<std::size_t>().swap(line_starts_);
    longest_line_ = 0;
    if (text_ && !text_->empty()) {
        const std::string& t = *text_;
        size_t start = 0;
        for (;;) {
            line_starts_.push_back(start);
            const size_t nl = t.find('\n', start);
            const size_t end = nl == std::string::npos ? t.size() : nl;
            longest_line_ = std::max(longest_line_, end - start);
            if (nl == std::string::npos || nl + 1 >= t.size()) break;
            start = nl + 1;
        }
    }
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    update_scroll_bars();
    viewport()->update();
}

std::string_view TextLinesView::line(std::size_t i) const {
    if (!text_ || i >= line_starts_.size()) return {};
    const std::string& t = *text_;
    const size_t start = line_starts_[i];
    size_t end = i + 1 < line_starts_.size() ? line_starts_[i + 1] : t.size();
    if (end > start && t[end - 1] == '\n') --end;
    if (end > start && t[end - 1] == '\r') --end;
    return std::string_view(t).substr(start, end - start);
}

QString TextLinesView::toPlainText() const {
    if (!text_) return QString();
    // As a plain text edit gives it back: line ends as "\n", no final one.
    QString out;
    for (size_t i = 0; i < line_starts_.size(); ++i) {
        if (i > 0) out += '\n';
        const std::string_view l = line(i);
        out += QString::fromLatin1(l.data(), static_cast<qsizetype>(l.size()));
    }
    if (!text_->empty() && text_->back() == '\n') out += '\n';
    return out;
}

int TextLinesView::line_height() const { return std::max(1, fontMetrics().lineSpacing()); }
int TextLinesView::char_width() const { return std::max(1, fontMetrics().horizontalAdvance(QLatin1Char('0'))); }

void TextLinesView::update_scroll_bars() {
    const int rows = std::max(1, viewport()->height() / line_height());
    const int columns = std::max(1, viewport()->width() / char_width());
    const auto lines = static_cast<long long>(line_starts_.size());
    verticalScrollBar()->setRange(0, static_cast<int>(std::max(0LL, std::min<long long>(lines - rows, INT32_MAX))));
    verticalScrollBar()->setPageStep(rows);
    verticalScrollBar()->setSingleStep(1);
    const auto longest = static_cast<long long>(longest_line_);
    horizontalScrollBar()->setRange(0, static_cast<int>(std::max(0LL, std::min<long long>(longest - columns + 1, INT32_MAX))));
    horizontalScrollBar()->setPageStep(columns);
    horizontalScrollBar()->setSingleStep(1);
}

void TextLinesView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    update_scroll_bars();
}

void TextLinesView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::Text));
    const int h = line_height();
    const int w = char_width();
    const int ascent = fontMetrics().ascent();
    const size_t first = static_cast<size_t>(verticalScrollBar()->value());
    const size_t column = static_cast<size_t>(horizontalScrollBar()->value());
    const size_t rows = static_cast<size_t>(viewport()->height() / h + 1);
    const size_t columns = static_cast<size_t>(viewport()->width() / w + 2);
    for (size_t r = 0; r < rows && first + r < line_starts_.size(); ++r) {
        const std::string_view l = line(first + r);
        if (column >= l.size()) continue;
        const std::string_view shown = l.substr(column, columns);
        painter.drawText(2, static_cast<int>(r) * h + ascent,
                         QString::fromLatin1(shown.data(), static_cast<qsizetype>(shown.size())));
    }
}

void TextLinesView::keyPressEvent(QKeyEvent* event) {
    // Ctrl+C copies the whole text: the view has no partial selection.
    if (event->matches(QKeySequence::Copy) && text_) {
        QApplication::clipboard()->setText(toPlainText());
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

}  // namespace corvella
