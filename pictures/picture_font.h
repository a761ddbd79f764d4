// The one typeface of every chart, genome map and report picture: Liberation
// Sans (a metric-compatible stand-in for Arial, from Debian's
// fonts-liberation2), compiled into the program's resources and added to the
// application's fonts at start. A picture's bytes then depend only on what
// it shows and its size, not on which fonts the machine has installed, and
// the desktop's image is the batch image.
#pragma once

#include <QFont>
#include <QString>

namespace corvella {

// "Liberation Sans".
QString picture_font_family();

// Adds the carried regular and bold faces to the application's fonts, once
// per run; later calls do nothing. Needs a QGuiApplication. False when a face
// could not be loaded (a damaged build), and the pictures would then fall
// back to the system's fonts.
bool register_picture_fonts();

// The picture font at a size in pixels (not points, so that the display's
// resolution does not change the picture), unhinted and smoothed the same
// way on every display: the window's chart is then the batch chart.
QFont picture_font(int pixels, bool bold = false);  // registers the fonts when not yet done

// The carried regular face's file, as compiled in (":/fonts/...").
QString picture_font_resource(bool bold = false);

}  // namespace corvella
