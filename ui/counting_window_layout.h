// The one layout of the four counting windows (protein, non-protein, tRNA,
// rRNA): the summary label across the top; under it on the left the
// window's grids (and picture) at their natural size; on the right the
// chart, which takes all the room the window gives; under the chart the
// "Options" box at its natural width and "Close" at the right edge.
//
// A window opens with the chart at the size corvella-cli paints by default
// (ChartSpec width x height), so a chart saved from a window that was not
// resized is the batch image; enlarged or shrunk, the chart follows the
// window down to CHART_MINIMUM and the saved image is the chart as shown.
#pragma once

#include <QSize>

class QDialog;
class QGroupBox;
class QLabel;
class QLayout;
class QPushButton;
QT_BEGIN_NAMESPACE
class QChartView;
QT_END_NAMESPACE

namespace corvella {

inline constexpr QSize CHART_MINIMUM{360, 260};

void lay_out_counting_window(QDialog* window, QLabel* summary, QLayout* data, QChartView* chart,
                             QGroupBox* options, QPushButton* close);

}  // namespace corvella
