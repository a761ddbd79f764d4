#include "ui/cohort_open.h"

#include <sys/stat.h>

#include "export/network_cohort.h"

namespace corvella {

namespace {

int64_t size_of(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 ? static_cast<int64_t>(st.st_size) : 0;
}

}  // namespace

std::optional<CohortRead> open_cohort_file(QWidget* parent, Dialogs& dialogs, ProgressSink& progress, Workspace& ws,
                                           const std::string& path, CohortUse use, VcfChoice& choice) {
    CohortOptions options;
    if (detect_input_format(path) == InputFormat::Vcf) {
        const std::optional<VcfChoice> chosen = dialogs.vcf_options(parent, choice);
        if (!chosen) return std::nullopt;
        choice = *chosen;
        options.reading.min_level = choice.min_level;
        options.reading.include_filtered = choice.include_filtered;
    }
    // The window moves one step per percent read.
    bool shown = false;
    int percent = 0;
    if (size_of(path) >= LONG_READ_BYTES) {
        progress.start(100);
        shown = true;
        options.progress = [&](int64_t done, int64_t total) {
            const int now = total > 0 ? progress_percent(done, total) : 100;
            while (percent < now && percent < 100) progress.step(++percent);
        };
    }
    CohortRead read = use == CohortUse::Network ? load_network_cohort(ws, {path}, options)
                                                : load_cohort(ws, {path}, options);
    if (shown) progress.finish();
    if (!read.ok()) {
        dialogs.error_message(parent, QString::fromStdString(read.message));
        return read;
    }
    if (read.has_summary()) {
        const size_t slash = path.find_last_of("/\\");
        const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
        dialogs.information_message(parent, QString::fromStdString(name + ": " + import_summary_text(read.summary)));
    }
    return read;
}

}  // namespace corvella
