#pragma once

#include <string>

#include "output/chart_spec.h"
#include "output/write_result.h"

namespace corvella::cli {

// Paints the chart offscreen (no display needed) at the size the counting
// windows give their charts (the ChartSpec's width and height) and saves it as a BMP image at path.
WriteResult write_chart_image(const ChartSpec& spec, const std::string& path, int argc, char** argv);

}  // namespace corvella::cli
