// A chart as the bytes of an image file, painted in memory: the one painter
// behind the desktop's "Save graph as image", its batch saves and the
// pictures module that corvella-cli loads. Writes no file.
#pragma once

#include <QByteArray>
#include <memory>
#include <string>

#include "output/chart_spec.h"
#include "pictures/pictures.h"

class QWidget;
QT_BEGIN_NAMESPACE
class QChartView;
QT_END_NAMESPACE

namespace corvella {

// Encodes `chart` exactly as shown, at its current size, in `format`: BMP
// and PNG the same pixels, SVG and PDF vector drawings whose texts stay
// text. On failure false, with the reason in *reason.
bool encode_chart(QWidget* chart, ChartImageFormat format, QByteArray* bytes, std::string* reason);

// A view of the chart `spec` describes, laid out off screen at width x height (its own
// size when either is 0 or less), ready to be encoded. Needs a QApplication.
std::unique_ptr<QChartView> offscreen_chart_view(const ChartSpec& spec, int width, int height);

// Paints one picture off screen (needs a QApplication).
PaintedPicture paint_chart(const ChartPicture& picture);

}  // namespace corvella
