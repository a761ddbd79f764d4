#include "classify/population_stats.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <exception>
#include <map>
#include <thread>
#include <utility>

#include "classify/genetic_code.h"
#include "classify/report_table.h"
#include "core/nucleotides.h"

namespace corvella {

namespace {

uint64_t mix64(uint64_t x) {
    x += 0x9e3779b97f4a7c15ULL;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

// The haplotype of a sample in a region is the set of its substitutions
// there, hashed as the sum of one hash per substitution: the same set gives
// the same sum whatever the order, and the reference itself is 0.
uint64_t substitution_hash(int32_t p, int b) { return mix64((static_cast<uint64_t>(p) << 2) | static_cast<uint64_t>(b)); }

// Haplotype counts of one region: samples per (haplotype, group), open
// addressing on one 64-bit key that holds the haplotype's hash and, in its
// low bits, the group. Twelve bytes a slot: a region where every sample has
// a haplotype of its own holds a million of them.
class HaplotypeCounts {
public:
#pragma pack(push, 4)
    struct Slot {
        uint64_t key;
        uint32_t count;  // 0: an empty slot
    };
#pragma pack(pop)
    explicit HaplotypeCounts(int group_bits = 0) : group_bits_(group_bits) {}
    uint64_t key_of(uint64_t hash, uint32_t group) const { return (hash << group_bits_) | group; }
    // Asks the processor for the key's slot ahead of add(): a sample's
    // regions are looked up side by side instead of one miss after another.
    void prefetch(uint64_t key) const {
        if (!slots_.empty()) __builtin_prefetch(&slots_[mix64(key) & mask_]);
    }
    void add(uint64_t key) {
        if ((used_ + 1) * 4 > slots_.size() * 3) grow();
        size_t i = mix64(key) & mask_;
        while (slots_[i].count != 0 && slots_[i].key != key) i = (i + 1) & mask_;
        if (slots_[i].count == 0) {
            slots_[i].key = key;
            ++used_;
        }
        ++slots_[i].count;
    }
    uint32_t group_of(uint64_t key) const { return static_cast<uint32_t>(key & ((uint64_t{1} << group_bits_) - 1)); }
    uint64_t haplotype_of(uint64_t key) const { return key >> group_bits_; }
    // The tables of a million samples are tens of megabytes each, probed at
    // random: in large pages, a probe is not also a page-table walk.
    using Slots = std::vector<Slot, detail::UninitAllocator<Slot>>;

    // The filled slots moved to the front, sorted by haplotype when asked;
    // the table is no longer a table afterwards.
    Slots& take(bool sorted) {
        size_t kept = 0;
        for (const Slot& s : slots_)
            if (s.count != 0) slots_[kept++] = s;
        slots_.resize(kept);
        if (sorted)
            std::sort(slots_.begin(), slots_.end(), [](const Slot& a, const Slot& b) { return a.key < b.key; });
        return slots_;
    }

private:
    void grow() {
        Slots old = std::move(slots_);
        slots_.assign(old.empty() ? 64 : old.size() * 2, Slot{0, 0});
        mask_ = slots_.size() - 1;
        used_ = 0;
        for (const Slot& e : old) {
            if (e.count == 0) continue;
            size_t i = mix64(e.key) & mask_;
            while (slots_[i].count != 0) i = (i + 1) & mask_;
            slots_[i] = e;
            ++used_;
        }
    }
    int group_bits_;
    Slots slots_;
    size_t mask_ = 0;
    size_t used_ = 0;
};

// Of a column's haplotypes: how many, and the sum of their squared sample counts.
struct HaplotypeSums {
    int64_t distinct = 0;
    int64_t samples = 0;  // samples with a substitution in the region
    double squares = 0;
};

std::vector<int32_t> region_span(const Workspace& ws, int32_t start, int32_t end, bool wraps) {
    std::vector<int32_t> positions;
    if (start <= 0 || end <= 0) return positions;
    auto take = [&](int32_t from, int32_t to) {
        for (int32_t p = from; p <= to && p <= ws.reference_length(); ++p)
            if (nucleotide_index(ws.reference_letter(p)) >= 0) positions.push_back(p);
    };
    if (wraps && start > end) {
        take(start, ws.reference_length());
        take(1, end);
    } else {
        take(start, end);
    }
    return positions;
}

std::string amino_acid_of(const std::string& codon, int code) { return geneticCode(codon, code); }

// Amino acids of the four letters at each position of a protein gene, as
// small numbers (equal numbers, equal amino acids).
struct GeneCodons {
    std::vector<std::array<int, 4>> amino_acids;  // parallel to the region's positions
};

int amino_acid_number(const std::string& aa) {
    if (aa == "STOP") return 100;
    return aa.empty() ? 101 : static_cast<unsigned char>(aa[0]);
}

GeneCodons gene_codons(const Workspace& ws, const StatsRegion& r) {
    GeneCodons codons;
    for (const int32_t p : r.positions) {
        std::array<int, 4> aa{};
        for (int b = 0; b < 4; ++b) aa[static_cast<size_t>(b)] = amino_acid_number(amino_acid_with(ws, r.region.row, p, NUCLEOTIDES[b]));
        codons.amino_acids.push_back(aa);
    }
    return codons;
}

// One set of samples the table has rows for: "all", or one group.
struct Column {
    std::string name;
    int64_t n = 0;
    std::vector<int32_t> counts;  // (p * 4 + b): samples with the non-reference letter b at p
};

struct Tally {
    std::vector<Column> columns;  // "all" first, then the file's groups
    // Per region and column: the haplotypes other than the reference's own.
    std::vector<std::vector<HaplotypeSums>> haplotypes;
};

Tally tally_samples(const Workspace& ws, const SampleGroups& groups, const std::vector<StatsRegion>& regions) {
    const int32_t L = ws.reference_length();
    const size_t group_count = groups.from_file ? groups.names.size() : 1;
    std::vector<int8_t> ref_index(static_cast<size_t>(L) + 1, -1);
    for (int32_t p = 1; p <= L; ++p) ref_index[static_cast<size_t>(p)] = static_cast<int8_t>(nucleotide_index(ws.reference_letter(p)));

    // The regions of every position, the genome included.
    std::vector<uint32_t> region_start(static_cast<size_t>(L) + 2, 0);
    std::vector<std::vector<uint8_t>> of_position(static_cast<size_t>(L) + 1);
    for (size_t r = 0; r < regions.size(); ++r)
        for (const int32_t p : regions[r].positions) of_position[static_cast<size_t>(p)].push_back(static_cast<uint8_t>(r));
    std::vector<uint8_t> region_list;
    for (int32_t p = 0; p <= L; ++p) {
        region_start[static_cast<size_t>(p)] = static_cast<uint32_t>(region_list.size());
        region_list.insert(region_list.end(), of_position[static_cast<size_t>(p)].begin(), of_position[static_cast<size_t>(p)].end());
    }
    region_start[static_cast<size_t>(L) + 1] = static_cast<uint32_t>(region_list.size());

    const size_t stride = (static_cast<size_t>(L) + 1) * 4;
    std::vector<int32_t> counts(group_count * stride, 0);
    std::vector<int64_t> n(group_count, 0);
    int group_bits = 0;
    while ((size_t{1} << group_bits) < group_count) ++group_bits;
    std::vector<HaplotypeCounts> maps(regions.size(), HaplotypeCounts(group_bits));

    // Samples are taken group by group, so that the counts of one group stay
    // in the processor's cache while its samples are counted.
    const size_t samples = ws.sample_positions.size();
    std::vector<uint32_t> order;
    if (groups.from_file && group_count > 1) {
        std::vector<size_t> first(group_count + 1, 0);
        for (size_t i = 0; i < samples; ++i) ++first[groups.of_sample[i] + 1];
        for (size_t g = 0; g < group_count; ++g) first[g + 1] += first[g];
        order.resize(samples);
        for (size_t i = 0; i < samples; ++i) order[first[groups.of_sample[i]]++] = static_cast<uint32_t>(i);
    }

    // The haplotype tables are shared out among the cores by their expected
    // load (the tally's occurrences in the region); each core walks every
    // sample and fills only its own tables, the first also the counts.
    const size_t parts = samples < 20000 ? 1 : std::max<size_t>(1, std::min<unsigned>(2, std::thread::hardware_concurrency()));
    std::vector<uint8_t> part_of(regions.size(), 0);
    if (parts > 1) {
        std::vector<double> load(regions.size(), 0);
        for (const auto& [key, count] : ws.variant_tally)
            if (key.position >= 1 && key.position <= L)
                for (uint32_t k = region_start[static_cast<size_t>(key.position)];
                     k < region_start[static_cast<size_t>(key.position) + 1]; ++k)
                    load[region_list[k]] += count;
        std::vector<size_t> by_load(regions.size());
        for (size_t r = 0; r < regions.size(); ++r) by_load[r] = r;
        std::sort(by_load.begin(), by_load.end(), [&](size_t a, size_t b) { return load[a] > load[b]; });
        std::vector<double> bin(parts, 0);
        double occurrences = 0;
        for (const auto& entry : ws.variant_tally) occurrences += entry.second;
        bin[0] = occurrences * 0.5;  // the counts
        for (const size_t r : by_load) {
            const size_t lightest = static_cast<size_t>(std::min_element(bin.begin(), bin.end()) - bin.begin());
            part_of[r] = static_cast<uint8_t>(lightest);
            bin[lightest] += load[r];
        }
    }

    auto walk = [&](size_t part) {
        std::vector<uint64_t> hash(regions.size(), 0);
        std::vector<uint8_t> touched;
        std::vector<std::pair<int32_t, int>> items;
        for (size_t k = 0; k < samples; ++k) {
            const size_t i = order.empty() ? k : order[k];
            const uint32_t g = groups.from_file ? groups.of_sample[i] : 0;
            const PositionView positions = ws.sample_positions[i];
            const TextView bases = ws.sample_bases[i];
            items.clear();
            bool ordered = true;
            const size_t m = std::min(positions.size(), bases.size());
            for (size_t j = 0; j < m; ++j) {
                const int32_t p = positions[j];
                if (p < 1 || p > L) continue;
                const int b = nucleotide_index(bases[j]);
                const int ref = ref_index[static_cast<size_t>(p)];
                if (b < 0 || ref < 0 || b == ref) continue;
                if (!items.empty() && p <= items.back().first) ordered = false;
                items.emplace_back(p, b);
            }
            if (!ordered) {
                // One letter per position: of two calls at one position the later one stands.
                std::stable_sort(items.begin(), items.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
                size_t kept = 0;
                for (size_t j = 0; j < items.size(); ++j) {
                    if (j + 1 < items.size() && items[j + 1].first == items[j].first) continue;
                    items[kept++] = items[j];
                }
                items.resize(kept);
            }
            if (part == 0) {
                ++n[g];
                int32_t* group_counts = counts.data() + g * stride;
                for (const auto& item : items)
                    ++group_counts[static_cast<size_t>(item.first) * 4 + static_cast<size_t>(item.second)];
            }
            for (const auto& [p, b] : items) {
                const uint64_t h = substitution_hash(p, b);
                for (uint32_t e = region_start[static_cast<size_t>(p)]; e < region_start[static_cast<size_t>(p) + 1]; ++e) {
                    const uint8_t r = region_list[e];
                    if (part_of[r] != part) continue;
                    if (hash[r] == 0) touched.push_back(r);
                    hash[r] += h;
                    if (hash[r] == 0) hash[r] = 1;  // a sum of exactly 0 would read as untouched
                }
            }
            for (const uint8_t r : touched) {
                hash[r] = maps[r].key_of(hash[r], g);
                maps[r].prefetch(hash[r]);
            }
            for (const uint8_t r : touched) {
                maps[r].add(hash[r]);
                hash[r] = 0;
            }
            touched.clear();
        }
    };
    // A failure on a helper (out of memory) is raised here, after the join.
    std::vector<std::exception_ptr> failed(parts);
    std::vector<std::thread> helpers;
    for (size_t part = 1; part < parts; ++part)
        helpers.emplace_back([&, part] {
            try {
                walk(part);
            } catch (...) {
                failed[part] = std::current_exception();
            }
        });
    try {
        walk(0);
    } catch (...) {
        failed[0] = std::current_exception();
    }
    for (std::thread& h : helpers) h.join();
    for (const std::exception_ptr& e : failed)
        if (e) std::rethrow_exception(e);

    Tally t;
    t.columns.resize(groups.from_file ? group_count + 1 : 1);
    t.columns[0].name = ALL_GROUP;
    for (size_t g = 0; g < group_count; ++g) t.columns[0].n += n[g];
    if (groups.from_file) {
        t.columns[0].counts.assign(stride, 0);
        for (size_t g = 0; g < group_count; ++g) {
            Column& c = t.columns[g + 1];
            c.name = groups.names[g];
            c.n = n[g];
            c.counts.assign(counts.begin() + static_cast<std::ptrdiff_t>(g * stride),
                            counts.begin() + static_cast<std::ptrdiff_t>((g + 1) * stride));
            for (size_t k = 0; k < stride; ++k) t.columns[0].counts[k] += c.counts[k];
        }
    } else {
        t.columns[0].counts = std::move(counts);
    }

    t.haplotypes.resize(regions.size());
    for (size_t r = 0; r < regions.size(); ++r) {
        std::vector<HaplotypeSums>& sums = t.haplotypes[r];
        sums.resize(t.columns.size());
        // Sorted by haplotype, then group: one haplotype seen in several
        // groups is one run, one haplotype of all samples. Without groups
        // every slot is a run of its own.
        HaplotypeCounts::Slots& slots = maps[r].take(groups.from_file);
        for (size_t j = 0; j < slots.size();) {
            const uint64_t h = maps[r].haplotype_of(slots[j].key);
            int64_t run = 0;
            for (; j < slots.size() && maps[r].haplotype_of(slots[j].key) == h; ++j) {
                const int64_t c = slots[j].count;
                run += c;
                if (groups.from_file) {
                    HaplotypeSums& g = sums[maps[r].group_of(slots[j].key) + 1];
                    ++g.distinct;
                    g.samples += c;
                    g.squares += static_cast<double>(c) * static_cast<double>(c);
                }
            }
            ++sums[0].distinct;
            sums[0].samples += run;
            sums[0].squares += static_cast<double>(run) * static_cast<double>(run);
        }
        maps[r] = HaplotypeCounts();  // its memory back before the next region's sort
    }
    return t;
}

// Sum over i = 1 .. n - 1 of 1/i (power 1) or 1/i^2 (power 2). The rows of
// a table ask for a few values of n again and again (one per group).
double harmonic(int64_t n, int power) {
    thread_local std::map<std::pair<int64_t, int>, double> known;
    const auto it = known.find({n, power});
    if (it != known.end()) return it->second;
    double a = 0;
    for (int64_t i = 1; i < n; ++i) a += power == 1 ? 1.0 / static_cast<double>(i) : 1.0 / (static_cast<double>(i) * static_cast<double>(i));
    if (known.size() > 4096) known.clear();
    known.emplace(std::make_pair(n, power), a);
    return a;
}

PopulationStatsRow region_row(const Workspace& ws, const StatsRegion& r, int region, const Column& c,
                              const HaplotypeSums& haplotypes, const GeneCodons* codons,
                              const OutgroupBases* outgroup) {
    PopulationStatsRow row;
    row.region = region;
    row.group = c.name;
    row.n = c.n;
    row.protein = codons != nullptr;
    row.outgroup = row.protein && outgroup != nullptr;
    const int64_t n = c.n;
    const double pairs = static_cast<double>(n) * static_cast<double>(n - 1) / 2;
    const double L = static_cast<double>(r.positions.size());

    // Haplotypes: the listed ones, and the reference's own for every sample
    // without a substitution in the region.
    double sum_squares = haplotypes.squares;
    const int64_t reference = n - haplotypes.samples;
    row.haplotypes = haplotypes.distinct + (reference > 0 ? 1 : 0);
    sum_squares += static_cast<double>(reference) * static_cast<double>(reference);
    if (n >= 2) row.hd = static_cast<double>(n) / static_cast<double>(n - 1) * (1 - sum_squares / (static_cast<double>(n) * static_cast<double>(n)));

    double differences = 0, syn_differences = 0, non_differences = 0;
    for (size_t k = 0; k < r.positions.size(); ++k) {
        const int32_t p = r.positions[k];
        const int ref = nucleotide_index(ws.reference_letter(p));
        std::array<int64_t, 4> count{};
        int64_t others = 0;
        for (int b = 0; b < 4; ++b) {
            if (b == ref) continue;
            count[static_cast<size_t>(b)] = c.counts[static_cast<size_t>(p) * 4 + static_cast<size_t>(b)];
            others += count[static_cast<size_t>(b)];
        }
        count[static_cast<size_t>(ref)] = n - others;
        int present = 0, only = -1;
        for (int b = 0; b < 4; ++b)
            if (count[static_cast<size_t>(b)] > 0) {
                ++present;
                only = b;
            }
        bool non_synonymous_pair = false;
        for (int x = 0; x < 4; ++x)
            for (int y = x + 1; y < 4; ++y) {
                const double d = static_cast<double>(count[static_cast<size_t>(x)]) * static_cast<double>(count[static_cast<size_t>(y)]);
                if (d == 0) continue;
                differences += d;
                if (!codons) continue;
                const auto& aa = codons->amino_acids[k];
                if (aa[static_cast<size_t>(x)] == aa[static_cast<size_t>(y)]) {
                    syn_differences += d;
                } else {
                    non_differences += d;
                    non_synonymous_pair = true;
                }
            }
        if (present >= 2) {
            ++row.segregating;
            if (row.outgroup) ++(non_synonymous_pair ? row.pn : row.ps);
        }
        if (codons) {
            int syn = 0;
            const auto& aa = codons->amino_acids[k];
            for (int b = 0; b < 4; ++b)
                if (b != ref && aa[static_cast<size_t>(b)] == aa[static_cast<size_t>(ref)]) ++syn;
            row.ls += syn / 3.0;
            row.ln += (3 - syn) / 3.0;
        }
        if (row.outgroup && present == 1) {
            const int o = nucleotide_index((*outgroup)[static_cast<size_t>(p - 1)]);
            if (o >= 0 && o != only) {
                const auto& aa = codons->amino_acids[k];
                ++(aa[static_cast<size_t>(o)] != aa[static_cast<size_t>(only)] ? row.dn : row.ds);
            }
        }
    }
    if (n >= 2 && L > 0) {
        row.pi = differences / pairs / L;
        const double a1 = harmonic(n, 1);
        row.theta_w = row.segregating / (a1 * L);
    }
    if (n >= 2) row.tajima_d = tajima_d(n, row.segregating, differences / pairs);
    if (row.protein && n >= 2) {
        if (row.ls > 0) row.pi_s = syn_differences / pairs / row.ls;
        if (row.ln > 0) row.pi_n = non_differences / pairs / row.ln;
        if (row.pi_s && row.pi_n && *row.pi_s > 0) row.pi_n_over_pi_s = *row.pi_n / *row.pi_s;
    }
    if (row.outgroup) {
        if (row.ps > 0 && row.ds > 0 && row.dn > 0)
            row.ni = (static_cast<double>(row.pn) / row.ps) / (static_cast<double>(row.dn) / row.ds);
        if (row.dn + row.ds > 0 && row.pn + row.ps > 0)
            row.dos = static_cast<double>(row.dn) / (row.dn + row.ds) - static_cast<double>(row.pn) / (row.pn + row.ps);
        row.fisher_p = fisher_exact_two_sided(row.dn, row.ds, row.pn, row.ps);
    }
    return row;
}

std::string six_digits(const std::optional<double>& v) {
    if (!v) return "";
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.6g", *v == 0 ? 0.0 : *v);  // never "-0"
    return buffer;
}

}  // namespace

std::string amino_acid_with(const Workspace& ws, int gene, int32_t p, char x) {
    const int32_t s = ws.protein_start(gene), e = ws.protein_end(gene);
    const ProteinGeneReading& reading = ws.protein_reading[static_cast<size_t>(gene)];
    std::string codon(3, 'A');
    if (!reading.reverse) {
        const int32_t first = p - (p - s) % 3;
        for (int k = 0; k < 3; ++k) {
            const int32_t q = first + k;
            if (q == p) codon[static_cast<size_t>(k)] = x;
            else if (q <= e && q <= ws.reference_length()) codon[static_cast<size_t>(k)] = ws.reference_letter(q);
        }
    } else {
        const int32_t first = p + (e - p) % 3;
        for (int k = 0; k < 3; ++k) {
            const int32_t q = first - k;
            if (q < s || q < 1) continue;  // completed with A in the mRNA
            codon[static_cast<size_t>(k)] = complement_base(q == p ? x : ws.reference_letter(q));
        }
    }
    return amino_acid_of(codon, reading.genetic_code);
}

std::vector<StatsRegion> stats_regions(const Workspace& ws) {
    std::vector<StatsRegion> regions;
    for (int g = 0; g < PROTEIN_GENE_COUNT; ++g) {
        StatsRegion r{{RegionType::Protein, g}, false, "", ws.protein_symbols[static_cast<size_t>(g)], {}};
        r.positions = region_span(ws, ws.protein_start(g), ws.protein_end(g), false);
        regions.push_back(std::move(r));
    }
    for (int k = 0; k < RNA_GENE_COUNT; ++k) {
        StatsRegion r{{k < TRNA_COUNT ? RegionType::Trna : RegionType::Rrna, k}, false, "",
                      ws.rna_symbols[static_cast<size_t>(k)], {}};
        r.positions = region_span(ws, ws.rna_start(k), ws.rna_end(k), false);
        regions.push_back(std::move(r));
    }
    StatsRegion dloop{{RegionType::DLoop, -1}, false, "", "D-loop", {}};
    dloop.positions = region_span(ws, ws.region_table[DLOOP_START_SLOT], ws.region_table[DLOOP_END_SLOT], true);
    regions.push_back(std::move(dloop));
    for (StatsRegion& r : regions) r.name = variant_region_name(r.region);
    StatsRegion genome{{RegionType::NonCoding, -1}, true, "Genome", "genome", {}};
    genome.positions = region_span(ws, 1, ws.reference_length(), false);
    regions.push_back(std::move(genome));
    return regions;
}

std::optional<double> tajima_d(int64_t n, int64_t segregating, double k) {
    if (n < 4 || segregating == 0) return std::nullopt;
    const double nd = static_cast<double>(n), S = static_cast<double>(segregating);
    const double a1 = harmonic(n, 1), a2 = harmonic(n, 2);
    const double b1 = (nd + 1) / (3 * (nd - 1));
    const double b2 = 2 * (nd * nd + nd + 3) / (9 * nd * (nd - 1));
    const double c1 = b1 - 1 / a1;
    const double c2 = b2 - (nd + 2) / (a1 * nd) + a2 / (a1 * a1);
    const double e1 = c1 / a1, e2 = c2 / (a1 * a1 + a2);
    return (k - S / a1) / std::sqrt(e1 * S + e2 * S * (S - 1));
}

double fisher_exact_two_sided(int64_t a, int64_t b, int64_t c, int64_t d) {
    const int64_t row1 = a + b, row2 = c + d, col1 = a + c, total = a + b + c + d;
    auto log_factorial = [](int64_t v) { return std::lgamma(static_cast<double>(v) + 1); };
    const double fixed = log_factorial(row1) + log_factorial(row2) + log_factorial(col1) + log_factorial(total - col1) -
                         log_factorial(total);
    auto log_p = [&](int64_t x) {
        return fixed - log_factorial(x) - log_factorial(row1 - x) - log_factorial(col1 - x) -
               log_factorial(row2 - col1 + x);
    };
    const double observed = log_p(a);
    double p = 0;
    for (int64_t x = std::max<int64_t>(0, col1 - row2); x <= std::min(row1, col1); ++x) {
        const double lp = log_p(x);
        // Tables as likely as the observed one within rounding count too.
        if (lp <= observed + 1e-7) p += std::exp(lp);
    }
    return std::min(1.0, p);
}

std::vector<PopulationStatsRow> population_stats(const Workspace& ws, const SampleGroups& groups,
                                                 const OutgroupBases& outgroup) {
    const std::vector<StatsRegion> regions = stats_regions(ws);
    const Tally t = tally_samples(ws, groups, regions);
    // An outgroup is one letter per reference position.
    const bool with_outgroup = !outgroup.empty() && outgroup.size() == static_cast<size_t>(ws.reference_length());
    std::vector<PopulationStatsRow> rows;
    for (size_t r = 0; r < regions.size(); ++r) {
        const bool protein = regions[r].region.type == RegionType::Protein;
        const GeneCodons codons = protein ? gene_codons(ws, regions[r]) : GeneCodons{};
        for (size_t c = 0; c < t.columns.size(); ++c)
            rows.push_back(region_row(ws, regions[r], static_cast<int>(r), t.columns[c], t.haplotypes[r][c],
                                      protein ? &codons : nullptr, with_outgroup ? &outgroup : nullptr));
    }
    return rows;
}

std::vector<std::string> population_stats_header(bool outgroup) {
    std::vector<std::string> header = {"Region", "Symbol", "Group", "n", "S", "Haplotypes", "Hd", "Pi", "ThetaW",
                                       "TajimaD", "LS", "LN", "PiS", "PiN", "PiN/PiS"};
    if (outgroup) header.insert(header.end(), {"DN", "DS", "PN", "PS", "NI", "DoS", "p"});
    return header;
}

Report population_stats_report(const Workspace& ws, const SampleGroups& groups, const OutgroupBases& outgroup,
                               ReportFormat format) {
    const std::vector<StatsRegion> regions = stats_regions(ws);
    const bool with_outgroup = !outgroup.empty();
    ReportTable report(format);
    report.row(1, population_stats_header(with_outgroup));
    int32_t workbook_row = 2;
    for (const PopulationStatsRow& row : population_stats(ws, groups, outgroup)) {
        const StatsRegion& r = regions[static_cast<size_t>(row.region)];
        std::vector<std::string> f = {r.name,
                                      r.symbol,
                                      row.group,
                                      std::to_string(row.n),
                                      std::to_string(row.segregating),
                                      std::to_string(row.haplotypes),
                                      six_digits(row.hd),
                                      six_digits(row.pi),
                                      six_digits(row.theta_w),
                                      six_digits(row.tajima_d)};
        if (row.protein) {
            f.insert(f.end(), {six_digits(row.ls), six_digits(row.ln), six_digits(row.pi_s), six_digits(row.pi_n),
                               six_digits(row.pi_n_over_pi_s)});
        } else {
            f.insert(f.end(), 5, "");
        }
        if (with_outgroup) {
            if (row.outgroup)
                f.insert(f.end(), {std::to_string(row.dn), std::to_string(row.ds), std::to_string(row.pn),
                                   std::to_string(row.ps), six_digits(row.ni), six_digits(row.dos),
                                   six_digits(row.fisher_p)});
            else
                f.insert(f.end(), 7, "");
        }
        report.row(workbook_row++, f);
    }
    return report.take();
}

}  // namespace corvella
