#include "ui/fonts.h"

#include <QApplication>
#include <QFontDatabase>

namespace corvella {

QFont font_or_default(const QString& family, int point_size) {
    QFont font = QFontDatabase::families().contains(family) ? QFont(family) : QApplication::font();
    if (point_size > 0) font.setPointSize(point_size);
    return font;
}

QFont fixed_font_or_default(const QString& family) {
    if (QFontDatabase::families().contains(family)) return QFont(family);
    return QFontDatabase::systemFont(QFontDatabase::FixedFont);
}

}  // namespace corvella
