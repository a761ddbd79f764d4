#include "ui/report_saving.h"

#include <filesystem>
#include <optional>

#include "output/file_names.h"
#include "output/text_writer.h"
#include "output/workbook_writer.h"
#include "ui/Progressbarform.h"
#include "output/xlsx_writer.h"
#include "pictures/chart_image.h"
#include "pictures/chart_view.h"

namespace corvella {

namespace {

// The bitmap type first, as it always was; then the formats for papers,
// slides and web pages.
const QString CHART_FILTER =
    QStringLiteral("Bitmap (*.bmp)|*.bmp|PNG (*.png)|*.png|SVG (*.svg)|*.svg|PDF (*.pdf)|*.pdf");
const ChartImageFormat CHART_TYPES[] = {ChartImageFormat::Bmp, ChartImageFormat::Png, ChartImageFormat::Svg,
                                        ChartImageFormat::Pdf};

bool file_exists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

// The dialog's question concerned the name as typed. When the extension
// makes it another name that is already taken, ask about that file too.
bool may_write(QWidget* parent, Dialogs& dialogs, const std::string& chosen, const std::string& completed) {
    return completed == chosen || !file_exists(completed) || dialogs.confirm_replace(parent, completed);
}

bool shown_if_failed(QWidget* parent, Dialogs& dialogs, const WriteResult& result) {
    if (!result.ok) dialogs.error_message(parent, QString::fromStdString(result.error));
    return result.ok;
}

// Passes the report's progress on and remembers whether the window is still
// open, so that it can be closed whatever happens after the report started.
class ClosingProgress : public ProgressSink {
public:
    explicit ClosingProgress(ProgressSink* window) : window_(window) {}
    ~ClosingProgress() override { close(); }
    void start(int32_t maximum) override {
        open_ = true;
        window_->start(maximum);
    }
    void step(int percent) override { window_->step(percent); }
    void finish() override { close(); }
    void close() {
        if (open_) window_->finish();
        open_ = false;
    }

private:
    ProgressSink* window_;
    bool open_ = false;
};

// The chosen form of the report written to `path`, `steps` driven by the
// workbook rows (the text form: half when built, the rest when written).
WriteResult write_report_form(const std::string& path, int type, const ReportForms& forms, ProgressSink* steps) {
    if (type == static_cast<int>(ReportFormat::Text)) {
        if (steps) steps->start(100);
        const std::string text = forms.text();
        if (steps) steps->step(50);
        return write_text_file(path, text);
    }
    const RowProducer rows = [&](RowSink& sink) { forms.rows(sink, steps); };
    return type == XLSX_FILTER_INDEX ? write_xlsx(path, rows) : write_xls(path, rows);
}

}  // namespace

bool save_report(QWidget* parent, Dialogs& dialogs, SaveDialogState& state, const QString& filter,
                 const ReportForms& forms, ProgressSink* progress) {
    const void* dialog = forms.table != nullptr ? forms.table : &state;
    const std::optional<Dialogs::SaveChoice> choice =
        dialogs.save_file(parent, filter, state.filter_index, true, dialog, state.title);
    if (!choice) return false;
    state.filter_index = choice->filter_index;

    const int type = choice->filter_index;
    const char* extension = type == static_cast<int>(ReportFormat::Text)       ? ".txt"
                            : type == static_cast<int>(ReportFormat::Workbook) ? ".xls"
                            : type == XLSX_FILTER_INDEX                        ? ".xlsx"
                                                                               : nullptr;
    if (extension == nullptr) return false;

    const std::string path = ensure_extension(choice->path, extension);
    if (!may_write(parent, dialogs, choice->path, path)) return false;

    const bool text_form = type == static_cast<int>(ReportFormat::Text);
    const bool long_save = !text_form || forms.samples >= LONG_TEXT_SAMPLES;
    if (auto* window = dynamic_cast<TForm6*>(progress); window != nullptr && long_save) {
        // The whole save, the building of the text or rows and the writing
        // and packing of the file, runs off the event loop under the
        // progress window, which belongs to the window whose button started
        // it and stays above it.
        WriteResult result;
        const bool finished = window->run(parent, [&](ProgressSink& steps) {
            result = write_report_form(path, type, forms, &steps);
        });
        // Cancelled: nothing was written, an existing file is as it was.
        if (!finished) return false;
        return shown_if_failed(parent, dialogs, result);
    }
    // Another progress sink (a test's record) is driven on this thread.
    std::optional<ClosingProgress> window;
    if (progress != nullptr && long_save) window.emplace(progress);
    const WriteResult result = write_report_form(path, type, forms, window ? &*window : nullptr);
    window.reset();
    return shown_if_failed(parent, dialogs, result);
}

bool save_report(QWidget* parent, Dialogs& dialogs, SaveDialogState& state, const QString& filter,
                 const ReportBuilder& build, ProgressSink* progress) {
    return save_report(parent, dialogs, state, filter,
                       ReportForms{[&build] { return build(ReportFormat::Text, nullptr).text; },
                                   [&build](RowSink& rows, ProgressSink* steps) {
                                       rows_of_cells(build(ReportFormat::Workbook, steps).cells, rows);
                                   }},
                       progress);
}

bool save_text_block(QWidget* parent, Dialogs& dialogs, const QString& filter, const std::string& extension,
                     const std::function<std::string()>& text) {
    const std::optional<Dialogs::SaveChoice> choice = dialogs.save_file(parent, filter, 1, true);
    if (!choice) return false;
    const std::string path = ensure_extension(choice->path, extension);
    if (!may_write(parent, dialogs, choice->path, path)) return false;
    return shown_if_failed(parent, dialogs, write_text_file(path, text()));
}

bool save_chart_image(QWidget* parent, Dialogs& dialogs,
                      const std::function<WriteResult(const std::string& path, ChartImageFormat format)>& save) {
    const std::optional<Dialogs::SaveChoice> choice =
        dialogs.save_file(parent, CHART_FILTER, dialogs.last_type(CHART_FILTER, 1), false);
    if (!choice || choice->filter_index < 1 || choice->filter_index > 4) return false;
    const ChartImageFormat format = CHART_TYPES[choice->filter_index - 1];
    return shown_if_failed(parent, dialogs, save(ensure_extension(choice->path, chart_image_extension(format)), format));
}

bool save_chart_image(QWidget* parent, Dialogs& dialogs, QWidget* chart) {
    return save_chart_image(parent, dialogs, [chart](const std::string& path, ChartImageFormat format) {
        return save_chart_as(chart, path, format);
    });
}

}  // namespace corvella
