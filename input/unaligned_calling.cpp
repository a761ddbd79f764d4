#include "input/unaligned_calling.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

#include "input/mito_orientation.h"
#include "input/polymorphism_caller.h"
#include "input/wfa_alignment.h"

namespace corvella {

namespace {

constexpr int32_t HUMAN_LENGTH_LOW = 15000;
constexpr int32_t HUMAN_LENGTH_HIGH = 17500;
constexpr int32_t IDENTITY_WARNING_PERMILLE = 900;

// A human mitogenome against the reference scores in the hundreds; a
// sequence of another species of mammal in the tens of thousands. Past this
// the alignment is abandoned, so that a sequence unlike anything costs about
// a second and a few megabytes, never minutes.
int32_t score_limit(size_t reference_length) { return static_cast<int32_t>(reference_length * 3 / 2 + 1000); }

bool has_base(const std::string& letters) {
    return letters.find_first_of("ACGT") != std::string::npos;
}

struct Context {
    const std::string& reference;
    ReferenceAnchors anchors;
};

UnalignedSample call_one(const Context& ctx, GlobalAligner& aligner, const FastaRecord& record) {
    UnalignedSample s;
    s.name = record.name;
    s.length = static_cast<int32_t>(record.letters.size());
    if (record.letters.empty()) {
        s.outcome = UnalignedOutcome::NoLetters;
        return s;
    }
    if (!has_base(record.letters)) {
        s.outcome = UnalignedOutcome::NoBases;
        return s;
    }
    if (record.letters.size() > 2 * ctx.reference.size()) {
        s.outcome = UnalignedOutcome::TooLong;
        return s;
    }
    const Orientation o = find_orientation(ctx.anchors, record.letters);
    s.reverse_complement = o.reverse_complement;
    s.rotation = o.rotation;
    PairwiseRows rows;
    const bool turned = o.reverse_complement || o.rotation > 0;
    const std::string oriented = turned ? apply_orientation(record.letters, o) : std::string();
    if (!aligner.align(ctx.reference, turned ? oriented : record.letters, rows)) {
        s.outcome = UnalignedOutcome::NotAligned;
        return s;
    }
    place_indels(rows);
    s.stats = alignment_stats(rows);
    determine_polymorphisms(record.name, rows.sample, rows.reference, reference_numbering(rows.reference), s.block);
    return s;
}

}  // namespace

UnalignedCalling call_unaligned(const std::string& reference, const std::string& reference_name,
                                const std::vector<FastaRecord>& records, unsigned threads,
                                const AlignProgress& progress) {
    UnalignedCalling calling;
    calling.samples.resize(records.size());
    const Context ctx{reference, build_reference_anchors(reference)};
    if (threads == 0) threads = std::max(1u, std::thread::hardware_concurrency());
    threads = static_cast<unsigned>(std::min<size_t>(threads, std::max<size_t>(records.size(), 1)));

    std::atomic<size_t> next{0};
    std::mutex mutex;
    std::condition_variable finished;
    size_t done = 0;
    auto work = [&] {
        GlobalAligner aligner(score_limit(reference.size()));
        for (size_t i = next++; i < records.size(); i = next++) {
            try {
                calling.samples[i] = call_one(ctx, aligner, records[i]);
            } catch (const std::exception&) {
                // Out of memory for one record: that record is not called,
                // the others are (an exception must not leave a thread).
                calling.samples[i].name = records[i].name;
                calling.samples[i].length = static_cast<int32_t>(records[i].letters.size());
                calling.samples[i].outcome = UnalignedOutcome::NotAligned;
                calling.samples[i].block.clear();
            }
            std::lock_guard<std::mutex> lock(mutex);
            ++done;
            finished.notify_one();
        }
    };
    std::vector<std::thread> pool;
    // The workers are joined however this function is left (a progress
    // callback that throws included).
    struct Joiner {
        std::vector<std::thread>& threads;
        ~Joiner() {
            for (std::thread& t : threads)
                if (t.joinable()) t.join();
        }
    } joiner{pool};
    for (unsigned t = 0; t < threads; ++t) pool.emplace_back(work);
    {
        std::unique_lock<std::mutex> lock(mutex);
        while (done < records.size()) {
            finished.wait_for(lock, std::chrono::milliseconds(100));
            if (progress) {
                const size_t now = done;
                lock.unlock();
                progress(now, records.size());
                lock.lock();
            }
        }
    }
    for (std::thread& t : pool) t.join();
    if (progress) progress(records.size(), records.size());

    calling.list_text = ">" + reference_name + "\nNumbering Reference\n\n";
    for (const UnalignedSample& s : calling.samples) calling.list_text += s.block;
    return calling;
}

int32_t identity_permille(const AlignmentStats& stats) {
    if (stats.compared == 0) return 0;
    return static_cast<int32_t>(int64_t{stats.identical} * 1000 / stats.compared);
}

std::string unaligned_summary(const UnalignedCalling& calling, size_t reference_length) {
    size_t called = 0;
    for (const UnalignedSample& s : calling.samples) called += s.outcome == UnalignedOutcome::Called;
    std::string out = std::to_string(calling.samples.size()) + " sequences were read, " + std::to_string(called) +
                      " aligned to the reference (" + std::to_string(reference_length) + " bases).\n";
    for (const UnalignedSample& s : calling.samples) {
        out += "\n>" + s.name + "\n";
        switch (s.outcome) {
            case UnalignedOutcome::NoLetters: out += "Not aligned: the record holds no letters.\n"; continue;
            case UnalignedOutcome::NoBases: out += "Not aligned: the record holds no A, C, G or T.\n"; continue;
            case UnalignedOutcome::TooLong:
                out += "Not aligned: " + std::to_string(s.length) + " letters, more than twice the reference.\n";
                continue;
            case UnalignedOutcome::NotAligned:
                out += "Not aligned: " + std::to_string(s.length) +
                       " letters, too different from the reference to align.\n";
                continue;
            case UnalignedOutcome::Called: break;
        }
        const int32_t identity = identity_permille(s.stats);
        out += std::to_string(s.length) + " letters, " + std::to_string(s.stats.columns) + " aligned columns, " +
               std::to_string(s.stats.differences) + " differences";
        if (s.stats.ambiguous > 0) out += ", " + std::to_string(s.stats.ambiguous) + " ambiguous";
        out += ", identity " + std::to_string(identity / 10) + "." + std::to_string(identity % 10) + " %";
        if (s.reverse_complement) out += ", reverse complemented";
        if (s.rotation > 0) out += ", rotated (the first " + std::to_string(s.rotation) + " letters moved to the end)";
        out += "\n";
        if (identity < IDENTITY_WARNING_PERMILLE)
            out += "Warning: identity below 90 %; this does not look like a human mitogenome.\n";
        if (s.length < HUMAN_LENGTH_LOW || s.length > HUMAN_LENGTH_HIGH)
            out += "Warning: length outside 15,000-17,500; this does not look like a whole human mitogenome.\n";
    }
    if (called < calling.samples.size()) out += "\nThe sequences not aligned will not be analysed.\n";
    return out;
}

}  // namespace corvella
