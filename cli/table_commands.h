// `annotate VCF -o OUT.vcf`: the annotated VCF. The variant and gene tables
// are written by classify/table_files.
#pragma once

#include <string>

#include "core/workspace.h"
#include "output/write_result.h"

namespace corvella::cli {

// `annotate VCF -o OUT.vcf|.vcf.gz|.bcf`: the input's mitochondrial records
// with INFO/CSQ from the loaded reference (no cohort needs to be read).
WriteResult save_annotated_vcf(const Workspace& ws, const std::string& input, const std::string& output,
                               bool index);

}  // namespace corvella::cli
