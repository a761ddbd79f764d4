// The variant table and the gene table of a cohort, as `annotate` and
// `genes` write them.
#include <stdexcept>

#include "bench/rows.h"
#include "classify/gene_table.h"
#include "classify/variant_table.h"
#include "core/human_reference.h"
#include "input/polymorphism_list.h"
#include "output/text_writer.h"
#include "output/workbook_writer.h"

namespace corvella::bench {

Row run_table(const std::string& what, const RunArgs& args) {
    Workspace ws;
    use_human_ref_data(ws);
    ws.human_reference = true;
    const int32_t entries = load_polymorphism_list(ws, args.input);
    if (entries < 0) throw std::runtime_error("cannot read " + args.input);
    const size_t cut = what.find('_');
    const std::string table = what.substr(0, cut), form = cut == std::string::npos ? "" : what.substr(cut + 1);
    if ((table != "variants" && table != "genes") || (form != "text" && form != "workbook"))
        throw std::runtime_error("unknown table row " + what);
    const ReportFormat format = form == "text" ? ReportFormat::Text : ReportFormat::Workbook;
    const std::string path = args.out_dir + "/" + what + (form == "text" ? ".txt" : ".xls");
    Row row;
    // Not "(text)": the totals of scripts/bench sum the window reports only.
    row.name = (table == "variants" ? "variant table: " : "gene table: ") + form + " file";
    row.input = std::to_string(entries) + " samples";
    row.bytes = file_size(args.input);
    Report report;
    WriteResult written;
    row.seconds = best_seconds(
        args.repeat, [&] { report = Report{}; },
        [&] {
            report = table == "variants" ? variant_table_report(ws, format, nullptr) : gene_table_report(ws, format);
            written = format == ReportFormat::Text ? write_text_file(path, report.text)
                                                   : WorkbookWriter(path, report.cells);
        });
    if (!written.ok) throw std::runtime_error(path + ": " + written.error);
    row.amount = static_cast<double>(ws.variant_tally.size());
    row.unit = "keys";
    row.note = std::to_string(file_size(path) / 1000) + " kB written";
    return row;
}

}  // namespace corvella::bench
