#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "output/chart_spec.h"
#include "output/write_result.h"

namespace corvella::cli {

// Paints the chart offscreen (no display needed) at the size the counting
// windows give their charts (the ChartSpec's width and height) and saves it as a BMP image at path.
WriteResult write_chart_image(const ChartSpec& spec, const std::string& path, int argc, char** argv);

// The same for several charts under one offscreen application, in order;
// `before` hears each path before it is written. Stops at the first failure.
using ChartJob = std::pair<ChartSpec, std::string>;
WriteResult write_chart_images(const std::vector<ChartJob>& charts, int argc, char** argv,
                               const std::function<void(const std::string&)>& before);

}  // namespace corvella::cli
