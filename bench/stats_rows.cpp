// The population statistics of a cohort with 20 sample groups, as `stats
// LIST --groups FILE -o OUT.txt` computes and writes them: the list read with
// its tally, the groups file read and matched, one pass over the sample
// store, the table written.
#include <chrono>
#include <fstream>
#include <stdexcept>

#include "bench/rows.h"
#include "classify/population_stats.h"
#include "core/human_reference.h"
#include "input/polymorphism_list.h"
#include "input/sample_groups.h"
#include "input/text_file.h"
#include "output/text_writer.h"

namespace corvella::bench {

namespace {

constexpr int GROUPS = 20;

// A groups file naming every sample of the list, sample k in group k mod 20:
// a name line followed by a variant line (the reference's own name line is
// followed by "Numbering Reference", and is no sample).
void write_groups_file(const std::string& list, const std::string& path) {
    std::ifstream in(list);
    std::ofstream out(path);
    out << "sample\tgroup\n";
    std::string line, previous;
    int64_t k = 0;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind(">", 0) == 0) {
            previous = line.substr(1);
            continue;
        }
        if (line.rfind("Numbering", 0) == 0 || line.empty() || previous.empty()) continue;
        out << previous << "\tG" << (k++ % GROUPS) << "\n";
        previous.clear();
    }
}

}  // namespace

Row run_stats(const RunArgs& args) {
    const std::string groups_path = args.out_dir + "/groups-20.tsv";
    write_groups_file(args.input, groups_path);
    const std::string path = args.out_dir + "/stats.txt";
    Row row;
    row.name = "stats: 20 groups, text file";
    row.bytes = file_size(args.input);
    row.file = args.input;
    double stats_seconds = 0;
    size_t samples = 0;
    WriteResult written;
    row.seconds = best_seconds(args.repeat, [&] {
        Workspace ws;
        use_human_ref_data(ws);
        ws.human_reference = true;
        if (load_polymorphism_list(ws, args.input) < 0) throw std::runtime_error("cannot read " + args.input);
        const GroupFileRead file = read_group_file(groups_path);
        if (!file.ok) throw std::runtime_error(groups_path + ": " + file.message);
        const auto start = std::chrono::steady_clock::now();
        const SampleGroups groups = assign_sample_groups(ws, file);
        const Report report = population_stats_report(ws, groups, {}, ReportFormat::Text);
        written = write_text_file(path, report.text);
        stats_seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        samples = ws.sample_positions.size();
        if (groups.names.size() != GROUPS) throw std::runtime_error("the groups file does not give 20 groups");
    });
    if (!written.ok) throw std::runtime_error(path + ": " + written.error);
    row.input = std::to_string(samples) + " samples";
    row.amount = static_cast<double>(samples);
    row.unit = "samples";
    row.note = "groups and statistics " + std::to_string(static_cast<int>(stats_seconds * 1000)) +
               " ms of it, the list read with its tally the rest";
    return row;
}

}  // namespace corvella::bench
