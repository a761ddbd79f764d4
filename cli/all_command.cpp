#include "cli/all_command.h"

#include <unistd.h>

#include <iostream>
#include <mutex>

#include "cli/chart_command.h"
#include "cli/html_command.h"
#include "cli/input_options.h"
#include "classify/report_kinds.h"
#include "export/output_folder.h"
#include "input/cohort_loader.h"

namespace corvella::cli {

namespace {

// One line on stderr, rewritten in place, while stderr is a terminal.
class ProgressLine {
public:
    explicit ProgressLine(size_t total) : total_(total), shown_(isatty(STDERR_FILENO) == 1) {}
    void writing(const std::string& name) {
        if (!shown_) return;
        std::lock_guard<std::mutex> lock(mutex_);
        ++done_;
        std::cerr << "\r\033[Kcorvella-cli: writing " << name << " (" << done_ << "/" << total_ << ")" << std::flush;
    }
    void end() {
        if (shown_ && done_ > 0) std::cerr << "\r\033[K" << std::flush;
    }

private:
    std::mutex mutex_;
    size_t total_;
    size_t done_ = 0;
    bool shown_;
};

}  // namespace

int run_all(const Args& args, Workspace& ws, int argc, char** argv) {
    std::vector<std::string> paths;
    std::string error;
    if (!expand_input_operands(args.operands, paths, error)) {
        std::cerr << "corvella-cli: " << error << "\n";
        return EXIT_INPUT;
    }
    // One read: the texts the counting reader parses are kept for the
    // network reader.
    std::vector<std::string> texts;
    CohortRead read = read_cohort_keeping_texts(ws, paths, cohort_options(args.input), texts);
    if (!read.ok()) {
        std::cerr << "corvella-cli: " << read.message << "\n";
        return EXIT_INPUT;
    }
    print_import_summary(paths, read);
    adopt_cohort(ws, read);
    const std::string& folder = args.output;
    if (std::string m = make_folder(folder); !m.empty()) {
        std::cerr << "corvella-cli: " << m << "\n";
        return EXIT_INPUT;
    }

    SampleGroups groups;
    if (int status = load_sample_groups(args.input, ws, groups); status != EXIT_OK) return status;
    std::vector<FolderFile> jobs = table_files(ws, groups, args.forms);
    std::vector<ChartJob> charts;
    for (const ReportKind& kind : all_report_kinds()) {
        if (kind.needs_human_reference && !ws.human_reference) continue;
        for (const std::string& type : args.charts)
            charts.push_back({kind.chart(ws), folder + "/" + kind.name + "-chart." + type});
    }

    Workspace network;
    const std::string network_note = read_folder_network(network, read.code, texts);
    texts.clear();
    texts.shrink_to_fit();
    if (network_note.empty()) jobs.push_back(network_folder_file(network));

    ProgressLine progress(jobs.size() + charts.size() + (args.html ? 1 : 0));
    WriteResult written =
        write_folder_files(jobs, folder, [&progress](const std::string& name) { progress.writing(name); });
    if (written.ok && !charts.empty())
        written = write_chart_images(charts, argc, argv, [&](const std::string& path) {
            progress.writing(path.substr(path.find_last_of('/') + 1));
        });
    if (written.ok && args.html) {
        progress.writing("report.html");
        const std::string whole = "variants." + args.forms.front() + " beside this page";
        written = write_html_report(ws, paths, read, folder + "/report.html", whole, argc, argv);
    }
    progress.end();
    for (const std::string& note : folder_notes(ws, network_note)) std::cerr << "corvella-cli: " << note << "\n";
    if (!written.ok) {
        std::cerr << "corvella-cli: " << written.error << "\n";
        return EXIT_INPUT;
    }
    return EXIT_OK;
}

}  // namespace corvella::cli
