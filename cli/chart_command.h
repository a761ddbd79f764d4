#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "output/chart_spec.h"
#include "output/genome_map.h"
#include "output/write_result.h"

namespace corvella::cli {

// Paints the chart offscreen (no display needed) at `size` (width, height in
// pixels; by default the size the counting windows give their charts, the
// ChartSpec's) and saves it at path in the format its extension names
// (.png, .svg, .pdf; anything else a BMP image). The painting is the
// pictures module's, loaded here: when it cannot be loaded, nothing is
// written and the result says why.
WriteResult write_chart_image(const ChartSpec& spec, const std::string& path, int argc, char** argv,
                              std::optional<std::pair<int, int>> size = std::nullopt);

// The same for several charts under one offscreen application, in order;
// `before` hears each path before it is written. Stops at the first failure.
using ChartJob = std::pair<ChartSpec, std::string>;
WriteResult write_chart_images(const std::vector<ChartJob>& charts, int argc, char** argv,
                               const std::function<void(const std::string&)>& before,
                               std::optional<std::pair<int, int>> size = std::nullopt);

// The genome map at path in the format its extension names, as
// write_chart_image chooses: an SVG is written without the pictures module,
// the others are painted by it.
WriteResult write_map_image(const GenomeMap& map, const std::string& path, int argc, char** argv);

// The SVG drawings of charts at their own size, in order, for a page that
// holds them inline; empty texts, and the reason in *reason, when the
// pictures module cannot paint.
std::vector<std::string> chart_svg_texts(const std::vector<ChartSpec>& charts, int argc, char** argv,
                                         std::string* reason);

}  // namespace corvella::cli
