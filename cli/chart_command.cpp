#include "cli/chart_command.h"

#ifdef CORVELLA_WITH_CHARTS
#include <QApplication>
#include <QtGlobal>
#include <cstdio>

#include "ui/charts/chart_view.h"
#endif

namespace corvella::cli {

WriteResult write_chart_image(const ChartSpec& spec, const std::string& path, int argc, char** argv) {
    return write_chart_images({{spec, path}}, argc, argv, nullptr);
}

#ifdef CORVELLA_WITH_CHARTS
WriteResult write_chart_images(const std::vector<ChartJob>& charts, int argc, char** argv,
                               const std::function<void(const std::string&)>& before) {
    // Batch runs have no display: always paint on Qt's offscreen platform,
    // and keep its chatter about the missing display out of the pipeline's stderr.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg) fprintf(stderr, "corvella-cli: %s\n", qPrintable(text));
    });
    QApplication app(argc, argv);
    for (const ChartJob& chart : charts) {
        if (before) before(chart.second);
        WriteResult written = save_chart_spec_bitmap(chart.first, chart.second);
        if (!written.ok) return written;
    }
    return {};
}
#else
WriteResult write_chart_images(const std::vector<ChartJob>&, int, char**, const std::function<void(const std::string&)>&) {
    return {false, "this corvella-cli was built without Qt and cannot paint charts"};
}
#endif

}  // namespace corvella::cli
