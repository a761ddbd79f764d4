// corvella_generate: writes a synthetic cohort for the benchmarks.
//
//   corvella_generate list  N OUT [--seed S] [--distinct D]
//   corvella_generate fasta N OUT [--seed S] [--distinct D]
//   corvella_generate raw   N OUT [--seed S] [--distinct D]
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
#include "core/human_reference.h"

namespace {

int usage() {
    std::cerr << "usage: corvella_generate list|fasta|raw N OUT [--seed S] [--distinct D]\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) return usage();
    const std::string kind = argv[1];
    if (kind != "list" && kind != "fasta" && kind != "raw") return usage();
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
