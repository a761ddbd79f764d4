// corvella_bench_desktop LIST CORVELLA-CLI OUT_DIR [txt]
//
// The desktop program's workbook saves beside corvella-cli's, side by side in
// one run: for each counting window and each long workbook report (per
// position, per sample) it times the "Save As..." click of the window (the
// list already read, as a person would have it) against the whole
// `corvella-cli report` process that writes the same file, checks that the
// two files are byte-identical, and prints one row per report. Exit status 1
// when a desktop save takes more than 1.5 times the CLI's time or the files
// differ. Run it on the display the desktop uses (scripts/bench-desktop runs
// it under Xvfb with openbox); without one it paints off screen. With "txt"
// the reports are saved as text files instead, and the reading of the list
// and each counting command are timed too (the desktop on a large cohort).
#include <QApplication>
#include <QChartView>
#include <QElapsedTimer>
#include <QProcess>
#include <QPushButton>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <iterator>
#include <string>

#include "ui/Corvella_unit.h"
#include "ui/Nonprotein.h"
#include "ui/Rrnastructure.h"
#include "ui/Synonymouscounting.h"
#include "ui/Trnastructure.h"
#include "scripted_dialogs.h"

namespace {

std::string read_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

int main(int argc, char** argv) {
    const bool text = argc == 5 && std::string(argv[4]) == "txt";
    if (argc != 4 && !text) {
        std::fprintf(stderr, "usage: corvella_bench_desktop LIST CORVELLA-CLI OUT_DIR [txt]\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::string list = argv[1];
    const QString cli = argv[2];
    const std::string out = argv[3];

    corvella_bench::ScriptedDialogs dialogs;
    TForm1 form(dialogs);
    form.show_modal = [](QDialog& window) { window.show(); };
    form.show();
    form.HumanReference1->trigger();
    dialogs.opens.push_back(list);
    QElapsedTimer reading;
    reading.start();
    form.OpenPolymorphismsFile1->trigger();
    std::printf("reading the list: %.0f ms\n", static_cast<double>(reading.nsecsElapsed()) / 1e6);
    const char* extension = text ? ".txt" : ".xls";
    const int filter = text ? 1 : 2;

    struct Row {
        const char* kind;
        const char* table;
        QAction* command;
        QPushButton* button;
    };
    const Row rows[] = {
        {"protein", "positions", form.Protein1, form.Form4->Button3},
        {"protein", "samples", form.Protein1, form.Form4->Button4},
        {"nonprotein", "positions", form.NonProtein1, form.Form5->Button2},
        {"nonprotein", "samples", form.NonProtein1, form.Form5->Button3},
        {"trna", "positions", form.tRNAshumanonly1, form.Form9->Button3},
        {"trna", "samples", form.tRNAshumanonly1, form.Form9->Button4},
        {"rrna", "positions", form.rRNAshumanonly1, form.Form10->Button3},
        {"rrna", "samples", form.rRNAshumanonly1, form.Form10->Button4},
    };
    std::printf("platform %s, list %s\n", qPrintable(QGuiApplication::platformName()), list.c_str());
    std::printf("%-11s %-10s %10s %10s %6s\n", "window", "table", "desktop_ms", "cli_ms", "ratio");
    int status = 0;
    for (const Row& row : rows) {
        QElapsedTimer counting;
        counting.start();
        row.command->trigger();
        QApplication::processEvents();
        if (text) std::printf("%-11s counting command: %.0f ms\n", row.kind, static_cast<double>(counting.nsecsElapsed()) / 1e6);
        const std::string base = out + "/" + row.kind + "-" + row.table;
        dialogs.saves.push_back({base + "-desktop" + extension, filter});
        QElapsedTimer clock;
        clock.start();
        row.button->click();
        const double desktop_ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;

        QProcess process;
        clock.restart();
        process.start(cli, {"report", row.kind, row.table, QString::fromStdString(list), "-o",
                            QString::fromStdString(base + "-cli" + extension)});
        process.waitForFinished(-1);
        const double cli_ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;

        const bool same = process.exitCode() == 0 &&
                          read_bytes(base + "-desktop" + extension) == read_bytes(base + "-cli" + extension);
        const double ratio = desktop_ms / cli_ms;
        std::printf("%-11s %-10s %10.0f %10.0f %6.2f%s\n", row.kind, row.table, desktop_ms, cli_ms, ratio,
                    same ? "" : "  FILES DIFFER");
        if (!same || ratio > 1.5) status = 1;
        std::fflush(stdout);
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != &form) w->hide();
    }
    return status;
}
