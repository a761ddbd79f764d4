// The synthetic cohort written as the VCFs that callers write: one
// multi-sample bgzipped VCF (the 1000 Genomes release's haploid GT, or GT:AF
// as mutserve writes it), or one single-sample bgzipped VCF per sample.
#pragma once

#include <string>

#include "bench/cohort.h"

namespace corvella::bench {

enum class VcfShape {
    Haploid,  // contig MT, GT 0 or 1, no level (the 1000 Genomes release)
    GtAf,     // contig chrM, GT:AF; a few calls are heteroplasmies below 0.9
};

// One record per position that any sample varies at, its bases as ALT
// alleles; every sample a column. False when the file cannot be written.
bool write_cohort_vcf(const std::string& path, const CohortGenerator& cohort, VcfShape shape);

// One single-sample GT:AF file per sample in `folder` (sample_000001.vcf.gz
// ...), only the sample's own records, and the list of their paths at
// `paths_file`, one per line.
bool write_sample_vcfs(const std::string& folder, const std::string& paths_file, const CohortGenerator& cohort);

}  // namespace corvella::bench
