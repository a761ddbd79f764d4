#include "cli/table_commands.h"

#include <fstream>
#include <iostream>
#include <string_view>

#include "cli/input_options.h"
#include "classify/vcf_consequences.h"
#include "input/cohort_loader.h"
#include "input/vcf_reader.h"
#include "output/annotated_vcf.h"

namespace corvella::cli {

WriteResult save_annotated_vcf(const Workspace& ws, const std::string& input, const std::string& output,
                               bool index, const std::function<bool(int64_t record)>& annotate_record) {
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
    how.annotate_record = annotate_record;
    return write_annotated_vcf(input, output, how, index);
}

int run_annotated_vcf(const std::vector<std::string>& operands, const InputOptions& options, const Workspace& ws,
                      const std::string& output, bool index) {
    std::vector<std::string> paths;
    std::string error;
    if (!expand_input_operands(operands, paths, error)) {
        std::cerr << "corvella-cli: " << error << "\n";
        return EXIT_INPUT;
    }
    const std::string& input = paths.front();
    const std::string name = input.substr(input.find_last_of('/') + 1);
    // A file that cannot be opened is refused by the VCF reader as such.
    const InputFormat kind = options.format                      ? *options.format
                             : !std::ifstream(input, std::ios::binary) ? InputFormat::Vcf
                                                                        : detect_input_format(input);
    if (paths.size() != 1 || kind != InputFormat::Vcf) {
        std::cerr << "corvella-cli: " << (paths.size() != 1 ? "the " + std::to_string(paths.size()) + " inputs" : name)
                  << ": an annotated VCF is written from one VCF or BCF input"
                  << (paths.size() != 1 ? std::string() : std::string(", and this file reads as ") + input_format_name(kind))
                  << ".\n";
        return EXIT_INPUT;
    }
    // The reader decides which records are read, and refuses what it
    // refuses for every other command.
    std::vector<uint8_t> use;
    CohortOptions cohort = cohort_options(options);
    cohort.format = kind;
    cohort.reading.records_only = true;
    cohort.reading.record_use = &use;
    const CohortRead read = read_cohort(ws, paths, cohort);
    if (!read.ok()) {
        std::cerr << "corvella-cli: " << read.message << "\n";
        return EXIT_INPUT;
    }
    int64_t unchanged = 0;
    const WriteResult written = save_annotated_vcf(ws, input, output, index, [&](int64_t record) {
        const bool annotate = record >= 1 && static_cast<size_t>(record) <= use.size() && use[static_cast<size_t>(record - 1)] != 0;
        unchanged += annotate ? 0 : 1;
        return annotate;
    });
    if (!written.ok) {
        std::cerr << "corvella-cli: " << written.error << "\n";
        return EXIT_INPUT;
    }
    if (unchanged > 0) {
        const ImportSummary& s = read.summary;
        std::string why;
        const auto add = [&why](int64_t n, const char* what) {
            if (n == 0) return;
            why += why.empty() ? "" : ", ";
            why += std::to_string(n) + " " + what;
        };
        add(s.ref_mismatch, "with a REF unlike the reference");
        add(s.outside_reference, "outside the reference");
        add(s.placeholder, "at the reference's N placeholder");
        std::cerr << "corvella-cli: " << name << ": " << unchanged << " records written unchanged, without CSQ ("
                  << why << ")\n";
    }
    return EXIT_OK;
}

}  // namespace corvella::cli
