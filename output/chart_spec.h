// What a counting window's bar chart shows, as plain data: the windows and
// corvella-cli paint the same value (pictures/), so their images agree.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace corvella {

struct ChartPoint {
    double x;           // 1, 2, ... left to right
    double y;           // bar height
    std::string label;  // bottom-axis label
};

struct ChartSeries {
    std::string title;  // legend text ("Syn"); may be empty
    uint32_t rgb;       // 0xRRGGBB
    std::vector<ChartPoint> points;
};

struct ChartSpec {
    std::string title;
    uint32_t title_rgb = 0x000000;
    std::string left_axis_title;
    bool legend_visible = true;
    bool rotate_labels = true;  // bottom labels turned by 90 degrees
    // Height of the bottom labels' letters in pixels (pixels, not points, so
    // that the picture does not depend on the display's resolution).
    int bottom_label_pixels = 12;
    std::vector<ChartSeries> series;
    // Fonts that differ from the program's own, by family; empty: the
    // program's. Part of the value so that a window and corvella-cli, which
    // may resolve a family to different faces, paint with the same one.
    std::string title_font;    // at the chart's usual title size
    std::string label_font;    // the bottom labels
    int label_pixel_size = 0;  // their character size in pixels; 0: usual size
    // The size the counting windows give the chart on screen, in pixels;
    // corvella-cli paints its images at the same size.
    int width = 640;
    int height = 420;
};

constexpr uint32_t CHART_BLUE = 0x0000FF;
constexpr uint32_t CHART_RED = 0xFF0000;

}  // namespace corvella
