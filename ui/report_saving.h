// What every "Save As..." button does: the save dialog, the name completed
// with the chosen type's extension, the output written through the common
// writers, and any failure shown to the person.
#pragma once

#include <QString>
#include <cstddef>
#include <functional>
#include <string>

#include "output/report.h"
#include "output/row_sink.h"
#include "output/write_result.h"
#include "pictures/chart_image.h"
#include "ui/dialogs.h"

class QWidget;

namespace corvella {

// What a text-or-workbook save dialog remembers between saves: the file type
// chosen last, so the next save from the same window starts with it. The
// first save of a run starts with Text.
struct SaveDialogState {
    int filter_index = static_cast<int>(ReportFormat::Text);
    std::string title;  // the dialog's title; empty: the toolkit's own
};

// Builds the report in the asked form. Long workbook reports drive `progress`
// (start, a step per item, finish); the text form gets nullptr.
using ReportBuilder = std::function<Report(ReportFormat format, ProgressSink* progress)>;

// A report's two forms as the save buttons write them: the text, and the
// workbook rows handed to the chosen workbook writer as they are produced
// (long reports drive `progress` after the sheet's extent was accepted).
struct ReportForms {
    std::function<std::string()> text;
    std::function<void(RowSink& rows, ProgressSink* progress)> rows;
    // The samples the report runs over: the text form of a report of
    // LONG_TEXT_SAMPLES or more shows the progress window while it is built
    // and written (it takes about a second at a million samples).
    std::size_t samples = 0;
    // Which table this is, when one dialog saves several (any address that
    // stands for it, such as its button): each table's dialog offers the
    // name chosen for that table last. nullptr: the dialog's state stands for it.
    const void* table = nullptr;
};

constexpr std::size_t LONG_TEXT_SAMPLES = 200000;

// Filter index 3 of the report save dialogs: an Office Open XML workbook.
constexpr int XLSX_FILTER_INDEX = 3;

// A text-or-workbook button ("Text File (*.txt)|*.txt|Microsoft Office Excel
// 97-2003 (*.xls)|*.xls|Excel Workbook (*.xlsx)|*.xlsx"): filter index 1
// writes the text form as ".txt", index 2 the rows as an ".xls" workbook,
// index 3 as an ".xlsx" workbook, any other index nothing. The dialog asks
// before replacing the chosen file; when the completed name is another,
// existing file, confirm_replace asks about that one. A report too large
// for the chosen sheet is refused before its progress window opens; the
// progress window is always closed when the save ends, also when the write
// fails. True when a file was written.
bool save_report(QWidget* parent, Dialogs& dialogs, SaveDialogState& state, const QString& filter,
                 const ReportForms& forms, ProgressSink* progress);

// The same for a builder of Report values (the workbook cells are built
// whole, then written).
bool save_report(QWidget* parent, Dialogs& dialogs, SaveDialogState& state, const QString& filter,
                 const ReportBuilder& build, ProgressSink* progress);

// TForm2's and TForm7's one-type buttons: `text` (built only once a name is
// chosen) is written with CR LF line ends under a name completed with
// `extension` (".txt", ".rdf"). The dialog asks before replacing a file.
bool save_text_block(QWidget* parent, Dialogs& dialogs, const QString& filter, const std::string& extension,
                     const std::function<std::string()>& text);

// The "4. Save graph as image" buttons: the dialog "Bitmap (*.bmp)|*.bmp|PNG
// (*.png)|*.png|SVG (*.svg)|*.svg|PDF (*.pdf)|*.pdf", which starts with the
// type chosen last in any chart's dialog of the run (the bitmap type at
// first) and does not ask before replacing; the name is completed with
// the chosen type's extension and handed to `save` with the type.
bool save_chart_image(QWidget* parent, Dialogs& dialogs,
                      const std::function<WriteResult(const std::string& path, ChartImageFormat format)>& save);

// The same for a window's chart view (Chart1), stored exactly as shown.
bool save_chart_image(QWidget* parent, Dialogs& dialogs, QWidget* chart);

}  // namespace corvella
