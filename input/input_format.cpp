#include "input/input_format.h"

#include <htslib/hfile.h>
#include <htslib/hts.h>

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
    // Only the first non-empty line matters; read until one has been seen
    // whole (or the file ends).
    std::string head;
    std::string line;
    while (std::getline(in, line)) {
        head += line;
        head += '\n';
        if (!line.empty() && line != "\r") break;
    }
    return detect_text_format(head);
}

}  // namespace corvella
