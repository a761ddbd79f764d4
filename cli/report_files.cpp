#include "cli/report_files.h"

#include "output/row_sink.h"
#include "output/text_writer.h"
#include "output/workbook_writer.h"
#include "output/xlsx_writer.h"

namespace corvella::cli {

bool ends_with(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

WriteResult save_kind_table(const ReportKind& kind, Table table, const Workspace& ws, const std::string& path) {
    const RowProducer rows = [&](RowSink& sink) { kind.rows(ws, table, sink); };
    if (ends_with(path, ".xlsx")) return write_xlsx(path, rows);
    if (ends_with(path, ".xls")) return write_xls(path, rows);
    return write_text_file(path, kind.report(ws, table, ReportFormat::Text).text);
}

}  // namespace corvella::cli
