#include "cli/table_commands.h"

#include <cctype>
#include <string_view>

#include "classify/gene_table.h"
#include "classify/variant_table.h"
#include "classify/vcf_consequences.h"
#include "output/annotated_vcf.h"
#include "output/text_writer.h"
#include "output/workbook_writer.h"

namespace corvella::cli {

namespace {

// The names a VCF gives the mitochondrial contig (any case), or the
// accession of a loaded reference.
bool is_mitochondrial(std::string_view chrom) {
    std::string name(chrom);
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const char* known : {"chrm", "m", "mt", "chrmt", "nc_012920", "nc_012920.1", "rcrs"})
        if (name == known) return true;
    return false;
}

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

WriteResult save_annotated_vcf(const Workspace& ws, const std::string& input, const std::string& output,
                               bool index) {
    VcfAnnotation how;
    how.header_line = csq_header_line();
    how.info_id = "CSQ";
    how.keep_contig = is_mitochondrial;
    how.value = [&ws](int64_t position, std::string_view ref, const std::vector<std::string>& alts) {
        return csq_value(ws, position, ref, alts);
    };
    return write_annotated_vcf(input, output, how, index);
}

}  // namespace corvella::cli
