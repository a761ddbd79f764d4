#include "pictures/chart_image.h"

#include <QChartView>

#include "output/atomic_file.h"
#include "pictures/chart_encoding.h"
#include "pictures/chart_view.h"
#include "pictures/genome_map_painter.h"

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

WriteResult save_genome_map(const GenomeMap& map, const std::string& path, ChartImageFormat format) {
    if (format == ChartImageFormat::Svg) return write_file_atomically(path, genome_map_svg(map));
    const PaintedPicture picture = paint_map_picture(map, format);
    return picture.ok ? write_file_atomically(path, picture.bytes) : write_failure(path, picture.reason);
}

WriteResult save_chart_bitmap(QWidget* chart, const std::string& path) {
    return save_chart_as(chart, path, ChartImageFormat::Bmp);
}

WriteResult save_chart_spec_bitmap(const ChartSpec& spec, const std::string& path) {
    return save_chart_spec_as(spec, path, ChartImageFormat::Bmp);
}

}  // namespace corvella
