#include "pictures/chart_encoding.h"

#include <cstring>

#include <QBuffer>
#include <QChartView>
#include <QImage>
#include <QImageWriter>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include "pictures/chart_view.h"

namespace corvella {

namespace {

bool encode_pixels(QWidget* chart, const char* type, QByteArray* bytes, std::string* reason) {
    QBuffer buffer(bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, type);
    QImage image = chart->grab().toImage();
    // A PNG is opaque RGB whatever the screen's format: the window's file is
    // then the same bytes as corvella-cli's, which paints off screen without
    // alpha (a window on X grabs with an alpha channel).
    if (std::strcmp(type, "png") == 0) image = image.convertToFormat(QImage::Format_RGB32);
    if (writer.write(image)) return true;
    *reason = writer.errorString().toStdString();
    return false;
}

// The widget paints itself onto a vector device: bars, axes and every text
// as drawing commands, the texts as text.
bool paint_onto(QPaintDevice* device, QWidget* chart, std::string* reason, const char* failure) {
    QPainter painter;
    if (!painter.begin(device)) {
        *reason = failure;
        return false;
    }
    chart->render(&painter);
    painter.end();
    return true;
}

bool encode_svg(QWidget* chart, QByteArray* bytes, std::string* reason) {
    QBuffer buffer(bytes);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(chart->size());
    svg.setViewBox(QRect(QPoint(0, 0), chart->size()));
    svg.setTitle(chart->windowTitle());
    return paint_onto(&svg, chart, reason, "the SVG drawing could not be started");
}

// One page exactly the chart's size, a pixel to a point.
bool encode_pdf(QWidget* chart, QByteArray* bytes, std::string* reason) {
    QBuffer buffer(bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(72);
    pdf.setPageSize(QPageSize(QSizeF(chart->size()), QPageSize::Point));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    return paint_onto(&pdf, chart, reason, "the PDF page could not be started");
}

}  // namespace

bool encode_chart(QWidget* chart, ChartImageFormat format, QByteArray* bytes, std::string* reason) {
    if (chart == nullptr) {
        *reason = "no chart";
        return false;
    }
    switch (format) {
        case ChartImageFormat::Png: return encode_pixels(chart, "png", bytes, reason);
        case ChartImageFormat::Svg: return encode_svg(chart, bytes, reason);
        case ChartImageFormat::Pdf: return encode_pdf(chart, bytes, reason);
        case ChartImageFormat::Bmp: break;
    }
    return encode_pixels(chart, "bmp", bytes, reason);
}

std::unique_ptr<QChartView> offscreen_chart_view(const ChartSpec& spec, int width, int height) {
    ChartSpec sized = spec;
    if (width > 0 && height > 0) {
        sized.width = width;
        sized.height = height;
    }
    std::unique_ptr<QChartView> view(make_chart_view(sized));
    view->setAttribute(Qt::WA_DontShowOnScreen);
    view->show();
    return view;
}

PaintedPicture paint_chart(const ChartPicture& picture) {
    const std::unique_ptr<QChartView> view = offscreen_chart_view(picture.chart, picture.width, picture.height);
    QByteArray bytes;
    PaintedPicture painted;
    painted.ok = encode_chart(view.get(), picture.format, &bytes, &painted.reason);
    if (painted.ok) painted.bytes.assign(bytes.constData(), static_cast<size_t>(bytes.size()));
    return painted;
}

}  // namespace corvella
