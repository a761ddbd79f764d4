#include "cli/chart_command.h"

#include "output/atomic_file.h"

#ifdef CORVELLA_WITH_CHARTS
#include <QApplication>
#include <QtGlobal>
#include <cstdio>
#include <memory>

#include "ui/charts/chart_image.h"
#include "ui/charts/genome_map_painter.h"
#include "ui/charts/picture_font.h"
#endif

namespace corvella::cli {

#ifdef CORVELLA_WITH_CHARTS
namespace {

// Batch runs have no display: always paint on Qt's offscreen platform, and
// keep its chatter about the missing display out of the pipeline's stderr.
std::unique_ptr<QApplication> offscreen_application(int& argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg) fprintf(stderr, "corvella-cli: %s\n", qPrintable(text));
    });
    auto app = std::make_unique<QApplication>(argc, argv);
    register_picture_fonts();
    return app;
}

}  // namespace

WriteResult write_chart_image(const ChartSpec& spec, const std::string& path, int argc, char** argv,
                              std::optional<std::pair<int, int>> size) {
    const auto app = offscreen_application(argc, argv);
    const QSize pixels = size ? QSize(size->first, size->second) : QSize();
    return save_chart_spec_as(spec, path, chart_image_format(path), pixels);
}

WriteResult write_chart_images(const std::vector<ChartJob>& charts, int argc, char** argv,
                               const std::function<void(const std::string&)>& before) {
    const auto app = offscreen_application(argc, argv);
    for (const ChartJob& chart : charts) {
        if (before) before(chart.second);
        WriteResult written = save_chart_spec_as(chart.first, chart.second, chart_image_format(chart.second), QSize());
        if (!written.ok) return written;
    }
    return {};
}
WriteResult write_map_image(const GenomeMap& map, const std::string& path, int argc, char** argv) {
    const ChartImageFormat format = chart_image_format(path);
    if (format == ChartImageFormat::Svg) return save_genome_map(map, path, format);
    const auto app = offscreen_application(argc, argv);
    return save_genome_map(map, path, format);
}

std::vector<std::string> chart_svg_texts(const std::vector<ChartSpec>& charts, int argc, char** argv) {
    const auto app = offscreen_application(argc, argv);
    std::vector<std::string> texts;
    for (const ChartSpec& chart : charts) texts.push_back(chart_svg_text(chart));
    return texts;
}
#else
WriteResult write_map_image(const GenomeMap& map, const std::string& path, int, char**) {
    if (path.size() >= 4 && path.compare(path.size() - 4, 4, ".svg") == 0)
        return write_file_atomically(path, genome_map_svg(map));
    return {false, "this corvella-cli was built without Qt and can write the map only as SVG"};
}

std::vector<std::string> chart_svg_texts(const std::vector<ChartSpec>& charts, int, char**) {
    return std::vector<std::string>(charts.size());
}

WriteResult write_chart_image(const ChartSpec&, const std::string&, int, char**, std::optional<std::pair<int, int>>) {
    return {false, "this corvella-cli was built without Qt and cannot paint charts"};
}

WriteResult write_chart_images(const std::vector<ChartJob>&, int, char**, const std::function<void(const std::string&)>&) {
    return {false, "this corvella-cli was built without Qt and cannot paint charts"};
}
#endif

}  // namespace corvella::cli
