// The pictures layer as plain data: what to paint and its size and format
// in, the image's bytes out. No Qt type crosses it, so corvella-cli can load
// the painting (Qt Widgets, Charts, SVG) as a module only when a picture is
// asked for, and its text commands never load a windowing library. The
// desktop program links the same painting directly.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "output/chart_spec.h"
#include "output/genome_map.h"

namespace corvella {

enum class ChartImageFormat { Bmp, Png, Svg, Pdf };

// The format for a file name by its extension (".png", ".svg", ".pdf", in
// lower case); every other name is a BMP, as every chart file was before.
inline ChartImageFormat chart_image_format(const std::string& path) {
    const auto ends_with = [&path](const std::string& tail) {
        return path.size() >= tail.size() && path.compare(path.size() - tail.size(), tail.size(), tail) == 0;
    };
    if (ends_with(".png")) return ChartImageFormat::Png;
    if (ends_with(".svg")) return ChartImageFormat::Svg;
    if (ends_with(".pdf")) return ChartImageFormat::Pdf;
    return ChartImageFormat::Bmp;
}

// The extension of a format, with its dot.
inline const char* chart_image_extension(ChartImageFormat format) {
    switch (format) {
        case ChartImageFormat::Png: return ".png";
        case ChartImageFormat::Svg: return ".svg";
        case ChartImageFormat::Pdf: return ".pdf";
        case ChartImageFormat::Bmp: break;
    }
    return ".bmp";
}

// One chart to paint: at width x height pixels (0 x 0: the chart's own size,
// the one the counting windows give it) in `format`.
struct ChartPicture {
    ChartSpec chart;
    ChartImageFormat format = ChartImageFormat::Bmp;
    int width = 0;
    int height = 0;
};

// A painted picture: its bytes, or why it could not be painted.
struct PaintedPicture {
    bool ok = true;
    std::string bytes;
    std::string reason;
};

// Hears each picture in order as soon as it is painted; false stops the run.
using PaintedSink = std::function<bool(size_t index, const PaintedPicture& picture)>;

// What the pictures module offers, as a table of functions (the module and
// the program that loads it are built together, from the same headers; the
// version guards against a module left from another build).
struct PictureModule {
    int version;
    // Paints `pictures` in order under one application: the running one (the
    // desktop's) or else an offscreen one made for the run, named `program`,
    // whose messages below critical are kept out of stderr.
    void (*paint_charts)(const std::vector<ChartPicture>& pictures, const char* program, const PaintedSink& sink);
    // Paints the genome map as a BMP, PNG or PDF file, under an application
    // as paint_charts makes one.
    PaintedPicture (*paint_map)(const GenomeMap& map, ChartImageFormat format, const char* program);
};

constexpr int PICTURE_MODULE_VERSION = 2;

// The module's file name and its one exported function, which returns the
// table (never null).
constexpr const char* PICTURE_MODULE_FILE = "corvella-pictures.so";
constexpr const char* PICTURE_MODULE_ENTRY = "corvella_picture_module";
extern "C" const PictureModule* corvella_picture_module();

}  // namespace corvella
