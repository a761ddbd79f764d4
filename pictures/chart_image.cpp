#include "pictures/chart_image.h"

#include <QChartView>

#include "output/atomic_file.h"
#include "pictures/chart_encoding.h"
#include "pictures/chart_view.h"

namespace corvella {

// The image is encoded in memory and written through the same atomic writer
// as every report, so a failed save keeps an existing image.
WriteResult save_chart_as(QWidget* chart, const std::string& path, ChartImageFormat format) {
    QByteArray bytes;
    std::string reason;
    if (!encode_chart(chart, format, &bytes, &reason)) return write_failure(path, reason);
    return write_file_atomically(path, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
}

WriteResult save_chart_spec_as(const ChartSpec& spec, const std::string& path, ChartImageFormat format,
                               QSize size) {
    const std::unique_ptr<QChartView> view = offscreen_chart_view(spec, size.width(), size.height());
    return save_chart_as(view.get(), path, format);
}

WriteResult save_chart_bitmap(QWidget* chart, const std::string& path) {
    return save_chart_as(chart, path, ChartImageFormat::Bmp);
}

WriteResult save_chart_spec_bitmap(const ChartSpec& spec, const std::string& path) {
    return save_chart_spec_as(spec, path, ChartImageFormat::Bmp);
}

}  // namespace corvella
