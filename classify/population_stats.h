// Population statistics per region and sample group: segregating sites,
// haplotype diversity, nucleotide diversity, Watterson's theta, Tajima's D,
// synonymous and non-synonymous diversity per protein gene, and, against an
// outgroup mitogenome, the McDonald-Kreitman counts with the neutrality
// index, the direction of selection and Fisher's exact test.
//
// A sample's sequence in a region is the reference with the sample's kept
// substitutions in it: insertions, deletions and unreadable tokens are not in
// the sample lists, and positions whose reference letter is not A, C, G or T
// (the N at 3107 of the human reference) are left out of every region.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "classify/variant_annotation.h"
#include "core/workspace.h"
#include "input/sample_groups.h"
#include "output/report.h"

namespace corvella {

struct StatsRegion {
    VariantRegion region;  // type NonCoding for the whole genome
    bool genome = false;
    std::string name;      // "ND1", "tRNA-Leu(UUR)", "s-rRNA", "D-loop", "Genome"
    std::string symbol;    // "MT-ND1" ... from the loaded reference; "D-loop", "genome"
    std::vector<int32_t> positions;  // the region's positions with an A, C, G or T, in reading order along the reference
};

// The 13 protein genes, 22 tRNAs, 2 rRNAs, the D-loop and the whole genome,
// in the gene table's order.
std::vector<StatsRegion> stats_regions(const Workspace& ws);

struct PopulationStatsRow {
    int region = 0;  // index into stats_regions
    std::string group;
    int64_t n = 0;
    int32_t segregating = 0;  // S
    int64_t haplotypes = 0;
    std::optional<double> hd, pi, theta_w, tajima_d;
    // Protein genes only.
    bool protein = false;
    double ls = 0, ln = 0;
    std::optional<double> pi_s, pi_n, pi_n_over_pi_s;
    // Protein genes with an outgroup only.
    bool outgroup = false;
    int32_t dn = 0, ds = 0, pn = 0, ps = 0;
    std::optional<double> ni, dos, fisher_p;
};

// The outgroup's base at every reference position (index p - 1): "A", "C",
// "G", "T", or "-" where it is left out (its deletions, other letters, its
// missing ends). Empty: no outgroup.
using OutgroupBases = std::string;

// One pass over the sample store; rows by region, and in each region the
// "all" row first, then the file's groups in the groups' order.
std::vector<PopulationStatsRow> population_stats(const Workspace& ws, const SampleGroups& groups,
                                                 const OutgroupBases& outgroup);

// "Region", "Symbol", "Group", "n", "S", "Haplotypes", "Hd", "Pi", "ThetaW",
// "TajimaD", "LS", "LN", "PiS", "PiN", "PiN/PiS", and with an outgroup "DN",
// "DS", "PN", "PS", "NI", "DoS", "p".
std::vector<std::string> population_stats_header(bool outgroup);

// The table; numbers with six significant digits, empty where undefined.
Report population_stats_report(const Workspace& ws, const SampleGroups& groups, const OutgroupBases& outgroup,
                               ReportFormat format);

// Tajima's D of n sequences with S segregating sites and k the mean number
// of pairwise differences; empty when n < 4 or S = 0.
std::optional<double> tajima_d(int64_t n, int64_t segregating, double mean_pairwise_differences);

// Fisher's exact test of the 2x2 table (a b / c d), two-sided: the sum of
// the probabilities of the tables with the same margins that are no more
// likely than this one.
double fisher_exact_two_sided(int64_t a, int64_t b, int64_t c, int64_t d);

// The amino acid of gene g's codon at p with the letter x at p, read on the
// gene's strand under its code. Letters past the gene's end complete the
// codon with A, as the poly(A) tail completes a TAA stop in the mRNA.
std::string amino_acid_with(const Workspace& ws, int gene, int32_t p, char x);

}  // namespace corvella
