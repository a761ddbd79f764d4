// Paints a GenomeMap with Qt: the desktop window, and the BMP, PNG and PDF
// files of the map (the SVG file is genome_map_svg's drawing of the same
// value). Part of the painting the desktop links and the pictures module
// holds; needs nothing from the logic library.
#pragma once

#include "output/genome_map.h"
#include "pictures/pictures.h"

class QPainter;

namespace corvella {

// Draws `map` onto a painter whose device is map.width x map.height pixels.
void paint_genome_map(QPainter& painter, const GenomeMap& map);

// The map as the bytes of a BMP, PNG or PDF file (an SVG is not painted
// here). Needs a QGuiApplication.
PaintedPicture paint_map_picture(const GenomeMap& map, ChartImageFormat format);

}  // namespace corvella
