// Fonts by name, falling back to the system's own when a family is missing
// (the windows name families of another desktop).
#pragma once

#include <QFont>

namespace corvella {

// `family` when installed, else the system's default font; point size kept.
QFont font_or_default(const QString& family, int point_size);
// `family` when installed, else the system's fixed-pitch font.
QFont fixed_font_or_default(const QString& family);

}  // namespace corvella
