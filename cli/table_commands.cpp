#include "cli/table_commands.h"

#include "classify/gene_table.h"
#include "classify/variant_table.h"
#include "output/text_writer.h"
#include "output/workbook_writer.h"

namespace corvella::cli {

namespace {

bool ends_with(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

WriteResult save_table(const std::string& output, const std::function<Report(ReportFormat)>& build) {
    if (ends_with(output, ".xls")) return WorkbookWriter(output, build(ReportFormat::Workbook).cells);
    return write_text_file(output, build(ReportFormat::Text).text);
}

WriteResult save_variant_table(const Workspace& ws, const std::string& output) {
    return save_table(output, [&ws](ReportFormat f) { return variant_table_report(ws, f, nullptr); });
}

WriteResult save_gene_table(const Workspace& ws, const std::string& output) {
    return save_table(output, [&ws](ReportFormat f) { return gene_table_report(ws, f); });
}

}  // namespace corvella::cli
