#include "input/cohort_loader.h"

#include <htslib/hts.h>
#include <htslib/thread_pool.h>

#include <sys/stat.h>

#include <algorithm>
#include <thread>
#include <utility>

#include "input/fasta_reader.h"
#include "input/hsd_reader.h"
#include "core/human_reference.h"
#include "input/mapped_file.h"
#include "input/polymorphism_list.h"
#include "input/text_file.h"
#include "input/unaligned_calling.h"

namespace corvella {

namespace {

std::string file_name(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

int64_t file_size(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 ? static_cast<int64_t>(st.st_size) : 0;
}

CohortRead failed(int32_t code, std::string message) {
    CohortRead r;
    r.code = code;
    r.message = std::move(message);
    return r;
}

// A message of the list reader, with the file's name when there are several.
std::string list_message(int32_t code, const std::string& path, size_t file_count) {
    const std::string text = code == COHORT_CANNOT_OPEN ? "File cannot be opened." : "Bad input format.";
    return file_count > 1 ? file_name(path) + ": " + text : text;
}

// The decompression threads of every compressed VCF of one read.
class ThreadPool {
public:
    ThreadPool() {
        const unsigned n = std::min(4u, std::max(1u, std::thread::hardware_concurrency()));
        pool_.pool = hts_tpool_init(static_cast<int>(n));
        pool_.qsize = 0;
    }
    ~ThreadPool() {
        if (pool_.pool != nullptr) hts_tpool_destroy(pool_.pool);
    }
    ThreadPool(const ThreadPool&) = delete;
    ThreadPool& operator=(const ThreadPool&) = delete;
    htsThreadPool* get() { return pool_.pool != nullptr ? &pool_ : nullptr; }

private:
    htsThreadPool pool_{};
};

}  // namespace

void append_paired(SampleLists& into, SampleLists&& part) {
    const size_t entries = part.positions.size();
    const size_t offset = part.names.size() > entries ? 1 : 0;
    into.indels.append(part.indels, static_cast<uint32_t>(into.positions.size()),
                       static_cast<int64_t>(into.positions.items().size()));
    for (size_t i = 0; i < entries; ++i) {
        into.positions.push_back(std::move(part.positions[i]));
        into.bases.push_back(std::move(part.bases[i]));
        into.names.push_back(std::move(part.names[i + offset]));
    }
}

namespace {

CohortRead read_lists(const Workspace& ws, const std::vector<std::string>& paths, const CohortOptions& options,
                      const ListParser& parser, int64_t total) {
    CohortRead result;
    int64_t done = 0;
    for (const std::string& path : paths) {
        // Mapped, and each piece given back once parsed: the store, not the
        // file, is what stays.
        FileBytes file;
        if (!file.open(path)) return failed(COHORT_CANNOT_OPEN, list_message(COHORT_CANNOT_OPEN, path, paths.size()));
        SampleLists part;
        const int32_t code = parser(file.text(), ws.ref_sequence, part, releasing(file, ListSplit{}));
        if (code < 0) return failed(COHORT_BAD_FORMAT, list_message(COHORT_BAD_FORMAT, path, paths.size()));
        if (paths.size() == 1) {
            result.lists = std::move(part);
        } else {
            append_paired(result.lists, std::move(part));
        }
        done += file_size(path);
        if (options.progress) options.progress(done, total);
    }
    result.code = static_cast<int32_t>(result.lists.positions.size());
    return result;
}

// Unaligned whole mitogenomes: every record of every file aligned to the
// reference and called; the list goes through the parser like a converted one.
CohortRead read_fasta_cohort(const Workspace& against, const std::vector<std::string>& paths,
                             const CohortOptions& options, const ListParser& parser) {
    std::vector<FastaRecord> records;
    for (const std::string& path : paths) {
        FastaReadResult read = read_fasta_file(path);
        if (read.code < 0) return failed(read.code == -1 ? COHORT_CANNOT_OPEN : COHORT_BAD_FORMAT, read.message);
        for (FastaRecord& r : read.records) records.push_back(std::move(r));
    }
    AlignProgress progress;
    if (options.progress)
        progress = [&](size_t done, size_t total) {
            options.progress(static_cast<int64_t>(done), static_cast<int64_t>(total));
        };
    const UnalignedCalling calling =
        call_unaligned(against.ref_sequence, converted_reference_name(against.human_reference, against.reference_accession),
                       records, 0, progress);
    CohortRead result;
    result.format = InputFormat::Fasta;
    result.alignment_summary = unaligned_summary(calling, against.ref_sequence.size());
    result.converted_text = calling.list_text;
    const int32_t code = parser(result.converted_text, against.ref_sequence, result.lists, ListSplit{});
    if (code < 0) return failed(COHORT_BAD_FORMAT, "Bad input format.");
    result.code = code;
    return result;
}

}  // namespace

int32_t parse_counting_list(std::string_view text, const std::string& reference, SampleLists& out,
                            const ListSplit& split) {
    // adopt_cohort counts the joined cohort once: no tally while reading.
    out = SampleLists{};
    return parse_polymorphism_entries(text, reference, out, split);
}

CohortRead read_cohort(const Workspace& ws, const std::vector<std::string>& paths, const CohortOptions& options,
                       const ListParser& parser) {
    if (paths.empty()) return failed(COHORT_REFUSED, "no input file given.");
    std::vector<InputFormat> formats;
    formats.reserve(paths.size());
    int64_t total = 0;
    for (const std::string& path : paths) {
        formats.push_back(options.format ? *options.format : detect_input_format(path));
        total += file_size(path);
        if (formats.back() != formats.front())
            return failed(COHORT_REFUSED, "all inputs must be of one kind: " + file_name(paths.front()) + " is " +
                                              input_format_name(formats.front()) + ", " + file_name(path) + " is " +
                                              input_format_name(formats.back()) + ".");
    }
    const InputFormat format = formats.front();
    if (format == InputFormat::List) return read_lists(ws, paths, options, parser, total);

    // HSD and VCF are read against the loaded reference, or the human one.
    Workspace human;
    const Workspace* against = &ws;
    if (ws.ref_sequence.empty()) {
        use_human_ref_data(human);
        human.human_reference = true;
        against = &human;
    }
    const ReferenceView reference{against->ref_sequence, against->human_reference ? std::string() : against->reference_accession};

    if (format == InputFormat::Fasta) return read_fasta_cohort(*against, paths, options, parser);

    CohortRead result;
    result.format = format;
    result.summary.hsd = format == InputFormat::Hsd;
    result.summary.files = static_cast<int64_t>(paths.size());
    result.summary.min_level = options.reading.min_level;
    result.summary.include_filtered = options.reading.include_filtered;
    std::vector<ConvertedSample> samples;
    int64_t done = 0;
    if (format == InputFormat::Hsd) {
        std::string text;
        for (const std::string& path : paths) {
            if (!read_text_file(path, text)) return failed(COHORT_CANNOT_OPEN, file_name(path) + ": File cannot be opened.");
            if (text.empty()) return failed(COHORT_REFUSED, file_name(path) + ": the file is empty (0 bytes): there is nothing to read.");
            if (std::string problem = parse_hsd_text(text, reference.letters, samples, result.summary); !problem.empty())
                return failed(COHORT_REFUSED, file_name(path) + ": " + problem);
            done += file_size(path);
            if (options.progress) options.progress(done, total);
        }
    } else {
        ThreadPool pool;
        for (const std::string& path : paths) {
            const int64_t before = done;
            std::function<void(int64_t)> on_bytes;
            if (options.progress) on_bytes = [&](int64_t bytes) { options.progress(before + bytes, total); };
            const VariantReadResult read =
                read_vcf_file(path, reference, options.reading, pool.get(), on_bytes, samples, result.summary);
            if (!read.ok) return failed(COHORT_REFUSED, read.message);
            done += file_size(path);
            if (options.progress) options.progress(done, total);
        }
    }
    // A file whose every call was passed over would read as samples that
    // carry nothing: refused, saying why.
    if (result.summary.samples > 0) {
        const std::string what = paths.size() == 1 ? file_name(paths.front()) : "the " + std::to_string(paths.size()) + " files";
        if (std::string m = nothing_kept_refusal(result.summary, what, options.reading.min_level); !m.empty())
            return failed(COHORT_REFUSED, m);
    }
    result.converted_text =
        converted_list_text(converted_reference_name(against->human_reference, against->reference_accession), samples);
    // HSD calls are all level 1, which the workspace says with no levels.
    std::vector<float> indel_levels;
    if (format == InputFormat::Vcf) {
        result.levels = converted_levels(samples);
        indel_levels = converted_indel_levels(samples);
    }
    samples = {};  // the text holds it all now
    const int32_t code = parser(result.converted_text, against->ref_sequence, result.lists, ListSplit{});
    if (code < 0) return failed(COHORT_BAD_FORMAT, "Bad input format.");
    // The reader writes only indel tokens that read back, one call each.
    std::vector<IndelCall>& calls = result.lists.indels.calls;
    if (indel_levels.size() == calls.size())
        for (size_t k = 0; k < calls.size(); ++k) calls[k].level = indel_levels[k];
    result.code = code;
    return result;
}

CohortRead load_cohort(Workspace& ws, const std::vector<std::string>& paths, const CohortOptions& options) {
    CohortRead read = read_cohort(ws, paths, options);
    if (read.ok()) adopt_cohort(ws, read);
    return read;
}

void adopt_cohort(Workspace& ws, CohortRead& read) {
    ws.sample_positions = std::move(read.lists.positions);
    ws.sample_bases = std::move(read.lists.bases);
    ws.sample_names = std::move(read.lists.names);
    ws.sample_levels = std::move(read.levels);
    ws.sample_indels = std::move(read.lists.indels);
    build_variant_tally(ws);
    read.lists = {};
}

std::string cohort_list_text(const Workspace& ws, const CohortRead& read) {
    if (read.format != InputFormat::List) return read.converted_text;
    std::vector<ConvertedSample> samples(read.lists.positions.size());
    const size_t offset = read.lists.names.size() > samples.size() ? 1 : 0;
    for (size_t i = 0; i < samples.size(); ++i) {
        const std::string& line = read.lists.names[i + offset];
        samples[i].name = line.empty() ? line : line.substr(1);
        for (size_t j = 0; j < read.lists.positions[i].size(); ++j)
            append_snv_token(samples[i].tokens, read.lists.positions[i][j], read.lists.bases[i][j], ws.ref_sequence);
    }
    return converted_list_text(converted_reference_name(ws.human_reference, ws.reference_accession), samples);
}

}  // namespace corvella
