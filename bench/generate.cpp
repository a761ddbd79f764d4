// corvella_generate: writes a synthetic cohort for the benchmarks.
//
//   corvella_generate list  N OUT [--seed S] [--distinct D]
//   corvella_generate fasta N OUT [--seed S] [--distinct D]
//   corvella_generate raw   N OUT [--seed S] [--distinct D]
//   corvella_generate vcf-haploid N OUT.vcf.gz [--seed S] [--distinct D]
//   corvella_generate vcf-af N OUT.vcf.gz [--seed S] [--distinct D]
//   corvella_generate vcf-samples N FOLDER [--seed S] [--distinct D]
//
// The VCFs are bgzipped: vcf-haploid is shaped like the 1000 Genomes
// release (contig MT, haploid GT), vcf-af like mutserve's (GT:AF, a few
// heteroplasmies); vcf-samples writes one single-sample file per sample into
// FOLDER and their paths into FOLDER/paths.txt, for @PATHS.
//
// The same seed gives the same bytes. The list is what the polymorphism
// caller would write for these samples; the FASTA file is the alignment it
// would read to write it; the raw file holds its samples without gaps, as
// unaligned whole mitogenomes. A summary (samples, variant occurrences, distinct
// variants) goes to stderr.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <set>
#include <string>
#include <utility>

#include "bench/cohort.h"
#include "bench/vcf_cohort.h"
#include "core/human_reference.h"

namespace {

int usage() {
    std::cerr << "usage: corvella_generate list|fasta|raw|vcf-haploid|vcf-af|vcf-samples N OUT [--seed S] [--distinct D]\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) return usage();
    const std::string kind = argv[1];
    if (kind != "list" && kind != "fasta" && kind != "raw" && kind != "vcf-haploid" && kind != "vcf-af" &&
        kind != "vcf-samples")
        return usage();
    corvella::bench::CohortParams params;
    params.samples = std::atoi(argv[2]);
    const std::string path = argv[3];
    for (int i = 4; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--seed") == 0)
            params.seed = std::strtoull(argv[i + 1], nullptr, 10);
        else if (std::strcmp(argv[i], "--distinct") == 0)
            params.distinct = std::atoi(argv[i + 1]);
        else
            return usage();
    }
    if (params.samples < 0 || params.distinct < 1) return usage();

    const corvella::bench::CohortGenerator cohort(corvella::human_reference_sequence(), params);
    if (kind.rfind("vcf", 0) == 0) {
        using corvella::bench::VcfShape;
        const bool ok = kind == "vcf-samples"
                            ? corvella::bench::write_sample_vcfs(path, path + "/paths.txt", cohort)
                            : corvella::bench::write_cohort_vcf(path, cohort,
                                                                kind == "vcf-af" ? VcfShape::GtAf : VcfShape::Haploid);
        if (!ok) std::cerr << "cannot write " << path << "\n";
        return ok ? 0 : 1;
    }
    std::ofstream out(path, std::ios::binary);
    if (!out) {
        std::cerr << "cannot create " << path << "\n";
        return 1;
    }
    if (kind == "list")
        write_polymorphism_list(out, cohort);
    else if (kind == "fasta")
        write_aligned_fasta(out, cohort);
    else
        write_unaligned_fasta(out, cohort);
    out.close();
    if (!out) {
        std::cerr << "cannot write " << path << "\n";
        return 1;
    }

    long long occurrences = 0;
    std::set<std::pair<int32_t, char>> distinct;
    for (int32_t i = 0; i < cohort.samples(); ++i) {
        for (const auto& v : cohort.sample(i).variants) {
            ++occurrences;
            distinct.insert({v.position, v.base});
        }
    }
    std::cerr << path << ": " << params.samples << " samples, " << occurrences << " variant occurrences, "
              << distinct.size() << " distinct variants\n";
    return 0;
}
