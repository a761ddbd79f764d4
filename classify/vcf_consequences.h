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
// empty when no allele gives an entry. A single-letter ALT (A, C, G, T, any
// case) is a substitution classified as in the variant table; other
// sequence alleles (insertions, deletions, multi-letter changes) get the
// regions of the position with a term that claims no more than it knows
// (coding_sequence_variant in a protein gene); "*" and symbolic alleles
// ("<DEL>", "<*>") give no entry.
std::string csq_value(const Workspace& ws, int64_t position, std::string_view ref,
                      const std::vector<std::string>& alts);

}  // namespace corvella
