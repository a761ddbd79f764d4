#include "cli/report_files.h"

#include "output/text_writer.h"
#include "output/workbook_writer.h"

namespace corvella::cli {

bool ends_with(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

WriteResult save_kind_table(const ReportKind& kind, Table table, const Workspace& ws, const std::string& path) {
    const bool workbook = ends_with(path, ".xls");
    const Report report = kind.report(ws, table, workbook ? ReportFormat::Workbook : ReportFormat::Text);
    return workbook ? WorkbookWriter(path, report.cells) : write_text_file(path, report.text);
}

}  // namespace corvella::cli
