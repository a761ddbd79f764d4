// The consequences of VCF alleles in the layout of Ensembl's annotator, so
// that standard tools (bcftools +split-vep and others) read them: INFO/CSQ,
// one comma-separated entry per ALT allele and region, fields split by "|".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/workspace.h"

namespace corvella {

// The field list the CSQ header declares after "Format: ".
extern const char* const CSQ_FORMAT;
// The whole ##INFO header line that declares CSQ.
std::string csq_header_line();

// The CSQ value of one record at 1-based `position` with these ALT alleles;
// empty when no allele gives an entry. Each sequence allele is annotated by
// annotate_allele (substitutions, MNPs as their substitutions, insertions
// and deletions); HGVSg names the reference ("NC_012920.1:m.3460G>A"),
// HGVSc and HGVSp the gene ("MT-ND1:c.154G>A", "MT-ND1:p.Ala52Thr"). "*"
// and symbolic alleles ("<DEL>", "<*>") give no entry.
std::string csq_value(const Workspace& ws, int64_t position, std::string_view ref,
                      const std::vector<std::string>& alts);

}  // namespace corvella
