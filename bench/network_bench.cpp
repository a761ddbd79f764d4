// The network export at the network file's own limits: 30,000 sequences and
// 5,000 variable variants, a 150 MB text. Reads a generated polymorphism list
// from memory, rebuilds the tally of variable variants and builds the text,
// printing the time of each step and the peak memory of the process.
//
//   network_bench [variants per sample]   (default 60; 1250 = dense)

#include <sys/resource.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "export/network_file.h"
#include "export/network_reading.h"
#include "export/variable_sites.h"

using namespace corvella;

namespace {

constexpr int SEQUENCES = 30000;
constexpr int VARIANTS = 5000;
// "Seconds, not minutes": the whole export, read to text, within this.
constexpr double TARGET_SECONDS = 30.0;

// A polymorphism list as the caller writes it: the reference's name line, a
// comment, then one name line and one variant line per sample. Sample k
// carries variant k mod VARIANTS for sure (so every variant occurs) plus
// `per_sample` - 1 more drawn at random; none is carried by every sample.
std::string generate_list(int per_sample) {
    std::mt19937 rng(12345);
    std::string text = ">reference\nNumbering Reference\n\n";
    for (int k = 0; k < SEQUENCES; ++k) {
        text += ">sample" + std::to_string(k) + "\n";
        for (int j = 0; j < per_sample; ++j) {
            const int v = j == 0 ? k % VARIANTS : static_cast<int>(rng() % VARIANTS);
            // Variant v: position 1 + 3v, every other one a transversion.
            text += std::to_string(1 + 3 * v);
            if (v % 2 == 1) text += "ACGT"[v % 4];
            text += ' ';
        }
        text += "\n\n";
    }
    return text;
}

double seconds_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    const int per_sample = argc > 1 ? std::atoi(argv[1]) : 60;
    if (per_sample < 1) {
        std::fprintf(stderr, "usage: %s [variants per sample, at least 1]\n", argv[0]);
        return 2;
    }
    const std::string list = generate_list(per_sample);

    auto start = std::chrono::steady_clock::now();
    SampleLists lists;
    const int32_t n = parse_network_list(list, lists);
    const double read_s = seconds_since(start);

    start = std::chrono::steady_clock::now();
    const VariantTally tally = build_variable_tally(lists.positions, lists.bases);
    const double tally_s = seconds_since(start);

    start = std::chrono::steady_clock::now();
    const std::string text = build_network_text(lists.positions, lists.bases, tally);
    const double text_s = seconds_since(start);

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("sequences %d, variable variants %zu, variants per sample %d, list %.1f MB\n", n,
                tally.size(), per_sample, list.size() / 1e6);
    std::printf("read_and_parsing (in memory)  %8.3f s\n", read_s);
    std::printf("variable tally                %8.3f s\n", tally_s);
    std::printf("build_network_text            %8.3f s  (%.1f MB text)\n", text_s, text.size() / 1e6);
    std::printf("peak memory (ru_maxrss)       %8.1f MB\n", usage.ru_maxrss / 1024.0);
    const double total = read_s + tally_s + text_s;
    if (tally.size() != VARIANTS || n != SEQUENCES) {
        std::printf("FAIL: the generated cohort did not read back as generated\n");
        return 1;
    }
    if (total > TARGET_SECONDS) {
        std::printf("FAIL: %.1f s, target %.0f s\n", total, TARGET_SECONDS);
        return 1;
    }
    return 0;
}
