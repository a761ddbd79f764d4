#include "cli/all_command.h"

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <functional>
#include <iostream>
#include <mutex>
#include <thread>

#include "cli/chart_command.h"
#include "cli/html_command.h"
#include "cli/input_options.h"
#include "cli/report_files.h"
#include "cli/report_kinds.h"
#include "cli/table_commands.h"
#include "input/cohort_loader.h"
#include "export/network_cohort.h"
#include "export/network_file.h"
#include "export/variable_sites.h"
#include "output/text_writer.h"

namespace corvella::cli {

namespace {

const char* const TABLE_NAMES[] = {"summary", "positions", "samples"};
constexpr Table TABLES[] = {Table::Summary, Table::Positions, Table::Samples};

struct OutputJob {
    std::string name;  // the file's name inside the folder
    std::function<WriteResult(const std::string& path)> write;
};

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

std::string flat_message(std::string text) {
    for (char& c : text)
        if (c == '\n') c = ' ';
    return text;
}

// Creates the folder when it is missing; an existing folder is fine.
std::string make_folder(const std::string& folder) {
    if (mkdir(folder.c_str(), 0777) == 0) return {};
    const int error = errno;
    struct stat st {};
    if (error == EEXIST && stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return {};
    return "Cannot create folder " + folder + ": " + std::strerror(error == EEXIST ? ENOTDIR : error);
}

// Runs the jobs on every core, each file written whole (through the atomic
// writers) or not at all. After a failure no further job starts; the first
// failing job in list order is the one reported.
WriteResult run_jobs(const std::vector<OutputJob>& jobs, const std::string& folder, ProgressLine& progress) {
    std::vector<WriteResult> results(jobs.size());
    std::atomic<size_t> next{0};
    std::atomic<bool> failed{false};
    auto work = [&] {
        for (size_t i = next++; i < jobs.size() && !failed; i = next++) {
            progress.writing(jobs[i].name);
            results[i] = jobs[i].write(folder + "/" + jobs[i].name);
            if (!results[i].ok) failed = true;
        }
    };
    const size_t cores = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::thread> workers;
    for (size_t t = 1; t < std::min(cores, jobs.size()); ++t) workers.emplace_back(work);
    work();
    for (std::thread& w : workers) w.join();
    for (const WriteResult& r : results)
        if (!r.ok) return r;
    return {};
}

}  // namespace

int run_all(const Args& args, Workspace& ws, int argc, char** argv) {
    std::vector<std::string> paths;
    std::string error;
    if (!expand_input_operands(args.operands, paths, error)) {
        std::cerr << "corvella-cli: " << error << "\n";
        return EXIT_INPUT;
    }
    // One read: the texts the counting reader parses (each list file, or the
    // converted list of HSD and VCF input) are kept for the network reader.
    std::vector<std::string> texts;
    const ListParser keep = [&texts](std::string_view text, const std::string& reference, SampleLists& out,
                                     const ListSplit& split) {
        texts.emplace_back(text);
        return parse_counting_list(text, reference, out, split);
    };
    CohortRead read = read_cohort(ws, paths, cohort_options(args.input), keep);
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

    std::vector<OutputJob> jobs;
    for (const ReportKind& kind : all_report_kinds()) {
        if (kind.needs_human_reference && !ws.human_reference) continue;
        for (size_t t = 0; t < 3; ++t)
            for (const std::string& form : args.forms)
                jobs.push_back({kind.name + "-" + TABLE_NAMES[t] + "." + form,
                                [&ws, &kind, t](const std::string& path) {
                                    return save_kind_table(kind, TABLES[t], ws, path);
                                }});
    }
    for (const std::string& form : args.forms) {
        jobs.push_back({"variants." + form, [&ws](const std::string& path) { return save_variant_table(ws, path); }});
        jobs.push_back({"genes." + form, [&ws](const std::string& path) { return save_gene_table(ws, path); }});
    }
    // The sections `multiqc FOLDER` shows.
    jobs.push_back({"corvella_mqc.json", [&ws](const std::string& path) { return write_multiqc_classes(ws, path); }});
    jobs.push_back({"corvella_genes_mqc.tsv", [&ws](const std::string& path) { return write_multiqc_genes(ws, path); }});
    std::vector<ChartJob> charts;
    for (const ReportKind& kind : all_report_kinds()) {
        if (kind.needs_human_reference && !ws.human_reference) continue;
        for (const std::string& type : args.charts)
            charts.push_back({kind.chart(ws), folder + "/" + kind.name + "-chart." + type});
    }

    // The network file, when its reading stays within the format's limits
    // (beyond them the network software cannot take it, and at biobank scale
    // it would be gigabytes of ones and zeros).
    Workspace network;
    std::string network_note;
    if (read.code > NETWORK_MAX_SEQUENCES) {
        network_note = network_memo_message(read.code, 0);
    } else {
        const CohortRead net = network_cohort_from_texts(network, texts);
        if (!net.ok())
            network_note = net.message;
        else if (network.variant_tally.size() > static_cast<size_t>(NETWORK_MAX_VARIANTS))
            network_note = network_memo_message(net.code, network.variant_tally.size());
    }
    texts.clear();
    texts.shrink_to_fit();
    if (network_note.empty())
        jobs.push_back({"network.rdf", [&network](const std::string& path) {
                            return write_text_file(path, build_network_text(network));
                        }});

    ProgressLine progress(jobs.size() + charts.size() + (args.html ? 1 : 0));
    WriteResult written = run_jobs(jobs, folder, progress);
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
    if (!ws.human_reference)
        std::cerr << "corvella-cli: trna and rrna outputs left out: they need the built-in human reference.\n";
    if (!network_note.empty())
        std::cerr << "corvella-cli: network.rdf left out: " << flat_message(network_note) << "\n";
    if (!written.ok) {
        std::cerr << "corvella-cli: " << written.error << "\n";
        return EXIT_INPUT;
    }
    return EXIT_OK;
}

}  // namespace corvella::cli
