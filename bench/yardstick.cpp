// corvella_yardstick LIST: the minimal tally of a polymorphism list against
// the built-in human reference, as a process of its own, so that `make
// bench` can time it beside `corvella-cli` on the same file. Prints the
// number of variant occurrences and the number of distinct variants.
#include <cstdio>
#include <vector>

#include "bench/baseline_tokenizer.h"
#include "core/human_reference.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: corvella_yardstick LIST\n");
        return 2;
    }
    std::vector<int32_t> counts;
    const int64_t occurrences = corvella::bench::baseline_tally(argv[1], corvella::human_reference_sequence(), counts);
    if (occurrences < 0) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    long distinct = 0;
    for (int32_t c : counts) distinct += c != 0;
    std::printf("%lld occurrences, %ld distinct variants\n", static_cast<long long>(occurrences), distinct);
    return 0;
}
