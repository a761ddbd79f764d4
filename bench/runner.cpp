// corvella_bench: runs one benchmark row and prints its result line.
//
//   corvella_bench ROW INPUT [--repeat R] [--out DIR]
//
// ROW is one of: tokenize, read_list, call_aligned, align_unaligned, network, <window>:count,
// <window>:<summary|position|sample>_<text|workbook> with <window> from --windows,
// table:<variants|genes>_<text|workbook>, stats.
// `corvella_bench --windows` lists the windows whose counting and reports
// can be measured. scripts/bench runs every row in its own process (so that
// each reports its own peak memory) and prints the table. A row that fails
// prints FAILED and the reason in its place and exits with 1.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <stdexcept>
#include <string>

#include "bench/rows.h"

int main(int argc, char** argv) {
    using namespace corvella::bench;
    if (argc < 2 || (argc < 3 && std::strcmp(argv[1], "--windows") != 0)) {
        std::fprintf(stderr, "usage: corvella_bench ROW INPUT [--repeat R] [--out DIR]\n");
        return 2;
    }
    const std::string name = argv[1];
    if (name == "--windows") {
        for (const char* w : WINDOWS) std::printf("%s\n", w);
        return 0;
    }
    RunArgs args;
    args.input = argv[2];
    args.out_dir = ".";
    for (int i = 3; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--repeat") == 0) args.repeat = std::atoi(argv[i + 1]);
        if (std::strcmp(argv[i], "--out") == 0) args.out_dir = argv[i + 1];
    }
    try {
        Row row;
        if (name == "tokenize")
            row = run_baseline_tokenizer(args);
        else if (name == "read_list")
            row = run_read_list(args);
        else if (name == "network")
            row = run_network(args);
        else if (name == "call_aligned")
            row = run_call_aligned(args);
        else if (name == "align_unaligned")
            row = run_align_unaligned(args);
        else if (name == "stats")
            row = run_stats(args);
        else if (name.rfind("table:", 0) == 0)
            row = run_table(name.substr(6), args);
        else if (const size_t colon = name.find(':'); colon != std::string::npos)
            row = run_window(name.substr(0, colon), name.substr(colon + 1), args);
        else
            throw std::runtime_error("unknown row " + name);
        print_row(row);
    } catch (const std::exception& e) {
        // Still a row of the table: a report the program refuses is a result.
        std::printf("%s\t%s\tFAILED\t%s\n", name.c_str(), args.input.c_str(), e.what());
        return 1;
    }
    return 0;
}
