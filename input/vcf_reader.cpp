#include "input/vcf_reader.h"

#include <htslib/bgzf.h>
#include <htslib/hfile.h>
#include <htslib/hts.h>
#include <htslib/tbx.h>
#include <htslib/vcf.h>

#include <sys/stat.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

namespace corvella {

namespace {

char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool equal_ignoring_case(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (upper(a[i]) != upper(b[i])) return false;
    return true;
}

// "NC_012920.1" without ".1"; a name without a version as it is.
std::string_view without_version(std::string_view name) {
    const size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot + 1 == name.size()) return name;
    for (size_t i = dot + 1; i < name.size(); ++i)
        if (name[i] < '0' || name[i] > '9') return name;
    return name.substr(0, dot);
}

std::string file_name(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

struct HtsFileCloser {
    void operator()(htsFile* f) const { hts_close(f); }
};
struct HeaderFree {
    void operator()(bcf_hdr_t* h) const { bcf_hdr_destroy(h); }
};
struct RecordFree {
    void operator()(bcf1_t* r) const { bcf_destroy(r); }
};

// The j-th value of type T from a FORMAT vector, which need not be aligned.
template <class T>
T load(const uint8_t* p, int j) {
    T v;
    std::memcpy(&v, p + sizeof(T) * static_cast<size_t>(j), sizeof(T));
    return v;
}

// A per-sample FORMAT field of one record, read in place (no copy of the
// whole field per record).
class FormatField {
public:
    FormatField() = default;
    FormatField(const bcf_hdr_t* hdr, bcf_fmt_t* fmt) : fmt_(fmt) {
        if (fmt_ != nullptr) number_ = bcf_hdr_id2length(hdr, BCF_HL_FMT, fmt_->id);
    }
    bool present() const { return fmt_ != nullptr && fmt_->p != nullptr; }

    // The level of ALT allele `allele` (1-based) of `sample` among `alt_count`
    // ALT alleles: Number=A takes value allele, Number=R value allele + 1, any
    // other Number only a single value when there is a single ALT. Missing and
    // non-numeric values give nothing.
    std::optional<float> level(int sample, int allele, int alt_count) const {
        if (!present()) return std::nullopt;
        int index;
        if (number_ == BCF_VL_A) {
            index = allele - 1;
        } else if (number_ == BCF_VL_R) {
            index = allele;
        } else {
            if (alt_count != 1 || value_count(sample) != 1) return std::nullopt;
            index = 0;
        }
        return value(sample, index);
    }

private:
    bcf_fmt_t* fmt_ = nullptr;
    int number_ = 0;

    const uint8_t* sample_data(int sample) const {
        return fmt_->p + static_cast<size_t>(sample) * static_cast<size_t>(fmt_->size);
    }

    // How many values the sample gives (the vector may be padded at its end).
    int value_count(int sample) const {
        if (fmt_->type == BCF_BT_CHAR) {
            const char* s = reinterpret_cast<const char*>(sample_data(sample));
            const size_t n = strnlen(s, static_cast<size_t>(fmt_->size));
            if (n == 0) return 0;
            int count = 1;
            for (size_t i = 0; i < n; ++i) count += s[i] == ',';
            return count;
        }
        int count = 0;
        for (int j = 0; j < fmt_->n; ++j) {
            if (is_vector_end(j, sample)) break;
            ++count;
        }
        return count;
    }

    bool is_vector_end(int j, int sample) const {
        const uint8_t* p = sample_data(sample);
        switch (fmt_->type) {
            case BCF_BT_INT8: return load<int8_t>(p, j) == bcf_int8_vector_end;
            case BCF_BT_INT16: return load<int16_t>(p, j) == bcf_int16_vector_end;
            case BCF_BT_INT32: return load<int32_t>(p, j) == bcf_int32_vector_end;
            case BCF_BT_FLOAT: {
                return bcf_float_is_vector_end(load<float>(p, j));
            }
            default: return true;
        }
    }

    std::optional<float> value(int sample, int j) const {
        if (j < 0) return std::nullopt;
        const uint8_t* p = sample_data(sample);
        if (fmt_->type == BCF_BT_CHAR) return string_value(reinterpret_cast<const char*>(p), j);
        if (j >= fmt_->n || is_vector_end(j, sample)) return std::nullopt;
        switch (fmt_->type) {
            case BCF_BT_INT8: {
                const int8_t v = load<int8_t>(p, j);
                if (v == bcf_int8_missing) return std::nullopt;
                return static_cast<float>(v);
            }
            case BCF_BT_INT16: {
                const int16_t v = load<int16_t>(p, j);
                if (v == bcf_int16_missing) return std::nullopt;
                return static_cast<float>(v);
            }
            case BCF_BT_INT32: {
                const int32_t v = load<int32_t>(p, j);
                if (v == bcf_int32_missing) return std::nullopt;
                return static_cast<float>(v);
            }
            case BCF_BT_FLOAT: {
                const float f = load<float>(p, j);
                if (bcf_float_is_missing(f) || std::isnan(f)) return std::nullopt;
                return f;
            }
            default: return std::nullopt;
        }
    }

    // A field the header does not declare is kept as text; its values still
    // read when they are numbers.
    std::optional<float> string_value(const char* s, int j) const {
        const size_t n = strnlen(s, static_cast<size_t>(fmt_->size));
        std::string_view text(s, n);
        for (int k = 0; k < j; ++k) {
            const size_t comma = text.find(',');
            if (comma == std::string_view::npos) return std::nullopt;
            text.remove_prefix(comma + 1);
        }
        text = text.substr(0, text.find(','));
        if (text.empty() || text == ".") return std::nullopt;
        const std::string word(text);
        char* end = nullptr;
        const float v = std::strtof(word.c_str(), &end);
        if (end != word.c_str() + word.size() || std::isnan(v)) return std::nullopt;
        return v;
    }
};

// The genotype of one sample: the alleles it calls, missing ones left out.
struct Genotype {
    std::vector<int> called;  // reused from sample to sample
    bool only(int allele) const {
        if (called.empty()) return false;
        for (int a : called)
            if (a != allele) return false;
        return true;
    }
    bool names(int allele) const {
        for (int a : called)
            if (a == allele) return true;
        return false;
    }
};

// Alleles past the record's ALT alleles name nothing and count as missing.
void read_genotype(const bcf_fmt_t* gt, int sample, int alt_count, Genotype& g) {
    g.called.clear();
    const uint8_t* p = gt->p + static_cast<size_t>(sample) * static_cast<size_t>(gt->size);
    for (int j = 0; j < gt->n; ++j) {
        int32_t v;
        switch (gt->type) {
            case BCF_BT_INT8: v = load<int8_t>(p, j); if (v == bcf_int8_vector_end) return; break;
            case BCF_BT_INT16: v = load<int16_t>(p, j); if (v == bcf_int16_vector_end) return; break;
            case BCF_BT_INT32: v = load<int32_t>(p, j); if (v == bcf_int32_vector_end) return; break;
            default: return;
        }
        if (bcf_gt_is_missing(v)) continue;
        const int allele = bcf_gt_allele(v);
        if (allele < 0 || allele > alt_count) continue;
        g.called.push_back(allele);
    }
}

// Whether the sample's genotype is called and names only the reference
// allele (0, 0/0, 0|0): such a call adds nothing, and read_genotype would
// find exactly that.
bool reference_call(const bcf_fmt_t* gt, int sample) {
    if (gt->type != BCF_BT_INT8) return false;
    const auto* p = reinterpret_cast<const int8_t*>(gt->p + static_cast<size_t>(sample) * static_cast<size_t>(gt->size));
    int called = 0;
    for (int j = 0; j < gt->n; ++j) {
        if (p[j] == bcf_int8_vector_end) break;
        if (bcf_gt_allele(p[j]) != 0) return false;  // another allele, or missing
        ++called;
    }
    return called > 0;
}

// What one ALT allele becomes in the list.
struct AlleleUse {
    enum Kind { Skip, Snvs, Token } kind = Skip;
    std::vector<std::pair<int32_t, char>> snvs;  // (position, base)
    std::string token;                           // insertion or deletion token with its blank
};

bool all_acgt(std::string_view s) {
    for (char c : s)
        if (c != 'A' && c != 'C' && c != 'G' && c != 'T') return false;
    return !s.empty();
}

void classify_allele(std::string_view ref_in, std::string_view alt_in, int64_t pos, AlleleUse& use,
                     std::string& ref, std::string& alt) {
    use.kind = AlleleUse::Skip;
    use.snvs.clear();
    use.token.clear();
    ref.assign(ref_in);
    alt.assign(alt_in);
    for (char& c : ref) c = upper(c);
    for (char& c : alt) c = upper(c);
    if (!all_acgt(alt)) return;  // *, <DEL>, <NON_REF>, N, IUPAC codes
    const auto p = static_cast<int32_t>(pos);
    if (ref.size() == alt.size()) {
        for (size_t k = 0; k < ref.size(); ++k)
            if (ref.size() == 1 || ref[k] != alt[k]) use.snvs.emplace_back(p + static_cast<int32_t>(k), alt[k]);
        if (!use.snvs.empty()) use.kind = AlleleUse::Snvs;
        return;
    }
    if (ref.size() == 1 && alt.size() > 1 && alt[0] == ref[0]) {
        use.token = std::to_string(p) + "ins" + alt.substr(1) + ' ';
        use.kind = AlleleUse::Token;
    } else if (alt.size() == 1 && ref.size() > 1 && alt[0] == ref[0]) {
        use.token = std::to_string(p + 1) + "del" + ref.substr(1) + ' ';
        use.kind = AlleleUse::Token;
    }
}

// The mitochondrial contigs of a header, by contig id; records may add
// contigs the header does not declare, so the table grows on demand.
class ContigTable {
public:
    ContigTable(const bcf_hdr_t* hdr, const std::string& accession) : hdr_(hdr), accession_(accession) {}
    bool mitochondrial(int rid) {
        if (rid < 0) return false;
        if (static_cast<size_t>(rid) >= known_.size()) known_.resize(static_cast<size_t>(rid) + 1, -1);
        int8_t& k = known_[static_cast<size_t>(rid)];
        if (k < 0) {
            const char* name = bcf_hdr_id2name(hdr_, rid);
            k = name != nullptr && is_mitochondrial_contig(name, accession_) ? 1 : 0;
        }
        return k == 1;
    }

private:
    const bcf_hdr_t* hdr_;
    const std::string& accession_;
    std::vector<int8_t> known_;
};

// A declared length of the mitochondrial contig that is not the reference's:
// the file is numbered on another sequence. Empty when all agree.
std::string length_refusal(const bcf_hdr_t* hdr, const std::string& name, const ReferenceView& reference) {
    const int n = hdr->n[BCF_DT_CTG];
    for (int i = 0; i < n; ++i) {
        const char* contig = hdr->id[BCF_DT_CTG][i].key;
        if (contig == nullptr || !is_mitochondrial_contig(contig, reference.accession)) continue;
        const uint64_t length = hdr->id[BCF_DT_CTG][i].val != nullptr ? hdr->id[BCF_DT_CTG][i].val->info[0] : 0;
        if (length == 0 || length == reference.letters.size()) continue;
        return name + ": the header declares contig " + contig + " with " + std::to_string(length) +
               " bases, but the loaded reference has " + std::to_string(reference.letters.size()) +
               ": the file is numbered on another sequence (hg19's chrM has 16571 bases and is not rCRS) "
               "and cannot be read against this reference.";
    }
    return {};
}

constexpr int64_t THREADED_FILE_BYTES = int64_t{1} << 20;

int64_t file_bytes(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 ? static_cast<int64_t>(st.st_size) : 0;
}

VariantReadResult refuse(std::string message) { return VariantReadResult{false, std::move(message)}; }

}  // namespace

bool is_mitochondrial_contig(std::string_view chrom, const std::string& accession) {
    static constexpr std::string_view NAMES[] = {"chrM", "M", "MT", "chrMT", "NC_012920", "NC_012920.1", "rCRS"};
    for (std::string_view n : NAMES)
        if (equal_ignoring_case(chrom, n)) return true;
    if (accession.empty()) return false;
    return equal_ignoring_case(chrom, accession) || equal_ignoring_case(without_version(chrom), without_version(accession));
}

bool ref_matches_reference(std::string_view ref, int64_t position, std::string_view reference) {
    if (ref.empty() || position < 1) return false;
    if (static_cast<uint64_t>(position - 1) + ref.size() > reference.size()) return false;
    for (size_t k = 0; k < ref.size(); ++k) {
        const char a = upper(ref[k]);
        const char b = reference[static_cast<size_t>(position - 1) + k];
        if (a != b && a != 'N' && b != 'N') return false;
    }
    return true;
}

VariantReadResult read_vcf_file(const std::string& path, const ReferenceView& reference,
                                const VariantReadOptions& options, htsThreadPool* pool,
                                const std::function<void(int64_t)>& progress,
                                std::vector<ConvertedSample>& samples, ImportSummary& summary) {
    // Problems come back as values with our own words; htslib's own
    // warnings would only repeat them on stderr.
    hts_set_log_level(HTS_LOG_OFF);
    const std::string name = file_name(path);
    std::unique_ptr<htsFile, HtsFileCloser> fp(hts_open(path.c_str(), "r"));
    if (!fp) return refuse(name + ": File cannot be opened.");
    const htsFormat* format = hts_get_format(fp.get());
    if (format->format != vcf && format->format != bcf) return refuse(name + ": not a VCF or BCF file.");
    BGZF* const blocks = hts_get_bgzfp(fp.get());
    if (format->compression == bgzf && blocks != nullptr && bgzf_check_EOF(blocks) == 0)
        return refuse(name + ": the compressed file has no end marker: it is cut short.");
    // Decompression threads pay off on large files only; for the small
    // per-sample files of a cohort read through @PATHS, setting them up
    // costs more than the file.
    if (pool != nullptr && format->compression == bgzf && file_bytes(path) >= THREADED_FILE_BYTES)
        hts_set_thread_pool(fp.get(), pool);
    // Where the reading is in the file, for the progress window.
    hFILE* const raw = blocks != nullptr ? blocks->fp : format->compression == no_compression ? fp->fp.hfile : nullptr;

    std::unique_ptr<bcf_hdr_t, HeaderFree> hdr(bcf_hdr_read(fp.get()));
    if (!hdr) return refuse(name + ": the VCF header cannot be read (it must end with the #CHROM line).");
    const int sample_count = bcf_hdr_nsamples(hdr.get());
    if (sample_count == 0)
        return refuse(name + ": the VCF has no sample columns; Corvella reads the calls of samples.");
    if (std::string m = length_refusal(hdr.get(), name, reference); !m.empty()) return refuse(m);

    const size_t first = samples.size();
    samples.resize(first + static_cast<size_t>(sample_count));
    for (int s = 0; s < sample_count; ++s) samples[first + static_cast<size_t>(s)].name = hdr->samples[s];
    summary.samples += sample_count;

    const float min_level = static_cast<float>(options.min_level);
    const int pass_id = bcf_hdr_id2int(hdr.get(), BCF_DT_ID, "PASS");
    ContigTable contigs(hdr.get(), reference.accession);
    std::unique_ptr<bcf1_t, RecordFree> rec(bcf_init());
    std::vector<AlleleUse> uses;
    Genotype g;
    std::string ref_buffer, alt_buffer;
    // This file's own counts for the refusal of a file numbered elsewhere.
    int64_t ref_compared = 0, ref_matched = 0, record_count = 0;

    int r;
    while ((r = bcf_read(fp.get(), hdr.get(), rec.get())) == 0) {
        ++record_count;
        ++summary.records;
        if (progress && (record_count & 1023) == 0 && raw != nullptr) progress(htell(raw));
        // A contig or tag the header does not declare is added by htslib and
        // the record stays whole; any other error leaves it unusable.
        if ((rec->errcode & ~(BCF_ERR_CTG_UNDEF | BCF_ERR_TAG_UNDEF)) != 0) return refuse(name + ": record " + std::to_string(record_count) + " cannot be read.");
        if (!contigs.mitochondrial(rec->rid)) {
            ++summary.other_contig;
            continue;
        }
        bcf_unpack(rec.get(), BCF_UN_FLT);
        // A line cut short before its REF column reads as a record without alleles.
        if (rec->n_allele < 1 || rec->d.allele == nullptr || rec->d.allele[0] == nullptr)
            return refuse(name + ": record " + std::to_string(record_count) + " cannot be read.");
        const int64_t pos = rec->pos + 1;
        if (pos < 1 || pos > static_cast<int64_t>(reference.letters.size())) {
            ++summary.outside_reference;
            continue;
        }
        const std::string_view ref = rec->d.allele[0];
        ++ref_compared;
        if (!ref_matches_reference(ref, pos, reference.letters)) {
            ++summary.ref_mismatch;
            continue;
        }
        ++ref_matched;
        const bool passed = rec->d.n_flt == 0 || (rec->d.n_flt == 1 && rec->d.flt[0] == pass_id);
        if (!passed && !options.include_filtered) {
            ++summary.filtered;
            continue;
        }
        const int alt_count = rec->n_allele - 1;
        if (alt_count <= 0) continue;
        if (uses.size() < static_cast<size_t>(alt_count)) uses.resize(static_cast<size_t>(alt_count));
        bool any = false;
        for (int i = 1; i <= alt_count; ++i) {
            AlleleUse& use = uses[static_cast<size_t>(i - 1)];
            classify_allele(ref, rec->d.allele[i], pos, use, ref_buffer, alt_buffer);
            if (use.kind == AlleleUse::Skip) {
                ++summary.other_shapes;
            } else {
                any = true;
            }
        }
        if (!any) continue;

        bcf_unpack(rec.get(), BCF_UN_FMT);
        const bcf_fmt_t* gt = bcf_get_fmt(hdr.get(), rec.get(), "GT");
        if (gt != nullptr && gt->p == nullptr) gt = nullptr;
        const FormatField af(hdr.get(), bcf_get_fmt(hdr.get(), rec.get(), "AF"));
        const FormatField hf(hdr.get(), bcf_get_fmt(hdr.get(), rec.get(), "HF"));
        const FormatField vaf(hdr.get(), bcf_get_fmt(hdr.get(), rec.get(), "VAF"));
        const bool has_levels = af.present() || hf.present() || vaf.present();

        for (int s = 0; s < sample_count; ++s) {
            if (gt != nullptr && reference_call(gt, s)) continue;  // most samples of most records
            if (gt != nullptr) {
                read_genotype(gt, s, alt_count, g);
                if (g.called.empty()) {
                    ++summary.missing_genotype;
                    continue;
                }
            }
            ConvertedSample& sample = samples[first + static_cast<size_t>(s)];
            for (int i = 1; i <= alt_count; ++i) {
                const AlleleUse& use = uses[static_cast<size_t>(i - 1)];
                if (use.kind == AlleleUse::Skip) continue;
                if (gt != nullptr && !g.names(i)) continue;
                std::optional<float> level;
                if (has_levels) {
                    level = af.level(s, i, alt_count);
                    if (!level) level = hf.level(s, i, alt_count);
                    if (!level) level = vaf.level(s, i, alt_count);
                }
                float kept;
                if (gt == nullptr) {
                    // Without a genotype the level alone decides.
                    if (!level) {
                        ++summary.missing_genotype;
                        continue;
                    }
                    if (!(*level >= min_level && *level > 0)) {
                        ++summary.below_level;
                        continue;
                    }
                    kept = *level;
                } else if (level) {
                    if (!(*level >= min_level)) {
                        ++summary.below_level;
                        continue;
                    }
                    kept = *level;
                } else if (g.only(i)) {
                    kept = 1.0f;  // 1, 1/1, 1|1: the sample's own sequence
                } else if (min_level <= 0) {
                    kept = 0.0f;  // 0/1 without a level: some share, unknown
                } else {
                    ++summary.below_level;
                    continue;
                }
                if (use.kind == AlleleUse::Token) {
                    sample.tokens += use.token;
                    ++summary.indel_tokens;
                    continue;
                }
                for (const auto& [p, b] : use.snvs) {
                    append_snv_token(sample.tokens, p, b, reference.letters);
                    sample.levels.push_back(kept);
                    ++summary.calls;
                }
            }
        }
    }
    if (r < -1) return refuse(name + ": the file is damaged or cut short after record " + std::to_string(record_count) + ".");
    if (ref_compared > 0 && ref_matched == 0)
        return refuse(name + ": no record's REF matches the loaded reference: the file is numbered on another sequence.");
    if (progress && raw != nullptr) progress(htell(raw));
    return {};
}

}  // namespace corvella
