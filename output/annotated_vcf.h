// Writes a VCF or BCF back with one more INFO field, through htslib: the
// records of the chosen contig, all of them and in order, with their samples
// and FORMAT fields untouched. What goes into the field is the caller's.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "output/write_result.h"

namespace corvella {

struct VcfAnnotation {
    // The ##INFO line that declares the field; its ID is the field written.
    std::string header_line;
    std::string info_id;
    // Which records are written, by CHROM.
    std::function<bool(std::string_view chrom)> keep_contig;
    // The length the header declares for a kept contig that the input
    // declares without one, or not at all; 0 leaves them as they are.
    int64_t contig_length = 0;
    // The field's value for a record (1-based POS, REF, ALT alleles); an
    // empty value leaves the record without the field.
    std::function<std::string(int64_t position, std::string_view ref, const std::vector<std::string>& alts)> value;
    // Whether a record of the chosen contig is annotated, by its number
    // (1-based, every record of the file counted); one that is not is
    // written unchanged, without the field. Unset: every record is.
    std::function<bool(int64_t record)> annotate_record;
};

// Whether a name asks for an annotated VCF: ".vcf", ".vcf.gz" or ".bcf".
bool is_vcf_output(const std::string& path);

// Reads `input` (VCF, bgzip VCF or BCF) and writes `output` in the form its
// name gives: ".bcf" BCF, ".vcf.gz" bgzip-compressed VCF, ".vcf" plain VCF.
// The output's header declares every kept contig (with `how.contig_length`)
// and every FILTER value the kept records use, also when the input's header
// did not, so that readers of the output find nothing undeclared.
// With `index` the output also gets its index (".vcf.gz.tbi", ".bcf.csi");
// a plain ".vcf" cannot be indexed. The file (and index) appear only when
// complete; on failure an existing file is left as it was.
WriteResult write_annotated_vcf(const std::string& input, const std::string& output, const VcfAnnotation& how,
                                bool index);

}  // namespace corvella
