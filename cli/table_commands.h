// `annotate VCF -o OUT.vcf`: the annotated VCF. The variant and gene tables
// are written by classify/table_files.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "cli/cli_args.h"
#include "core/workspace.h"
#include "output/write_result.h"

namespace corvella::cli {

// `annotate VCF -o OUT.vcf|.vcf.gz|.bcf`: the input's mitochondrial records
// with INFO/CSQ from the loaded reference; `annotate_record` (by record
// number) says which records get it, the others are written unchanged.
WriteResult save_annotated_vcf(const Workspace& ws, const std::string& input, const std::string& output,
                               bool index, const std::function<bool(int64_t record)>& annotate_record = {});

// The whole `annotate ... -o OUT.vcf` command: the input goes through the
// VCF reader first, with its refusals; the records it passes over are
// written without CSQ and counted on stderr. Returns the exit status.
int run_annotated_vcf(const std::vector<std::string>& operands, const InputOptions& options, const Workspace& ws,
                      const std::string& output, bool index);

}  // namespace corvella::cli
