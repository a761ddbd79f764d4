#include "cli/table_commands.h"

#include <string_view>

#include "classify/gene_table.h"
#include "classify/population_stats.h"
#include "cli/report_files.h"
#include "classify/variant_table.h"
#include "classify/vcf_consequences.h"
#include "input/vcf_reader.h"
#include "output/annotated_vcf.h"
#include "output/text_writer.h"
#include "output/row_sink.h"
#include "output/workbook_writer.h"
#include "output/xlsx_writer.h"

namespace corvella::cli {

WriteResult save_table(const std::string& output, const std::function<Report(ReportFormat)>& build) {
    if (ends_with(output, ".xlsx")) {
        const Report report = build(ReportFormat::Workbook);
        return write_xlsx(output, [&report](RowSink& sink) { rows_of_cells(report.cells, sink); });
    }
    if (ends_with(output, ".xls")) return WorkbookWriter(output, build(ReportFormat::Workbook).cells);
    return write_text_file(output, build(ReportFormat::Text).text);
}

WriteResult save_variant_table(const Workspace& ws, const std::string& output) {
    return save_table(output, [&ws](ReportFormat f) { return variant_table_report(ws, f, nullptr); });
}

WriteResult save_gene_table(const Workspace& ws, const std::string& output) {
    return save_table(output, [&ws](ReportFormat f) { return gene_table_report(ws, f); });
}

WriteResult save_stats_table(const Workspace& ws, const SampleGroups& groups, const std::string& outgroup,
                             const std::string& output) {
    return save_table(output, [&](ReportFormat f) { return population_stats_report(ws, groups, outgroup, f); });
}

WriteResult save_annotated_vcf(const Workspace& ws, const std::string& input, const std::string& output,
                               bool index) {
    VcfAnnotation how;
    how.header_line = csq_header_line();
    how.info_id = "CSQ";
    // The records the reader would count: the mitochondrial names, and the
    // loaded reference's own accession.
    const std::string accession = ws.human_reference ? std::string() : ws.reference_accession;
    how.keep_contig = [accession](std::string_view chrom) { return is_mitochondrial_contig(chrom, accession); };
    how.value = [&ws](int64_t position, std::string_view ref, const std::vector<std::string>& alts) {
        return csq_value(ws, position, ref, alts);
    };
    return write_annotated_vcf(input, output, how, index);
}

}  // namespace corvella::cli
