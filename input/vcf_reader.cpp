#include "input/vcf_reader.h"

#include <htslib/bgzf.h>
#include <htslib/hfile.h>
#include <htslib/hts.h>
#include <htslib/kseq.h>
#include <htslib/tbx.h>
#include <htslib/vcf.h>

#include <sys/stat.h>
#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <unordered_map>

#include "input/list_tokens.h"

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

// Which value of a field with this header Number holds ALT allele `allele`
// (1-based) among `alt_count` ALT alleles: Number=A value allele - 1,
// Number=R value allele, any other Number only a single value when there is
// a single ALT. Nothing when the field has no such value.
std::optional<int> allele_value_index(int number, int allele, int alt_count, int values) {
    if (number == BCF_VL_A) return allele - 1;
    if (number == BCF_VL_R) return allele;
    if (alt_count != 1 || values != 1) return std::nullopt;
    return 0;
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

    // Whether the sample gives as many values as the header's Number says
    // for a record of `alt_count` ALT alleles (A: one per ALT, R: one more).
    // No value, or a single missing one, is a missing field and fits. On a
    // misfit `given` and `needed` say the counts.
    bool count_fits(int sample, int alt_count, int& given, int& needed) const {
        if (!present() || fmt_->type == BCF_BT_CHAR) return true;
        if (number_ == BCF_VL_A) {
            needed = alt_count;
        } else if (number_ == BCF_VL_R) {
            needed = alt_count + 1;
        } else {
            return true;
        }
        given = value_count(sample);
        if (given == 0 || given == needed) return true;
        return given == 1 && !value(sample, 0);
    }
    const char* number_text() const { return number_ == BCF_VL_A ? "Number=A" : "Number=R"; }

    // The level of ALT allele `allele` (1-based) of `sample` among `alt_count`
    // ALT alleles (allele_value_index). Missing and non-numeric values give
    // nothing.
    std::optional<float> level(int sample, int allele, int alt_count) const {
        if (!present()) return std::nullopt;
        const std::optional<int> index = allele_value_index(number_, allele, alt_count, value_count(sample));
        if (!index) return std::nullopt;
        return value(sample, *index);
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

// The genotype's called alleles; false, with the allele in `beyond`, when
// one names an allele past the record's ALT alleles.
bool read_genotype(const bcf_fmt_t* gt, int sample, int alt_count, Genotype& g, int& beyond) {
    g.called.clear();
    const uint8_t* p = gt->p + static_cast<size_t>(sample) * static_cast<size_t>(gt->size);
    for (int j = 0; j < gt->n; ++j) {
        int32_t v;
        switch (gt->type) {
            case BCF_BT_INT8: v = load<int8_t>(p, j); if (v == bcf_int8_vector_end) return true; break;
            case BCF_BT_INT16: v = load<int16_t>(p, j); if (v == bcf_int16_vector_end) return true; break;
            case BCF_BT_INT32: v = load<int32_t>(p, j); if (v == bcf_int32_vector_end) return true; break;
            default: return true;
        }
        if (bcf_gt_is_missing(v)) continue;
        const int allele = bcf_gt_allele(v);
        if (allele < 0) continue;
        if (allele > alt_count) {
            beyond = allele;
            return false;
        }
        g.called.push_back(allele);
    }
    return true;
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
    enum Kind { Skip, Snvs, Token, Placeholder } kind = Skip;
    std::vector<std::pair<int32_t, char>> snvs;  // (position, base)
    std::string token;                           // insertion or deletion token with its blank
};

bool all_acgt(std::string_view s) {
    for (char c : s)
        if (c != 'A' && c != 'C' && c != 'G' && c != 'T') return false;
    return !s.empty();
}

// Single-base changes at an N of the reference (rCRS's placeholder 3107)
// are never variants: they are left out and `placeholder` is set.
void classify_allele(std::string_view ref_in, std::string_view alt_in, int64_t pos, std::string_view reference,
                     AlleleUse& use, std::string& ref, std::string& alt, int32_t& placeholder) {
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
        bool dropped = false;
        int32_t dropped_at = 0;
        for (size_t k = 0; k < ref.size(); ++k) {
            if (ref.size() != 1 && ref[k] == alt[k]) continue;
            const int32_t at = p + static_cast<int32_t>(k);
            if (reference[static_cast<size_t>(at - 1)] == 'N') {
                dropped = true;
                dropped_at = at;
                continue;
            }
            use.snvs.emplace_back(at, alt[k]);
        }
        if (!use.snvs.empty()) use.kind = AlleleUse::Snvs;
        if (dropped) {
            placeholder = dropped_at;
            if (use.snvs.empty()) use.kind = AlleleUse::Placeholder;
        }
        return;
    }
    if (ref.size() == 1 && alt.size() > 1 && alt[0] == ref[0]) {
        use.token = std::to_string(p) + "ins" + alt.substr(1);
    } else if (alt.size() == 1 && ref.size() > 1 && alt[0] == ref[0]) {
        use.token = std::to_string(p + 1) + "del" + ref.substr(1);
    } else {
        return;
    }
    // Only a token the list reader reads back as this indel, so that the
    // indel levels stay in step with the indel calls.
    if (read_indel_token(use.token, reference)) {
        use.token += ' ';
        use.kind = AlleleUse::Token;
    } else {
        use.token.clear();
    }
}

// A contig name made of printable characters; a line of binary bytes gives
// a CHROM that is not.
bool is_text_name(const char* name) {
    if (name == nullptr || *name == 0) return false;
    for (const char* c = name; *c != 0; ++c)
        if (static_cast<unsigned char>(*c) < 0x21 || static_cast<unsigned char>(*c) > 0x7e) return false;
    return true;
}

// What the CHROM of each contig id is; records may add contigs the header
// does not declare, so the table grows on demand.
enum class ContigKind : int8_t { Unknown = -1, Other = 0, Mitochondrial = 1, NotText = 2, Empty = 3 };

class ContigTable {
public:
    ContigTable(const bcf_hdr_t* hdr, const std::string& accession) : hdr_(hdr), accession_(accession) {}
    ContigKind kind(int rid) {
        if (rid < 0) return ContigKind::NotText;
        if (static_cast<size_t>(rid) >= known_.size()) known_.resize(static_cast<size_t>(rid) + 1, ContigKind::Unknown);
        ContigKind& k = known_[static_cast<size_t>(rid)];
        if (k == ContigKind::Unknown) {
            const char* name = bcf_hdr_id2name(hdr_, rid);
            if (name == nullptr || *name == 0) {
                k = ContigKind::Empty;
            } else if (!is_text_name(name)) {
                k = ContigKind::NotText;
            } else {
                k = is_mitochondrial_contig(name, accession_) ? ContigKind::Mitochondrial : ContigKind::Other;
            }
        }
        return k;
    }

private:
    const bcf_hdr_t* hdr_;
    const std::string& accession_;
    std::vector<ContigKind> known_;
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

// A piece of a line as a message shows it: at most 40 characters, bytes
// that are not printable as \xNN.
std::string shown(std::string_view text) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out = "\"";
    const size_t n = std::min<size_t>(text.size(), 40);
    for (size_t i = 0; i < n; ++i) {
        const auto u = static_cast<unsigned char>(text[i]);
        if (u >= 0x20 && u < 0x7f) {
            out += static_cast<char>(u);
        } else {
            out += "\\x";
            out += hex[u >> 4];
            out += hex[u & 15];
        }
    }
    if (text.size() > n) out += "...";
    return out + "\"";
}

// The lines of a text VCF (plain or compressed) through htslib, for the
// messages that must say where: read only when a file is refused.
class LineWalk {
public:
    explicit LineWalk(const std::string& path) : fp_(hts_open(path.c_str(), "r")) {}
    ~LineWalk() { free(line_.s); }
    LineWalk(const LineWalk&) = delete;
    LineWalk& operator=(const LineWalk&) = delete;
    bool next(std::string_view& line) {
        if (!fp_ || hts_getline(fp_.get(), KS_SEP_LINE, &line_) < 0) return false;
        ++number_;
        line = std::string_view(line_.s, line_.l);
        return true;
    }
    int64_t number() const { return number_; }
    std::string_view current() const { return std::string_view(line_.s != nullptr ? line_.s : "", line_.l); }

private:
    std::unique_ptr<htsFile, HtsFileCloser> fp_;
    kstring_t line_{0, 0, nullptr};
    int64_t number_ = 0;
};

bool starts_with(std::string_view s, std::string_view head) { return s.substr(0, head.size()) == head; }

// The lines of the header, the #CHROM line included.
int64_t header_lines(const std::string& path) {
    LineWalk walk(path);
    std::string_view line;
    while (walk.next(line)) {
        if (starts_with(line, "#CHROM")) return walk.number();
        if (!starts_with(line, "#")) return walk.number() - 1;
    }
    return walk.number();
}

// Why htslib could not read the header of a text VCF.
std::string header_problem(const std::string& path) {
    LineWalk walk(path);
    std::string_view line;
    while (walk.next(line)) {
        const std::string at = "line " + std::to_string(walk.number());
        if (starts_with(line, "#CHROM")) {
            std::vector<std::string_view> columns;
            size_t start = 0;
            for (;;) {
                const size_t tab = line.find('\t', start);
                columns.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
                if (tab == std::string_view::npos) break;
                start = tab + 1;
            }
            if (columns.size() < 8)
                return at + ": the #CHROM line has " + std::to_string(columns.size()) +
                       " columns separated by tabs; a VCF has at least 8.";
            for (size_t i = 9; i < columns.size(); ++i)
                for (size_t j = 9; j < i; ++j)
                    if (columns[i] == columns[j])
                        return at + ": the sample name " + shown(columns[i]) + " is given twice (columns " +
                               std::to_string(j + 1) + " and " + std::to_string(i + 1) +
                               "); every sample column needs its own name.";
            return at + ": the header before it cannot be read.";
        }
        if (!starts_with(line, "#"))
            return at + ": a line that is not a header line comes before the #CHROM line; the VCF header must end "
                        "with the #CHROM line.";
    }
    return "the header has no #CHROM line; the VCF header must end with it.";
}

// Why a file is not VCF or BCF as htslib sees it.
std::string why_not_vcf(const std::string& path) {
    gzFile f = gzopen(path.c_str(), "rb");
    if (f == nullptr) return "it cannot be read.";
    unsigned char magic[2] = {0, 0};
    FILE* raw = std::fopen(path.c_str(), "rb");
    const bool gzip = raw != nullptr && std::fread(magic, 1, 2, raw) == 2 && magic[0] == 0x1f && magic[1] == 0x8b;
    if (raw != nullptr) std::fclose(raw);
    std::string head(4096, '\0');
    const int got = gzread(f, head.data(), static_cast<unsigned>(head.size()));
    int errnum = Z_OK;
    const char* zmessage = gzerror(f, &errnum);
    std::string zlib_reason = zmessage != nullptr ? zmessage : "";
    // zlib puts the path before its reason.
    if (zlib_reason.compare(0, path.size() + 2, path + ": ") == 0) zlib_reason.erase(0, path.size() + 2);
    gzclose(f);
    if (gzip && (got < 0 || (errnum != Z_OK && errnum != Z_BUF_ERROR)))
        return "the file is gzip-compressed, but its data is damaged (" + zlib_reason + ") and cannot be decompressed.";
    head.resize(got > 0 ? static_cast<size_t>(got) : 0);
    if (head.empty()) return gzip ? "the compressed data holds nothing." : "the file is empty.";
    const std::string_view first = std::string_view(head).substr(0, head.find('\n'));
    for (char c : first)
        if ((static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\r') || c == 0x7f)
            return std::string(gzip ? "once decompressed, " : "") + "line 1 holds bytes that are not text (" +
                   shown(first) + ").";
    return std::string(gzip ? "once decompressed, " : "") + "line 1 is " + shown(first) +
           ", but a VCF begins with the line ##fileformat=VCFv4.x.";
}

// Whether the file's last byte is a line feed.
bool ends_with_line_end(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) return true;  // reading it will say what is wrong
    const bool last = std::fseek(f, -1, SEEK_END) == 0 && std::fgetc(f) == '\n';
    std::fclose(f);
    return last;
}

// What htslib's error bits of a record say.
std::string record_error_text(int errcode) {
    if ((errcode & BCF_ERR_NCOLS) != 0) return "it has too few columns";
    if ((errcode & BCF_ERR_LIMITS) != 0) return "a value is past the limits of a VCF record";
    if ((errcode & BCF_ERR_CHAR) != 0) return "it holds a character a VCF record does not allow";
    if ((errcode & BCF_ERR_CTG_INVALID) != 0) return "its CHROM is not a valid contig name";
    if ((errcode & BCF_ERR_TAG_INVALID) != 0) return "an INFO or FORMAT field does not fit its header line";
    return "it cannot be read";
}

// Where record `k` (1-based) of a file is: its line for a text VCF, its
// number for BCF. The line is counted only when a message needs it.
class Place {
public:
    Place(const std::string& path, bool text) : path_(path), text_(text) {}
    std::string operator()(int64_t record) {
        if (!text_) return "record " + std::to_string(record);
        return "line " + std::to_string(line_number(record));
    }

    // The columns of record `record` of a text VCF, by its tabs. Records are
    // asked for in file order, so one walk through the file serves them all.
    int64_t columns(int64_t record) {
        const int64_t wanted = line_number(record);
        if (!walk_) walk_ = std::make_unique<LineWalk>(path_);
        std::string_view line;
        while (walk_->number() < wanted)
            if (!walk_->next(line)) return 0;
        if (walk_->number() != wanted) return 0;
        line = walk_->current();
        return static_cast<int64_t>(std::count(line.begin(), line.end(), '\t')) + 1;
    }

private:
    int64_t line_number(int64_t record) {
        if (header_ < 0) header_ = header_lines(path_);
        return header_ + record;
    }
    const std::string& path_;
    bool text_;
    int64_t header_ = -1;
    std::unique_ptr<LineWalk> walk_;
};

// The level of ALT allele `allele` from an INFO field (Number=A, or one
// value for a single ALT).
std::optional<float> info_level(const bcf_hdr_t* hdr, bcf_info_t* info, int allele, int alt_count) {
    if (info == nullptr || info->len <= 0) return std::nullopt;
    const std::optional<int> index =
        allele_value_index(bcf_hdr_id2length(hdr, BCF_HL_INFO, info->key), allele, alt_count, info->len);
    if (!index || *index < 0 || *index >= info->len) return std::nullopt;
    if (info->type == BCF_BT_FLOAT) {
        const float f = load<float>(info->vptr, *index);
        if (bcf_float_is_missing(f) || bcf_float_is_vector_end(f) || std::isnan(f)) return std::nullopt;
        return f;
    }
    return std::nullopt;
}

// The first REFs unlike the reference, for the refusal of a file numbered
// on another sequence.
struct Mismatch {
    int64_t position;
    std::string ref, reference;
};

std::string mismatch_refusal(const std::string& name, const std::string& contig, int64_t unlike, int64_t compared,
                             const std::vector<Mismatch>& first) {
    const int64_t percent = (unlike * 100 + compared / 2) / compared;
    std::string text = name + ": " + std::to_string(unlike) + " of " + std::to_string(compared) + " records on " +
                       contig + " (" + std::to_string(percent) + " %) have a REF unlike the loaded reference (";
    for (size_t i = 0; i < first.size(); ++i) {
        if (i > 0) text += "; ";
        text += std::to_string(first[i].position) + ": REF " + first[i].ref + ", reference " + first[i].reference;
    }
    return text + "): the file looks numbered on another reference and is not read.";
}

// Two names of one contig: the same ignoring case and version.
bool same_contig_name(std::string_view a, std::string_view b) {
    return equal_ignoring_case(without_version(a), without_version(b));
}

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
    {
        struct stat st {};
        if (stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_size == 0)
            return refuse(name + ": the file is empty (0 bytes): there is nothing to read.");
    }
    std::unique_ptr<htsFile, HtsFileCloser> fp(hts_open(path.c_str(), "r"));
    if (!fp) return refuse(name + ": File cannot be opened.");
    const htsFormat* format = hts_get_format(fp.get());
    if (format->format != vcf && format->format != bcf)
        return refuse(name + ": not a VCF or BCF file: " + why_not_vcf(path));
    const bool text = format->format == vcf;
    BGZF* const blocks = hts_get_bgzfp(fp.get());
    if (format->compression == bgzf && blocks != nullptr && bgzf_check_EOF(blocks) == 0)
        return refuse(name + ": the compressed file has no end marker: it is cut short.");
    // A plain text cut short ends inside its last line, and what is left of
    // that line may still read as a record.
    if (format->compression == no_compression && text && !ends_with_line_end(path)) {
        LineWalk walk(path);
        std::string_view line;
        while (walk.next(line)) {}
        return refuse(name + ": line " + std::to_string(walk.number()) +
                      ", the last, has no line end: the file looks cut short.");
    }
    // Decompression threads pay off on large files only; for the small
    // per-sample files of a cohort read through @PATHS, setting them up
    // costs more than the file.
    if (pool != nullptr && format->compression == bgzf && file_bytes(path) >= THREADED_FILE_BYTES)
        hts_set_thread_pool(fp.get(), pool);
    // Where the reading is in the file, for the progress window.
    hFILE* const raw = blocks != nullptr ? blocks->fp : format->compression == no_compression ? fp->fp.hfile : nullptr;

    std::unique_ptr<bcf_hdr_t, HeaderFree> hdr(bcf_hdr_read(fp.get()));
    if (!hdr) return refuse(name + ": " + (text ? header_problem(path) : std::string("the BCF header cannot be read.")));
    const int column_count = bcf_hdr_nsamples(hdr.get());
    if (column_count == 0 && !options.records_only)
        return refuse(name + ": the VCF has no sample columns; Corvella reads the calls of samples.");
    if (std::string m = length_refusal(hdr.get(), name, reference); !m.empty()) return refuse(m);
    // The long form: one column, and FORMAT/SM names each record's sample.
    const int sm_id = bcf_hdr_id2int(hdr.get(), BCF_DT_ID, "SM");
    const bool long_form = column_count == 1 && sm_id >= 0 && bcf_hdr_idinfo_exists(hdr.get(), BCF_HL_FMT, sm_id);
    std::unordered_map<std::string, size_t> sample_of;  // long form: SM value to sample index

    const size_t first = samples.size();
    if (!long_form) {
        samples.resize(first + static_cast<size_t>(column_count));
        for (int s = 0; s < column_count; ++s) samples[first + static_cast<size_t>(s)].name = hdr->samples[s];
        summary.samples += column_count;
    }

    const float min_level = static_cast<float>(options.min_level);
    const int pass_id = bcf_hdr_id2int(hdr.get(), BCF_DT_ID, "PASS");
    ContigTable contigs(hdr.get(), reference.accession);
    std::unique_ptr<bcf1_t, RecordFree> rec(bcf_init());
    std::vector<AlleleUse> uses;
    Genotype g;
    std::string ref_buffer, alt_buffer;
    Place place(path, text);
    std::vector<uint8_t>* const record_use = options.record_use;
    // This file's own counts for the refusal of a file numbered elsewhere.
    int64_t ref_compared = 0, ref_unlike = 0, record_count = 0, records_usable = 0, empty_lines = 0;
    std::vector<Mismatch> first_unlike;
    int mito_rid = -1;
    int64_t mito_record = 0;

    int r;
    while ((r = bcf_read(fp.get(), hdr.get(), rec.get())) == 0) {
        ++record_count;
        if (record_use != nullptr) record_use->push_back(0);
        if (progress && (record_count & 1023) == 0 && raw != nullptr) progress(htell(raw));
        const ContigKind contig = contigs.kind(rec->rid);
        // htslib reads an empty line as a record without CHROM or alleles.
        if (contig == ContigKind::Empty && rec->n_allele == 0) {
            ++summary.empty_lines;
            ++empty_lines;
            continue;
        }
        ++summary.records;
        // A contig or tag the header does not declare is added by htslib and
        // the record stays whole; any other error leaves it unusable.
        if ((rec->errcode & ~(BCF_ERR_CTG_UNDEF | BCF_ERR_TAG_UNDEF)) != 0)
            return refuse(name + ": " + place(record_count) + " cannot be read: " + record_error_text(rec->errcode) + ".");
        if (contig == ContigKind::NotText || contig == ContigKind::Empty)
            return refuse(name + ": " + place(record_count) + " is not a VCF record: its CHROM " +
                          shown(bcf_hdr_id2name(hdr.get(), rec->rid) != nullptr ? bcf_hdr_id2name(hdr.get(), rec->rid) : "") +
                          " is not a contig name (binary bytes, or an empty column).");
        if (contig == ContigKind::Other) {
            ++summary.other_contig;
            continue;
        }
        if (mito_rid < 0) {
            mito_rid = rec->rid;
            mito_record = record_count;
        } else if (rec->rid != mito_rid &&
                   !same_contig_name(bcf_hdr_id2name(hdr.get(), rec->rid), bcf_hdr_id2name(hdr.get(), mito_rid))) {
            const std::string earlier = place(mito_record);
            return refuse(name + ": " + place(record_count) + " is on " + bcf_hdr_id2name(hdr.get(), rec->rid) +
                          ", but " + earlier + " is on " + bcf_hdr_id2name(hdr.get(), mito_rid) +
                          ": the file names the mitochondrial sequence twice, and its records are not merged.");
        }
        bcf_unpack(rec.get(), BCF_UN_FLT);
        // A line cut short before its REF column reads as a record without alleles.
        if (rec->n_allele < 1 || rec->d.allele == nullptr || rec->d.allele[0] == nullptr)
            return refuse(name + ": " + place(record_count) + " cannot be read: it is cut short before its REF column.");
        // A text record without FORMAT reads as a record of sample columns
        // without fields, as one whose FORMAT is "." does: its columns tell.
        if (text && rec->n_fmt == 0) {
            const int64_t columns = place.columns(record_count);
            const int64_t needed = column_count > 0 ? 9 + column_count : 8;
            if (columns < needed)
                return refuse(name + ": " + place(record_count) + " cannot be read: it has " + std::to_string(columns) +
                              " columns; " +
                              (column_count > 0 ? "with the header's " + std::to_string(column_count) + " sample" +
                                                      (column_count == 1 ? "" : "s") + " a record has "
                                                : std::string("a VCF record has at least ")) +
                              std::to_string(needed) + ".");
        }
        const int64_t pos = rec->pos + 1;
        if (pos < 1 || pos > static_cast<int64_t>(reference.letters.size())) {
            ++summary.outside_reference;
            continue;
        }
        const std::string_view ref = rec->d.allele[0];
        // rCRS keeps an N at 3107 so that its numbering stays that of the
        // first sequence; a call there is never a variant.
        if (ref.size() == 1 && reference.letters[static_cast<size_t>(pos - 1)] == 'N') {
            if (summary.placeholder++ == 0) summary.first_placeholder = static_cast<int32_t>(pos);
            continue;
        }
        ++ref_compared;
        if (!ref_matches_reference(ref, pos, reference.letters)) {
            ++summary.ref_mismatch;
            if (ref_unlike++ < 3) {
                const size_t from = static_cast<size_t>(pos - 1);
                first_unlike.push_back(
                    {pos, std::string(ref.substr(0, 20)),
                     std::string(reference.letters.substr(from, std::min<size_t>(ref.size(), 20)))});
                for (char& c : first_unlike.back().ref) c = upper(c);
            }
            continue;
        }
        if (record_use != nullptr) record_use->back() = 1;
        ++records_usable;
        const bool passed = rec->d.n_flt == 0 || (rec->d.n_flt == 1 && rec->d.flt[0] == pass_id);
        if (!passed && !options.include_filtered) {
            ++summary.filtered;
            continue;
        }
        const int alt_count = rec->n_allele - 1;
        if (alt_count <= 0 || column_count == 0) continue;
        if (uses.size() < static_cast<size_t>(alt_count)) uses.resize(static_cast<size_t>(alt_count));
        bool any = false;
        int32_t placeholder = 0;  // the N position of a change passed over
        for (int i = 1; i <= alt_count; ++i) {
            AlleleUse& use = uses[static_cast<size_t>(i - 1)];
            classify_allele(ref, rec->d.allele[i], pos, reference.letters, use, ref_buffer, alt_buffer, placeholder);
            if (use.kind == AlleleUse::Skip) {
                ++summary.other_shapes;
            } else if (use.kind != AlleleUse::Placeholder) {
                any = true;
            }
        }
        if (placeholder != 0 && summary.placeholder++ == 0) summary.first_placeholder = placeholder;
        if (!any) continue;

        bcf_unpack(rec.get(), BCF_UN_FMT);
        const bcf_fmt_t* gt = bcf_get_fmt(hdr.get(), rec.get(), "GT");
        if (gt != nullptr && gt->p == nullptr) gt = nullptr;
        const FormatField af(hdr.get(), bcf_get_fmt(hdr.get(), rec.get(), "AF"));
        const FormatField hf(hdr.get(), bcf_get_fmt(hdr.get(), rec.get(), "HF"));
        const FormatField vaf(hdr.get(), bcf_get_fmt(hdr.get(), rec.get(), "VAF"));
        // mutserve 1.x: the level of the top non-reference allele, so only
        // of a single ALT (its HP1 is no level).
        const FormatField hp(hdr.get(), alt_count == 1 ? bcf_get_fmt(hdr.get(), rec.get(), "HP") : nullptr);
        const bool has_levels = af.present() || hf.present() || vaf.present() || hp.present();
        const FormatField* const level_fields[] = {&af, &hf, &vaf};
        const char* const level_names[] = {"AF", "HF", "VAF"};
        bcf_info_t* info_af = nullptr;
        const bcf_fmt_t* sm = nullptr;
        if (long_form) {
            bcf_unpack(rec.get(), BCF_UN_INFO);
            info_af = bcf_get_info(hdr.get(), rec.get(), "AF");
            sm = bcf_get_fmt(hdr.get(), rec.get(), "SM");
        }

        for (int s = 0; s < column_count; ++s) {
            if (gt != nullptr && reference_call(gt, s)) continue;  // most samples of most records
            size_t target = first + static_cast<size_t>(s);
            if (long_form) {
                std::string_view who;
                if (sm != nullptr && sm->p != nullptr && sm->type == BCF_BT_CHAR)
                    who = std::string_view(reinterpret_cast<const char*>(sm->p),
                                           strnlen(reinterpret_cast<const char*>(sm->p), static_cast<size_t>(sm->size)));
                if (who.empty() || who == ".")
                    return refuse(name + ": " + place(record_count) +
                                  " names no sample in FORMAT/SM, which names the sample of every record of this file.");
                auto [it, added] = sample_of.try_emplace(std::string(who), samples.size());
                if (added) {
                    samples.emplace_back();
                    samples.back().name = it->first;
                    ++summary.samples;
                }
                target = it->second;
            }
            const std::string& sample_name = samples[target].name;
            if (gt != nullptr) {
                int beyond = 0;
                if (!read_genotype(gt, s, alt_count, g, beyond))
                    return refuse(name + ": " + place(record_count) + ": the genotype of sample " + sample_name +
                                  " names allele " + std::to_string(beyond) + ", but the record has " +
                                  std::to_string(alt_count) + " ALT allele" + (alt_count == 1 ? "" : "s") + ".");
                if (g.called.empty()) {
                    ++summary.missing_genotype;
                    continue;
                }
            }
            for (int f = 0; f < 3; ++f) {
                int given = 0, needed = 0;
                if (!level_fields[f]->count_fits(s, alt_count, given, needed))
                    return refuse(name + ": " + place(record_count) + ": FORMAT/" + level_names[f] + " of sample " +
                                  sample_name + " has " + std::to_string(given) + " value" + (given == 1 ? "" : "s") +
                                  " for " + std::to_string(alt_count) + " ALT allele" + (alt_count == 1 ? "" : "s") +
                                  ", but its " + level_fields[f]->number_text() + " needs " + std::to_string(needed) + ".");
            }
            ConvertedSample& sample = samples[target];
            for (int i = 1; i <= alt_count; ++i) {
                const AlleleUse& use = uses[static_cast<size_t>(i - 1)];
                if (use.kind == AlleleUse::Skip || use.kind == AlleleUse::Placeholder) continue;
                if (gt != nullptr && !g.names(i)) continue;
                std::optional<float> level;
                if (has_levels) {
                    level = af.level(s, i, alt_count);
                    if (!level) level = hf.level(s, i, alt_count);
                    if (!level) level = vaf.level(s, i, alt_count);
                    if (!level) level = hp.level(s, i, alt_count);
                }
                if (long_form && !level) level = info_level(hdr.get(), info_af, i, alt_count);
                float kept;
                if (long_form && !level) {
                    kept = 1.0f;  // a merged call set lists the calls it keeps
                } else if (gt == nullptr) {
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
                    sample.indel_levels.push_back(kept);
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
    if (r < -1) return refuse(name + ": the file is damaged or cut short after " + place(record_count) + ".");
    if (ref_unlike > 0 && ref_unlike * 4 > ref_compared)
        return refuse(mismatch_refusal(name, bcf_hdr_id2name(hdr.get(), mito_rid), ref_unlike, ref_compared, first_unlike));
    // Records to annotate, none of which is on the mitochondrial contig or
    // where it can be read.
    if (options.records_only && records_usable == 0 && record_count > empty_lines)
        return refuse(name + ": none of its " + std::to_string(record_count - empty_lines) +
                      " records is a mitochondrial record that can be read against the reference: " +
                      import_summary_text(summary) + ".");
    if (long_form && sample_of.empty() && !options.records_only)
        return refuse(name + ": no record names a sample in FORMAT/SM, so the file gives no sample.");
    if (progress && raw != nullptr) progress(htell(raw));
    return {};
}

}  // namespace corvella
