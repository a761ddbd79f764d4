#include "pictures/picture_font.h"

#include <QFontDatabase>

// Q_INIT_RESOURCE must be used outside any namespace; the fonts live in the
// static chart library, whose resources are not registered by themselves.
static void init_picture_font_resources() { Q_INIT_RESOURCE(picture_fonts); }

namespace corvella {

QString picture_font_family() { return QStringLiteral("Liberation Sans"); }

QString picture_font_resource(bool bold) {
    return bold ? QStringLiteral(":/fonts/LiberationSans-Bold.ttf") : QStringLiteral(":/fonts/LiberationSans-Regular.ttf");
}

bool register_picture_fonts() {
    static const bool registered = [] {
        init_picture_font_resources();
        // Fonts added by the application are registered after the system's,
        // so where the system has a Liberation Sans of its own the carried
        // faces are still the ones drawn with.
        const int regular = QFontDatabase::addApplicationFont(picture_font_resource(false));
        const int bold = QFontDatabase::addApplicationFont(picture_font_resource(true));
        return regular >= 0 && bold >= 0;
    }();
    return registered;
}

QFont picture_font(int pixels, bool bold) {
    register_picture_fonts();
    QFont font(picture_font_family());
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoSubpixelAntialias));
    return font;
}

}  // namespace corvella
