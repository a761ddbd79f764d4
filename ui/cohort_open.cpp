#include "ui/cohort_open.h"

#include <sys/stat.h>

#include "export/network_cohort.h"
#include "input/input_paths.h"
#include "output/file_names.h"

namespace corvella {

namespace {

int64_t size_of(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 ? static_cast<int64_t>(st.st_size) : 0;
}

}  // namespace

void show_read_failure(QWidget* parent, Dialogs& dialogs, const std::string& message, const std::string& path,
                       OpenedAs kind) {
    const ShownMessage shown = explain_read_failure(message, path, kind);
    dialogs.error_message(parent, QString::fromStdString(shown.text), QString::fromStdString(shown.informative));
}

std::string cohort_name(const std::vector<std::string>& paths) {
    if (paths.empty()) return std::string();
    const std::string first = file_name_of(paths.front());
    if (paths.size() == 1) return first;
    const size_t more = paths.size() - 1;
    return first + " and " + std::to_string(more) + (more == 1 ? " more file" : " more files");
}

std::optional<CohortRead> open_cohort_files(QWidget* parent, Dialogs& dialogs, ProgressSink& progress, Workspace& ws,
                                            std::vector<std::string>& paths, CohortUse use, VcfChoice& choice) {
    if (paths.size() == 1) {
        if (std::optional<std::vector<std::string>> listed = listed_paths(paths.front())) paths = std::move(*listed);
    }
    CohortOptions options;
    bool vcf = false;
    for (const std::string& path : paths) vcf = vcf || detect_input_format(path) == InputFormat::Vcf;
    if (vcf) {
        // One question for every file of the cohort.
        const std::optional<VcfChoice> chosen = dialogs.vcf_options(parent, choice);
        if (!chosen) return std::nullopt;
        choice = *chosen;
        options.reading.min_level = choice.min_level;
        options.reading.include_filtered = choice.include_filtered;
    }
    // The window moves one step per percent read.
    bool shown = false;
    int percent = 0;
    int64_t bytes = 0;
    for (const std::string& path : paths) bytes += size_of(path);
    if (bytes >= LONG_READ_BYTES) {
        progress.start(100);
        shown = true;
        options.progress = [&](int64_t done, int64_t total) {
            const int now = total > 0 ? progress_percent(done, total) : 100;
            while (percent < now && percent < 100) progress.step(++percent);
        };
    }
    CohortRead read = use == CohortUse::Network ? load_network_cohort(ws, paths, options)
                                                : load_cohort(ws, paths, options);
    if (shown) progress.finish();
    if (!read.ok()) {
        // A cohort's message begins with the name of the file it concerns.
        std::string failed = paths.front();
        for (const std::string& path : paths)
            if (read.message.rfind(file_name_of(path) + ":", 0) == 0) failed = path;
        show_read_failure(parent, dialogs, read.message, failed, OpenedAs::List);
        return read;
    }
    if (read.has_summary()) {
        const std::string name = paths.size() == 1 ? file_name_of(paths.front()) + ": " : std::string();
        dialogs.information_message(parent, QString::fromStdString(name + import_summary_text(read.summary)));
    }
    return read;
}

}  // namespace corvella
