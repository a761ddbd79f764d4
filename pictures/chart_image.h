// A chart saved as an image in the format its file name asks for: Windows
// BMP (as the counting windows have always saved it), PNG (the same pixels,
// lossless), SVG and PDF (vector drawings whose texts stay text). The
// desktop program's saving; corvella-cli paints through the pictures module
// (pictures/pictures.h) and writes the same bytes.
#pragma once

#include <QSize>
#include <string>

#include "output/chart_spec.h"
#include "output/genome_map.h"
#include "output/write_result.h"
#include "pictures/pictures.h"

class QWidget;

namespace corvella {

// Stores `chart` exactly as shown, at its current size, in `format`,
// replacing an existing file atomically. A BMP is byte for byte what
// save_chart_bitmap writes.
WriteResult save_chart_as(QWidget* chart, const std::string& path, ChartImageFormat format);

// For pictures of another size: lays spec out off screen at `size` (the
// ChartSpec's own size when empty) and saves it as save_chart_as does.
// Needs a QApplication.
WriteResult save_chart_spec_as(const ChartSpec& spec, const std::string& path, ChartImageFormat format,
                               QSize size = QSize());

// The genome map in `format` (an SVG is genome_map_svg's drawing, the others
// painted), replacing an existing file atomically.
WriteResult save_genome_map(const GenomeMap& map, const std::string& path, ChartImageFormat format);

}  // namespace corvella
