// Paints a GenomeMap with Qt (the desktop window and the raster and PDF
// files), and saves a map in the four picture formats. The SVG file is
// genome_map_svg's drawing of the same value.
#pragma once

#include <string>

#include "output/genome_map.h"
#include "output/write_result.h"
#include "ui/charts/chart_image.h"

class QPainter;

namespace corvella {

// Draws `map` onto a painter whose device is map.width x map.height pixels.
void paint_genome_map(QPainter& painter, const GenomeMap& map);

// Writes `map` in `format`, replacing an existing file atomically. Raster
// formats need a QGuiApplication; SVG needs nothing.
WriteResult save_genome_map(const GenomeMap& map, const std::string& path, ChartImageFormat format);

}  // namespace corvella
