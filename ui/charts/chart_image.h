// A chart saved as an image in the format its file name asks for: Windows
// BMP (as the counting windows have always saved it), PNG (the same pixels,
// lossless), SVG and PDF (vector drawings whose texts stay text).
#pragma once

#include <QSize>
#include <string>

#include "output/chart_spec.h"
#include "output/write_result.h"

class QWidget;

namespace corvella {

enum class ChartImageFormat { Bmp, Png, Svg, Pdf };

// The format for a file name by its extension (".png", ".svg", ".pdf", in
// lower case); every other name is a BMP, as every chart file was before.
ChartImageFormat chart_image_format(const std::string& path);

// The extension of a format, with its dot.
const char* chart_image_extension(ChartImageFormat format);

// Stores `chart` exactly as shown, at its current size, in `format`,
// replacing an existing file atomically. A BMP is byte for byte what
// save_chart_bitmap writes.
WriteResult save_chart_as(QWidget* chart, const std::string& path, ChartImageFormat format);

// For programs without a window and for pictures of another size: lays spec
// out off screen at `size` (the ChartSpec's own size when empty) and saves
// it as save_chart_as does. Needs a QApplication.
WriteResult save_chart_spec_as(const ChartSpec& spec, const std::string& path, ChartImageFormat format,
                               QSize size = QSize());

// The SVG drawing of spec at its own size, as the SVG file holds it (empty
// when it could not be painted). Needs a QApplication.
std::string chart_svg_text(const ChartSpec& spec);

}  // namespace corvella
