#include "input/input_format.h"

#include <htslib/hfile.h>
#include <htslib/hts.h>
#include <zlib.h>

#include <algorithm>
#include <fstream>

#include "input/fasta_reader.h"
#include "input/text_file.h"

namespace corvella {

std::optional<InputFormat> parse_input_format(std::string_view word) {
    if (word == "list") return InputFormat::List;
    if (word == "hsd") return InputFormat::Hsd;
    if (word == "vcf") return InputFormat::Vcf;
    if (word == "fasta") return InputFormat::Fasta;
    return std::nullopt;
}

const char* input_format_name(InputFormat format) {
    switch (format) {
        case InputFormat::Hsd: return "hsd";
        case InputFormat::Vcf: return "vcf";
        case InputFormat::Fasta: return "fasta";
        default: return "list";
    }
}

namespace {

// Up to `n` bytes from the start of the file (none when it cannot be read).
std::string file_head(const std::string& path, size_t n) {
    std::string head(n, '\0');
    std::ifstream in(path, std::ios::binary);
    in.read(head.data(), static_cast<std::streamsize>(n));
    head.resize(in ? n : static_cast<size_t>(std::max<std::streamsize>(in.gcount(), 0)));
    return head;
}

bool htslib_says_vcf(const std::string& path) {
    if (!may_be_vcf(file_head(path, 64))) return false;
    hFILE* f = hopen(path.c_str(), "r");
    if (f == nullptr) return false;
    htsFormat format{};
    const bool found = hts_detect_format(f, &format) == 0 && (format.format == vcf || format.format == bcf);
    hclose_abruptly(f);
    return found;
}

bool ends_with(const std::string& s, std::string_view tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

bool named_vcf(const std::string& path) {
    return ends_with(path, ".vcf") || ends_with(path, ".vcf.gz") || ends_with(path, ".vcf.bgz") || ends_with(path, ".bcf");
}

// Whether the start of a gzip file cannot be decompressed.
bool gzip_damaged(const std::string& path) {
    gzFile f = gzopen(path.c_str(), "rb");
    if (f == nullptr) return false;
    char block[1 << 14];
    const int got = gzread(f, block, sizeof block);
    int errnum = Z_OK;
    gzerror(f, &errnum);
    gzclose(f);
    return got < 0 || (errnum != Z_OK && errnum != Z_BUF_ERROR);
}

// The kind an empty file was meant to be, by its name: it is refused as
// empty by that kind's reader (a list may be empty).
InputFormat kind_by_name(const std::string& path) {
    if (named_vcf(path)) return InputFormat::Vcf;
    if (ends_with(path, ".hsd")) return InputFormat::Hsd;
    for (const char* tail : {".fasta", ".fa", ".fas", ".fna", ".fst", ".fasta.gz", ".fa.gz", ".fas.gz", ".fna.gz"})
        if (ends_with(path, tail)) return InputFormat::Fasta;
    return InputFormat::List;
}

}  // namespace

bool may_be_vcf(std::string_view head) {
    const size_t first = head.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return true;
    // A header line, or a compression's or BCF's magic bytes.
    if (head[first] == '#' || head.substr(first, 3) == "BCF" || head.substr(first, 3) == "BZh") return true;
    for (size_t i = 0; i < head.size() && i < first + 4; ++i) {
        const auto c = static_cast<unsigned char>(head[i]);
        if ((c < 0x20 && c != '\t' && c != '\r' && c != '\n') || c >= 0x7f) return true;
    }
    return false;
}

InputFormat detect_text_format(std::string_view head) {
    size_t pos = 0;
    std::string_view line;
    for (size_t start = 0; next_line(head, pos, line); start = pos) {
        if (line.empty()) continue;
        if (line[0] == '>') return looks_like_fasta(head.substr(start)) ? InputFormat::Fasta : InputFormat::List;
        return line.find('\t') != std::string_view::npos ? InputFormat::Hsd : InputFormat::List;
    }
    return InputFormat::List;
}

InputFormat detect_input_format(const std::string& path) {
    if (htslib_says_vcf(path)) return InputFormat::Vcf;
    if (fasta_file_detected(path)) return InputFormat::Fasta;
    std::ifstream in(path, std::ios::binary);
    if (!in) return InputFormat::List;
    if (in.peek() == std::ifstream::traits_type::eof()) return kind_by_name(path);
    // Damaged gzip data, and a file named as a VCF that htslib does not
    // take for one: the VCF reader says what is wrong, with the file's name.
    const int c0 = in.get(), c1 = in.get();
    if ((c0 == 0x1f && c1 == 0x8b && gzip_damaged(path)) || named_vcf(path)) return InputFormat::Vcf;
    in.clear();
    in.seekg(0);
    // Only the first non-empty line matters; read until one has been seen
    // whole (or the file ends).
    std::string head;
    std::string line;
    while (std::getline(in, line)) {
        head += line;
        head += '\n';
        if (!line.empty() && line != "\r") break;
    }
    // A VCF header without its ##fileformat line.
    if (head.compare(0, 6, "#CHROM") == 0 || head.compare(0, 2, "##") == 0) return InputFormat::Vcf;
    return detect_text_format(head);
}

}  // namespace corvella
