// A read-only view of a long text that lays out only the lines on screen:
// the text is held once (shared with whoever made it, such as the network
// window that also saves it) beside an index of line starts, and painting
// draws the visible lines and columns in a fixed-pitch font. A 150 MB text
// costs its own bytes plus eight bytes a line, not a widget document.
#pragma once

#include <QAbstractScrollArea>
#include <QString>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace corvella {

class TextLinesView : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit TextLinesView(QWidget* parent = nullptr);

    // Shows `text` (Latin-1 bytes, lines ending in "\n" or "\r\n") without
    // copying it; the view keeps a share of it until the next show or clear.
    void show_text(std::shared_ptr<const std::string> text);
    // A short message, copied.
    void setPlainText(const QString& text);
    // Lets go of the text and its line index.
    void clear();

    // The whole text as a QString, made on request (the tests read it).
    QString toPlainText() const;
    bool isReadOnly() const { return true; }
    std::size_t line_count() const { return line_starts_.size(); }
    // The bytes the view holds for its line index (the text itself is shared).
    std::size_t index_bytes() const { return line_starts_.capacity() * sizeof(std::size_t); }
    const std::string* text() const { return text_.get(); }
    // Line i without its line end.
    std::string_view line(std::size_t i) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void index_lines();
    void update_scroll_bars();
    int line_height() const;
    int char_width() const;

    std::shared_ptr<const std::string> text_;
    std::vector<std::size_t> line_starts_;
    std::size_t longest_line_ = 0;
};

}  // namespace corvella
