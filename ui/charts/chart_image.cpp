#include "ui/charts/chart_image.h"

#include <QBuffer>
#include <QChartView>
#include <QImageWriter>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <memory>

#include "output/atomic_file.h"
#include "ui/charts/chart_view.h"

namespace corvella {

namespace {

bool ends_with(const std::string& s, const char* tail) {
    const std::string t(tail);
    return s.size() >= t.size() && s.compare(s.size() - t.size(), t.size(), t) == 0;
}

WriteResult write_bytes(const QByteArray& bytes, const std::string& path) {
    return write_file_atomically(path, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
}

WriteResult write_png(QWidget* chart, const std::string& path) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(chart->grab().toImage())) return write_failure(path, writer.errorString().toStdString());
    return write_bytes(bytes, path);
}

// The widget paints itself onto a vector device: bars, axes and every text
// as drawing commands, the texts as text. Empty when painting fails.
QByteArray svg_bytes(QWidget* chart) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(chart->size());
    svg.setViewBox(QRect(QPoint(0, 0), chart->size()));
    svg.setTitle(chart->windowTitle());
    QPainter painter;
    if (!painter.begin(&svg)) return {};
    chart->render(&painter);
    painter.end();
    return bytes;
}

WriteResult write_svg(QWidget* chart, const std::string& path) {
    const QByteArray bytes = svg_bytes(chart);
    if (bytes.isEmpty()) return write_failure(path, "the SVG drawing could not be started");
    return write_bytes(bytes, path);
}

std::unique_ptr<QChartView> offscreen_view(const ChartSpec& spec, QSize size) {
    ChartSpec sized = spec;
    if (size.isValid() && !size.isEmpty()) {
        sized.width = size.width();
        sized.height = size.height();
    }
    std::unique_ptr<QChartView> view(make_chart_view(sized));
    view->setAttribute(Qt::WA_DontShowOnScreen);
    view->show();
    return view;
}

// One page exactly the chart's size, a pixel to a point.
WriteResult write_pdf(QWidget* chart, const std::string& path) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(72);
        pdf.setPageSize(QPageSize(QSizeF(chart->size()), QPageSize::Point));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter;
        if (!painter.begin(&pdf)) return write_failure(path, "the PDF page could not be started");
        chart->render(&painter);
        painter.end();
    }
    return write_bytes(bytes, path);
}

}  // namespace

ChartImageFormat chart_image_format(const std::string& path) {
    if (ends_with(path, ".png")) return ChartImageFormat::Png;
    if (ends_with(path, ".svg")) return ChartImageFormat::Svg;
    if (ends_with(path, ".pdf")) return ChartImageFormat::Pdf;
    return ChartImageFormat::Bmp;
}

const char* chart_image_extension(ChartImageFormat format) {
    switch (format) {
        case ChartImageFormat::Png: return ".png";
        case ChartImageFormat::Svg: return ".svg";
        case ChartImageFormat::Pdf: return ".pdf";
        case ChartImageFormat::Bmp: break;
    }
    return ".bmp";
}

WriteResult save_chart_as(QWidget* chart, const std::string& path, ChartImageFormat format) {
    if (chart == nullptr) return write_failure(path, "no chart");
    switch (format) {
        case ChartImageFormat::Png: return write_png(chart, path);
        case ChartImageFormat::Svg: return write_svg(chart, path);
        case ChartImageFormat::Pdf: return write_pdf(chart, path);
        case ChartImageFormat::Bmp: break;
    }
    return save_chart_bitmap(chart, path);
}

WriteResult save_chart_spec_as(const ChartSpec& spec, const std::string& path, ChartImageFormat format,
                               QSize size) {
    const std::unique_ptr<QChartView> view = offscreen_view(spec, size);
    return save_chart_as(view.get(), path, format);
}

std::string chart_svg_text(const ChartSpec& spec) {
    const std::unique_ptr<QChartView> view = offscreen_view(spec, QSize());
    const QByteArray bytes = svg_bytes(view.get());
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

}  // namespace corvella
