// corvella_bench_network_window LIST
//
// The memory the desktop program holds around the network window, as a
// person uses it: the human reference chosen, "Export To Network File..." on
// LIST, "Transform" (the text shown in the window), then "Close". Prints the
// resident memory of the process before the command, with the window open
// after the reading, with the text shown, and after the window closed, and
// exits 1 when closing the window does not give back what the text took
// (more than 16 MB above what the process held with the window open before
// the transform). The Transform itself is timed, and its peak (the highest
// resident memory from the click until the text is shown) is set against the
// text: it exits 1 when the peak passes 1.5 times the text above what the
// process held with the window open.
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>

#include "scripted_dialogs.h"
#include "ui/Corvella_unit.h"
#include "ui/Exporttonetwork.h"

namespace {

// The highest resident memory since the last reset_peak(), from the kernel.
double peak_mb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1e3;  // kB
    return 0;
}

void reset_peak() { std::ofstream("/proc/self/clear_refs") << "5"; }

double resident_mb() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: corvella_bench_network_window LIST\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    corvella_bench::ScriptedDialogs dialogs;
    TForm1 form(dialogs);
    form.show();
    form.HumanReference1->trigger();
    QApplication::processEvents();

    double opened = 0, shown = 0, text_mb = 0, peak = 0, transform_s = 0;
    // Worked as soon as it opens, as a person would: Transform, then Close.
    form.show_modal = [&](QDialog& window) {
        window.show();
        QApplication::processEvents();
        opened = resident_mb();
        reset_peak();
        QElapsedTimer clock;
        clock.start();
        form.Form7->Button1->click();
        transform_s = static_cast<double>(clock.elapsed()) / 1e3;
        peak = peak_mb();
        QApplication::processEvents();
        shown = resident_mb();
        text_mb = static_cast<double>(form.Form7->network_text().size()) / 1e6;
        form.Form7->Button3->click();
    };
    const double before = resident_mb();
    dialogs.opens.push_back(argv[1]);
    form.ExportToNetworkFile1->trigger();
    QApplication::processEvents();
    const double closed = resident_mb();
    std::printf("network window on %s: text %.1f MB; resident before the command %.1f MB, window open %.1f MB, "
                "text shown %.1f MB, window closed %.1f MB\n",
                argv[1], text_mb, before, opened, shown, closed);
    const double allowed = opened + 1.5 * text_mb;
    std::printf("network Transform: %.2f s, peak %.1f MB (window open %.1f MB + %.2f x the text; target below "
                "%.1f MB)\n",
                transform_s, peak, opened, text_mb > 0 ? (peak - opened) / text_mb : 0.0, allowed);
    return closed > opened + 16.0 || peak > allowed ? 1 : 0;
}
