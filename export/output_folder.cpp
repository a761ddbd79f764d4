#include "export/output_folder.h"

#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <thread>

#include "classify/gene_table.h"
#include "classify/report_kinds.h"
#include "classify/sample_classes.h"
#include "classify/table_files.h"
#include "export/network_cohort.h"
#include "export/network_file.h"
#include "export/variable_sites.h"
#include "output/atomic_file.h"
#include "output/multiqc.h"
#include "output/text_writer.h"

namespace corvella {

namespace {

const char* const TABLE_NAMES[] = {"summary", "positions", "samples"};
constexpr Table TABLES[] = {Table::Summary, Table::Positions, Table::Samples};

std::string flat_message(std::string text) {
    for (char& c : text)
        if (c == '\n') c = ' ';
    return text;
}

}  // namespace

CohortRead read_cohort_keeping_texts(const Workspace& ws, const std::vector<std::string>& paths,
                                     const CohortOptions& options, std::vector<std::string>& texts) {
    // Only a cohort within the network format's limits gets a network file:
    // past them the texts are let go (a million samples' list is hundreds
    // of megabytes that nothing would read again).
    int64_t kept = 0;
    bool keeping = true;
    const ListParser keep = [&](std::string_view text, const std::string& reference, SampleLists& out,
                                const ListSplit& split) {
        const int32_t entries = parse_counting_list(text, reference, out, split);
        if (keeping && entries >= 0 && kept + entries <= NETWORK_MAX_SEQUENCES) {
            texts.emplace_back(text);
            kept += entries;
        } else if (keeping) {
            keeping = false;
            std::vector<std::string>().swap(texts);
        }
        return entries;
    };
    return read_cohort(ws, paths, options, keep);
}

std::string make_folder(const std::string& folder) {
    if (mkdir(folder.c_str(), 0777) == 0) return {};
    const int error = errno;
    struct stat st {};
    if (error == EEXIST && stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return {};
    return "Cannot create folder " + folder + ": " + std::strerror(error == EEXIST ? ENOTDIR : error);
}

std::vector<FolderFile> table_files(const Workspace& ws, const std::vector<std::string>& forms) {
    static const SampleGroups no_groups;
    return table_files(ws, no_groups, forms);
}

std::vector<FolderFile> table_files(const Workspace& ws, const SampleGroups& groups,
                                    const std::vector<std::string>& forms) {
    std::vector<FolderFile> files;
    for (const ReportKind& kind : all_report_kinds()) {
        if (kind.needs_human_reference && !ws.human_reference) continue;
        for (size_t t = 0; t < 3; ++t)
            for (const std::string& form : forms)
                files.push_back({kind.name + "-" + TABLE_NAMES[t] + "." + form,
                                 [&ws, &kind, t](const std::string& path) {
                                     return save_kind_table(kind, TABLES[t], ws, path);
                                 }});
    }
    for (const std::string& form : forms) {
        files.push_back({"variants." + form,
                         [&ws, &groups](const std::string& path) { return save_variant_table(ws, groups, path); }});
        files.push_back({"genes." + form,
                         [&ws, &groups](const std::string& path) { return save_gene_table(ws, groups, path); }});
    }
    // The sections `multiqc FOLDER` shows.
    files.push_back({"corvella_mqc.json", [&ws](const std::string& path) { return write_multiqc_classes(ws, path); }});
    files.push_back({"corvella_genes_mqc.tsv", [&ws](const std::string& path) { return write_multiqc_genes(ws, path); }});
    return files;
}

WriteResult write_multiqc_classes(const Workspace& ws, const std::string& path) {
    std::vector<std::string> categories;
    for (size_t c = 0; c < SAMPLE_CLASS_COUNT; ++c) categories.emplace_back(sample_class_name(static_cast<SampleClass>(c)));
    std::vector<std::pair<std::string, std::vector<int64_t>>> samples;
    for (const SampleClassCounts& s : sample_class_counts(ws))
        samples.emplace_back(s.name, std::vector<int64_t>(s.counts.begin(), s.counts.end()));
    const MultiqcSection section{"corvella_variant_classes", "Corvella: variants by class",
                                 "Each sample's variants by class: synonymous and non-synonymous changes in the "
                                 "protein genes, changes in the tRNAs, the rRNAs and the D-loop, counted as "
                                 "Corvella's per-sample reports count them."};
    return write_file_atomically(path, multiqc_bargraph_json(section, categories, samples, "Variants"));
}

WriteResult write_multiqc_genes(const Workspace& ws, const std::string& path) {
    const MultiqcSection section{"corvella_genes", "Corvella: gene table",
                                 "Per gene: the possible and the observed changes of the cohort (Corvella's gene "
                                 "table)."};
    return write_file_atomically(path, multiqc_table_tsv(section, gene_table_report(ws, ReportFormat::Text).text));
}

std::string read_folder_network(Workspace& network, int32_t samples, const std::vector<std::string>& texts) {
    // Beyond the format's limits the network software cannot take the file,
    // and at biobank scale it would be gigabytes of ones and zeros.
    if (samples > NETWORK_MAX_SEQUENCES) return network_memo_message(samples, 0);
    const CohortRead net = network_cohort_from_texts(network, texts);
    if (!net.ok()) return net.message;
    if (network.variant_tally.size() > static_cast<size_t>(NETWORK_MAX_VARIANTS))
        return network_memo_message(net.code, network.variant_tally.size());
    return {};
}

FolderFile network_folder_file(const Workspace& network) {
    return {"network.rdf",
            [&network](const std::string& path) { return write_text_file(path, build_network_text(network)); }};
}

WriteResult write_folder_files(const std::vector<FolderFile>& files, const std::string& folder,
                               const std::function<void(const std::string& name)>& starting) {
    std::vector<WriteResult> results(files.size());
    std::atomic<size_t> next{0};
    std::atomic<bool> failed{false};
    auto work = [&] {
        for (size_t i = next++; i < files.size() && !failed; i = next++) {
            if (starting) starting(files[i].name);
            results[i] = files[i].write(folder + "/" + files[i].name);
            if (!results[i].ok) failed = true;
        }
    };
    const size_t cores = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::thread> workers;
    for (size_t t = 1; t < std::min(cores, files.size()); ++t) workers.emplace_back(work);
    work();
    for (std::thread& w : workers) w.join();
    for (const WriteResult& r : results)
        if (!r.ok) return r;
    return {};
}

std::vector<std::string> folder_notes(const Workspace& ws, const std::string& network_note) {
    std::vector<std::string> notes;
    if (!ws.human_reference) notes.push_back("trna and rrna outputs left out: they need the built-in human reference.");
    if (!network_note.empty()) notes.push_back("network.rdf left out: " + flat_message(network_note));
    return notes;
}

}  // namespace corvella
