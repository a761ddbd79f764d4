#include "bench/vcf_cohort.h"

#include <htslib/bgzf.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <utility>
#include <vector>

namespace corvella::bench {

namespace {

class Writer {
public:
    explicit Writer(const std::string& path, int threads) : fp_(bgzf_open(path.c_str(), "w1")) {
        if (fp_ != nullptr && threads > 1) bgzf_mt(fp_, threads, 256);
    }
    ~Writer() {
        if (fp_ != nullptr) bgzf_close(fp_);
    }
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;
    bool ok() const { return fp_ != nullptr && good_; }
    void write(const std::string& s) {
        if (fp_ != nullptr && bgzf_write(fp_, s.data(), s.size()) < 0) good_ = false;
    }
    bool close() {
        const bool closed = fp_ != nullptr && bgzf_close(fp_) == 0;
        fp_ = nullptr;
        return closed && good_;
    }

private:
    BGZF* fp_;
    bool good_ = true;
};

std::string header(const std::string& contig, bool levels) {
    std::string h = "##fileformat=VCFv4.2\n##contig=<ID=" + contig + ",length=16569>\n";
    h += "##FILTER=<ID=PASS,Description=\"All filters passed\">\n";
    h += "##FORMAT=<ID=GT,Number=1,Type=String,Description=\"Genotype\">\n";
    if (levels) h += "##FORMAT=<ID=AF,Number=A,Type=Float,Description=\"Allele fraction of each ALT\">\n";
    h += "#CHROM\tPOS\tID\tREF\tALT\tQUAL\tFILTER\tINFO\tFORMAT";
    return h;
}

// The level a sample's call is written with: mostly homoplasmic, one call in
// twenty a heteroplasmy that the default minimum level leaves out.
std::string level_of(int32_t sample, int32_t position) {
    const uint64_t h = (static_cast<uint64_t>(sample) * 2654435761u) ^ (static_cast<uint64_t>(position) * 40503u);
    if (h % 20 == 0) return "0.0" + std::to_string(1 + h % 9);
    return h % 3 == 0 ? "1" : "0.99" + std::to_string(h % 10);
}

}  // namespace

bool write_cohort_vcf(const std::string& path, const CohortGenerator& cohort, VcfShape shape) {
    const bool levels = shape == VcfShape::GtAf;
    // Per position: its ALT bases, and per sample the allele it carries.
    std::map<int32_t, std::string> alts;
    std::vector<std::vector<Substitution>> variants(static_cast<size_t>(cohort.samples()));
    std::string names;
    for (int32_t i = 0; i < cohort.samples(); ++i) {
        Sample s = cohort.sample(i);
        names += "\t" + s.name;
        variants[static_cast<size_t>(i)] = std::move(s.variants);
        for (const Substitution& v : variants[static_cast<size_t>(i)]) {
            std::string& a = alts[v.position];
            if (a.find(v.base) == std::string::npos) a += v.base;
        }
    }
    std::map<int32_t, size_t> record_of;
    for (const auto& [position, bases] : alts) record_of.emplace(position, record_of.size());
    std::vector<std::vector<std::pair<int32_t, char>>> calls(record_of.size());  // (sample, base)
    for (int32_t i = 0; i < cohort.samples(); ++i)
        for (const Substitution& v : variants[static_cast<size_t>(i)])
            calls[record_of[v.position]].emplace_back(i, v.base);
    variants.clear();

    Writer out(path, 2);
    std::string h = header(shape == VcfShape::Haploid ? "MT" : "chrM", levels);
    out.write(h + names + "\n");
    std::vector<std::string> cells(static_cast<size_t>(cohort.samples()));
    std::string line;
    for (const auto& [position, bases] : alts) {
        std::fill(cells.begin(), cells.end(), std::string("0"));
        for (const auto& [sample, base] : calls[record_of[position]]) {
            const size_t allele = bases.find(base) + 1;
            std::string& c = cells[static_cast<size_t>(sample)];
            c = std::to_string(allele);
            if (levels) {
                std::string af;
                for (size_t k = 1; k <= bases.size(); ++k) {
                    if (k > 1) af += ',';
                    af += k == allele ? level_of(sample, position) : "0";
                }
                c += ":" + af;
            }
        }
        line = (shape == VcfShape::Haploid ? "MT\t" : "chrM\t") + std::to_string(position) + "\t.\t" +
               cohort.reference()[static_cast<size_t>(position - 1)] + "\t";
        for (size_t k = 0; k < bases.size(); ++k) {
            if (k > 0) line += ',';
            line += bases[k];
        }
        line += levels ? "\t.\tPASS\t.\tGT:AF" : "\t.\tPASS\t.\tGT";
        for (const std::string& c : cells) {
            line += '\t';
            line += c;
        }
        line += '\n';
        out.write(line);
    }
    return out.close();
}

bool write_sample_vcfs(const std::string& folder, const std::string& paths_file, const CohortGenerator& cohort) {
    std::FILE* paths = std::fopen(paths_file.c_str(), "wb");
    if (paths == nullptr) return false;
    bool ok = true;
    const std::string head = header("chrM", true);
    for (int32_t i = 0; i < cohort.samples() && ok; ++i) {
        const Sample s = cohort.sample(i);
        char name[32];
        std::snprintf(name, sizeof name, "/sample_%06d.vcf.gz", i + 1);
        const std::string path = folder + name;
        Writer out(path, 1);
        std::string text = head + "\t" + s.name + "\n";
        for (const Substitution& v : s.variants) {
            text += "chrM\t" + std::to_string(v.position) + "\t.\t";
            text += cohort.reference()[static_cast<size_t>(v.position - 1)];
            text += '\t';
            text += v.base;
            text += "\t.\tPASS\t.\tGT:AF\t1:" + level_of(i, v.position) + "\n";
        }
        out.write(text);
        ok = out.close() && std::fprintf(paths, "%s\n", path.c_str()) > 0;
    }
    return std::fclose(paths) == 0 && ok;
}

}  // namespace corvella::bench
