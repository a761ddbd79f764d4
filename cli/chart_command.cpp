#include "cli/chart_command.h"

#ifdef CORVELLA_WITH_CHARTS
#include <QApplication>
#include <QtGlobal>
#include <cstdio>

#include "ui/charts/chart_image.h"
#endif

namespace corvella::cli {

#ifdef CORVELLA_WITH_CHARTS
WriteResult write_chart_image(const ChartSpec& spec, const std::string& path, int argc, char** argv,
                              std::optional<std::pair<int, int>> size) {
    // Batch runs have no display: always paint on Qt's offscreen platform,
    // and keep its chatter about the missing display out of the pipeline's stderr.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg) fprintf(stderr, "corvella-cli: %s\n", qPrintable(text));
    });
    QApplication app(argc, argv);
    const QSize pixels = size ? QSize(size->first, size->second) : QSize();
    return save_chart_spec_as(spec, path, chart_image_format(path), pixels);
}
#else
WriteResult write_chart_image(const ChartSpec&, const std::string&, int, char**, std::optional<std::pair<int, int>>) {
    return {false, "this corvella-cli was built without Qt and cannot paint charts"};
}
#endif

}  // namespace corvella::cli
