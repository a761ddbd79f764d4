#include "cli/table_commands.h"

#include <string_view>

#include "classify/vcf_consequences.h"
#include "input/vcf_reader.h"
#include "output/annotated_vcf.h"

namespace corvella::cli {

WriteResult save_annotated_vcf(const Workspace& ws, const std::string& input, const std::string& output,
                               bool index) {
    VcfAnnotation how;
    how.header_line = csq_header_line();
    how.info_id = "CSQ";
    // The records the reader would count: the mitochondrial names, and the
    // loaded reference's own accession.
    const std::string accession = ws.human_reference ? std::string() : ws.reference_accession;
    how.keep_contig = [accession](std::string_view chrom) { return is_mitochondrial_contig(chrom, accession); };
    how.contig_length = ws.reference_length();
    how.value = [&ws](int64_t position, std::string_view ref, const std::vector<std::string>& alts) {
        return csq_value(ws, position, ref, alts);
    };
    return write_annotated_vcf(input, output, how, index);
}

}  // namespace corvella::cli
