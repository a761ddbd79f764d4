#include "output/annotated_vcf.h"

#include <htslib/hts.h>
#include <htslib/kstring.h>
#include <htslib/vcf.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>
#include <string_view>

#include "output/atomic_file.h"

namespace corvella {

namespace {

bool ends_with(const std::string& s, const char* tail) {
    const size_t n = std::strlen(tail);
    return s.size() >= n && s.compare(s.size() - n, n, tail) == 0;
}

struct HtsCloser {
    void operator()(htsFile* f) const { hts_close(f); }
};
struct HeaderFree {
    void operator()(bcf_hdr_t* h) const { bcf_hdr_destroy(h); }
};
struct RecordFree {
    void operator()(bcf1_t* r) const { bcf_destroy(r); }
};
using HtsFile = std::unique_ptr<htsFile, HtsCloser>;
using Header = std::unique_ptr<bcf_hdr_t, HeaderFree>;
using Record = std::unique_ptr<bcf1_t, RecordFree>;

// The temporary names beside the target; removed unless renamed over it.
struct TempFiles {
    std::string data, index;
    bool keep = false;
    ~TempFiles() {
        if (keep) return;
        if (!data.empty()) std::remove(data.c_str());
        if (!index.empty()) std::remove(index.c_str());
    }
};

std::string reason() { return errno ? std::strerror(errno) : "the file could not be written"; }

// The CHROM and FILTER values of a text VCF's kept records, read as text
// (the records are parsed once, when they are written).
bool scan_contigs_and_filters(const std::string& input, const VcfAnnotation& how, std::set<std::string>& contigs,
                              std::set<std::string>& filters) {
    HtsFile in(hts_open(input.c_str(), "r"));
    if (!in) return false;
    kstring_t line = {0, 0, nullptr};
    int status;
    while ((status = hts_getline(in.get(), '\n', &line)) >= 0) {
        const std::string_view text(line.s, line.l);
        if (text.empty() || text.front() == '#') continue;
        std::string_view fields[7];
        size_t start = 0, n = 0;
        for (; n < 7; ++n) {
            const size_t tab = text.find('\t', start);
            fields[n] = text.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start);
            if (tab == std::string_view::npos) break;
            start = tab + 1;
        }
        if (n < 6 || !how.keep_contig(fields[0])) continue;
        contigs.emplace(fields[0]);
        for (std::string_view f = fields[6]; !f.empty();) {
            const size_t semi = f.find(';');
            const std::string_view one = f.substr(0, semi);
            if (!one.empty() && one != "." && one != "PASS") filters.emplace(one);
            f = semi == std::string_view::npos ? std::string_view() : f.substr(semi + 1);
        }
    }
    free(line.s);
    return status == -1;
}

// Declares what the kept records use and the header does not: contigs
// (with their length) and FILTER values; a kept contig declared without a
// length gets it.
bool complete_header(bcf_hdr_t* header, const VcfAnnotation& how, std::set<std::string> contigs,
                     const std::set<std::string>& filters) {
    int n = 0;
    const char** names = bcf_hdr_seqnames(header, &n);
    for (int i = 0; i < n; ++i)
        if (how.keep_contig(names[i])) contigs.emplace(names[i]);
    free(names);
    const std::string length = std::to_string(how.contig_length);
    for (const std::string& contig : contigs) {
        bcf_hrec_t* line = bcf_hdr_get_hrec(header, BCF_HL_CTG, "ID", contig.c_str(), nullptr);
        if (line == nullptr) {
            std::string text = "##contig=<ID=" + contig;
            if (how.contig_length > 0) text += ",length=" + length;
            if (bcf_hdr_append(header, (text + ">").c_str()) != 0) return false;
        } else if (how.contig_length > 0 && bcf_hrec_find_key(line, "length") < 0) {
            if (bcf_hrec_add_key(line, "length", 6) != 0 ||
                bcf_hrec_set_val(line, line->nkeys - 1, length.c_str(), length.size(), 0) != 0)
                return false;
        }
    }
    for (const std::string& filter : filters) {
        if (bcf_hdr_get_hrec(header, BCF_HL_FLT, "ID", filter.c_str(), nullptr) != nullptr) continue;
        const std::string text =
            "##FILTER=<ID=" + filter + ",Description=\"A filter the input's records name without declaring it\">";
        if (bcf_hdr_append(header, text.c_str()) != 0) return false;
    }
    return bcf_hdr_sync(header) == 0;
}

}  // namespace

bool is_vcf_output(const std::string& path) {
    return ends_with(path, ".vcf") || ends_with(path, ".vcf.gz") || ends_with(path, ".bcf");
}

WriteResult write_annotated_vcf(const std::string& input, const std::string& output, const VcfAnnotation& how,
                                bool index) {
    const bool bcf = ends_with(output, ".bcf");
    const bool gz = ends_with(output, ".vcf.gz");
    if (index && !bcf && !gz) return write_failure(output, "a plain .vcf cannot be indexed; write .vcf.gz or .bcf");
    const std::string index_suffix = bcf ? ".csi" : ".tbi";

    // Problems come back as the result; htslib's own log stays quiet.
    struct QuietLog {
        const enum htsLogLevel saved = hts_get_log_level();
        QuietLog() { hts_set_log_level(HTS_LOG_OFF); }
        ~QuietLog() { hts_set_log_level(saved); }
    } quiet;

    errno = 0;
    HtsFile in(hts_open(input.c_str(), "r"));
    if (!in) return {false, "Cannot read " + input + ": " + reason()};
    // The records are read and written with one header, so that what the
    // reader adds to it on the way (a FILTER the header did not declare)
    // still fits every record.
    Header header(bcf_hdr_read(in.get()));
    if (!header) return {false, "Cannot read " + input + ": not a VCF or BCF file"};
    if (bcf_hdr_id2int(header.get(), BCF_DT_ID, how.info_id.c_str()) >= 0 &&
        bcf_hdr_idinfo_exists(header.get(), BCF_HL_INFO, bcf_hdr_id2int(header.get(), BCF_DT_ID, how.info_id.c_str())))
        return {false, "Cannot annotate " + input + ": it already has INFO/" + how.info_id};
    if (bcf_hdr_append(header.get(), how.header_line.c_str()) != 0 || bcf_hdr_sync(header.get()) != 0)
        return write_failure(output, "the header line could not be added");
    std::set<std::string> contigs, filters;
    if (hts_get_format(in.get())->format == vcf && !scan_contigs_and_filters(input, how, contigs, filters))
        return {false, "Cannot read " + input + ": " + reason()};
    if (!complete_header(header.get(), how, contigs, filters))
        return write_failure(output, "the header lines could not be added");
    // A BCF header names every FILTER, INFO and FORMAT key by number before
    // the first record, so a text VCF that uses keys it never declared is
    // read once to complete the header, then again to be written.
    if (bcf && hts_get_format(in.get())->format == vcf) {
        Record scan(bcf_init());
        int read;
        while ((read = bcf_read(in.get(), header.get(), scan.get())) == 0) {}
        if (read < -1) return {false, "Cannot read " + input + ": a damaged record"};
        in.reset(hts_open(input.c_str(), "r"));
        if (!in) return {false, "Cannot read " + input + ": " + reason()};
        Header again(bcf_hdr_read(in.get()));
        if (!again || bcf_hdr_sync(header.get()) != 0) return {false, "Cannot read " + input + ": not a VCF or BCF file"};
    }

    TempFiles temp;
    temp.data = output + ".part";
    if (index) temp.index = temp.data + index_suffix;
    errno = 0;
    HtsFile out(hts_open(temp.data.c_str(), bcf ? "wb" : gz ? "wz" : "w"));
    if (!out) return write_failure(output, reason());
    if (bcf_hdr_write(out.get(), header.get()) != 0) return write_failure(output, reason());
    if (index && bcf_idx_init(out.get(), header.get(), bcf ? 14 : 0, temp.index.c_str()) != 0)
        return write_failure(output, "the index could not be started");

    Record rec(bcf_init());
    std::vector<std::string> alts;
    int status;
    int64_t record = 0;
    // An index needs the records in position order; htslib would only say
    // that the write failed, so the order is checked here and named.
    int32_t last_rid = -1;
    int64_t last_pos = -1;
    while ((status = bcf_read(in.get(), header.get(), rec.get())) == 0) {
        ++record;
        const char* chrom = bcf_seqname(header.get(), rec.get());
        if (chrom == nullptr || !how.keep_contig(chrom)) continue;
        if (index) {
            if (rec->rid == last_rid && rec->pos < last_pos)
                return write_failure(output, "the records are not in position order (position " +
                                                 std::to_string(rec->pos + 1) + " comes after " +
                                                 std::to_string(last_pos + 1) +
                                                 "), and an index needs them sorted: sort the input first "
                                                 "(bcftools sort) or leave out --index");
            last_rid = rec->rid;
            last_pos = rec->pos;
        }
        if (bcf_unpack(rec.get(), BCF_UN_STR) != 0) return {false, "Cannot read " + input + ": a damaged record"};
        // A key the header did not declare has been added to it by now.
        rec->errcode &= ~BCF_ERR_TAG_UNDEF;
        if (how.annotate_record && !how.annotate_record(record)) {
            if (bcf_write(out.get(), header.get(), rec.get()) != 0) return write_failure(output, reason());
            continue;
        }
        alts.clear();
        for (uint32_t a = 1; a < rec->n_allele; ++a) alts.emplace_back(rec->d.allele[a]);
        const std::string_view ref = rec->n_allele > 0 ? rec->d.allele[0] : "";
        const std::string value = how.value(static_cast<int64_t>(rec->pos) + 1, ref, alts);
        if (!value.empty() &&
            bcf_update_info_string(header.get(), rec.get(), how.info_id.c_str(), value.c_str()) != 0)
            return write_failure(output, "the annotation could not be added");
        if (bcf_write(out.get(), header.get(), rec.get()) != 0) return write_failure(output, reason());
    }
    if (status < -1) return {false, "Cannot read " + input + ": a damaged record"};
    if (index && bcf_idx_save(out.get()) != 0) return write_failure(output, "the index could not be written");
    if (hts_close(out.release()) != 0) return write_failure(output, reason());

    if (std::rename(temp.data.c_str(), output.c_str()) != 0) return write_failure(output, reason());
    temp.data.clear();
    if (index && std::rename(temp.index.c_str(), (output + index_suffix).c_str()) != 0)
        return write_failure(output + index_suffix, reason());
    temp.index.clear();
    return {};
}

}  // namespace corvella
