// Paints a ChartSpec as a Qt bar chart, and stores a chart as shown in a
// Windows BMP file. Shared by the counting windows and corvella-cli so that
// their images agree.
#pragma once

#include <QSize>
#include <string>

#include "output/chart_spec.h"
#include "output/write_result.h"

class QWidget;
QT_BEGIN_NAMESPACE
class QChart;
class QChartView;
QT_END_NAMESPACE

namespace corvella {

// A new chart built from spec: one bar set per series (its title and colour),
// categories from the point labels in x order, the left axis titled, bottom
// labels turned by 90 degrees when asked, no animation. The caller owns it.
QChart* build_chart(const ChartSpec& spec);

// A chart view showing spec, without zoom or rubber band.
QChartView* make_chart_view(const ChartSpec& spec, QWidget* parent = nullptr);

// Sets the title, the bottom labels and the left axis's title smaller where
// the chart's present size has too little room for them at their usual
// size (down to 6 pixels), so that every category label and the title show
// whole at every size; at the usual size nothing changes. Views made by
// make_chart_view do this at every resize.
void fit_chart_texts(QChart* chart);

// Replaces what an existing view shows (the old chart is deleted).
void show_chart(QChartView& view, const ChartSpec& spec);

// Grabs `chart` exactly as it is shown, at its current size, and writes it as
// BMP to path, replacing an existing file. On failure the result carries
// "Cannot write <path>: <reason>".
WriteResult save_chart_bitmap(QWidget* chart, const std::string& path);

// For programs without a window: lays spec out off screen at its own size,
// as the windows show it, and saves it as save_chart_bitmap does. Needs a
// QApplication.
WriteResult save_chart_spec_bitmap(const ChartSpec& spec, const std::string& path);

}  // namespace corvella
