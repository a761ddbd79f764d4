// The pictures module's one entry point: corvella-cli dlopens the module
// (and with it Qt) only for the commands that paint.
#include <QApplication>
#include <QtGlobal>
#include <cstdio>
#include <memory>

#include "pictures/chart_encoding.h"
#include "pictures/genome_map_painter.h"
#include "pictures/picture_font.h"
#include "pictures/pictures.h"

namespace corvella {

namespace {

// Batch runs have no display: always paint on Qt's offscreen platform, and
// keep its chatter about the missing display out of the pipeline's stderr.
std::unique_ptr<QApplication> offscreen_application(const char* program) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg) fprintf(stderr, "corvella-cli: %s\n", qPrintable(text));
    });
    // QApplication keeps references to both for its whole life.
    static int argc = 1;
    static char name[256];
    snprintf(name, sizeof name, "%s", program != nullptr ? program : "corvella-cli");
    static char* argv[] = {name, nullptr};
    auto app = std::make_unique<QApplication>(argc, argv);
    register_picture_fonts();
    return app;
}

void paint_charts(const std::vector<ChartPicture>& pictures, const char* program, const PaintedSink& sink) {
    std::unique_ptr<QApplication> own;
    if (QCoreApplication::instance() == nullptr) own = offscreen_application(program);
    for (size_t i = 0; i < pictures.size(); ++i)
        if (!sink(i, paint_chart(pictures[i]))) return;
}

PaintedPicture paint_map(const GenomeMap& map, ChartImageFormat format, const char* program) {
    std::unique_ptr<QApplication> own;
    if (QCoreApplication::instance() == nullptr) own = offscreen_application(program);
    return paint_map_picture(map, format);
}

const PictureModule MODULE = {PICTURE_MODULE_VERSION, &paint_charts, &paint_map};

}  // namespace

extern "C" __attribute__((visibility("default"))) const PictureModule* corvella_picture_module() { return &MODULE; }

}  // namespace corvella
