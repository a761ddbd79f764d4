#include "classify/table_files.h"

#include "classify/gene_table.h"
#include "classify/population_stats.h"
#include "classify/variant_table.h"
#include "output/row_sink.h"
#include "output/text_writer.h"
#include "output/workbook_writer.h"
#include "output/xlsx_writer.h"

namespace corvella {

bool ends_with(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

WriteResult save_table(const std::string& path, const std::function<Report(ReportFormat)>& build) {
    if (ends_with(path, ".xlsx")) {
        const Report report = build(ReportFormat::Workbook);
        return write_xlsx(path, [&report](RowSink& sink) { rows_of_cells(report.cells, sink); });
    }
    if (ends_with(path, ".xls")) return WorkbookWriter(path, build(ReportFormat::Workbook).cells);
    return write_text_file(path, build(ReportFormat::Text).text);
}

WriteResult save_kind_table(const ReportKind& kind, Table table, const Workspace& ws, const std::string& path) {
    const RowProducer rows = [&](RowSink& sink) { kind.rows(ws, table, sink); };
    if (ends_with(path, ".xlsx")) return write_xlsx(path, rows);
    if (ends_with(path, ".xls")) return write_xls(path, rows);
    return write_text_file(path, kind.report(ws, table, ReportFormat::Text).text);
}

WriteResult save_variant_table(const Workspace& ws, const std::string& path) {
    return save_variant_table(ws, SampleGroups{}, path);
}

WriteResult save_gene_table(const Workspace& ws, const std::string& path) {
    return save_gene_table(ws, SampleGroups{}, path);
}

WriteResult save_variant_table(const Workspace& ws, const SampleGroups& groups, const std::string& path) {
    return save_table(path, [&](ReportFormat f) { return variant_table_report(ws, groups, f, nullptr); });
}

WriteResult save_gene_table(const Workspace& ws, const SampleGroups& groups, const std::string& path) {
    return save_table(path, [&](ReportFormat f) { return gene_table_report(ws, groups, f); });
}

WriteResult save_stats_table(const Workspace& ws, const SampleGroups& groups, const std::string& outgroup,
                             const std::string& path) {
    return save_table(path, [&](ReportFormat f) { return population_stats_report(ws, groups, outgroup, f); });
}

}  // namespace corvella
