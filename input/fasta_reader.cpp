#include "input/fasta_reader.h"

#include <sys/stat.h>
#include <zlib.h>

#include <array>

#include "input/text_file.h"

namespace corvella {

namespace {

constexpr char SKIP = 1;  // a gap, a blank or a CR: dropped

// What each byte of a sequence line becomes: an upper-case letter, SKIP, or 0
// for a character no nucleotide record holds.
std::array<char, 256> build_letter_table() {
    std::array<char, 256> t{};
    for (const char* p = "ACGTRYSWKMBDHVN"; *p; ++p) {
        t[static_cast<unsigned char>(*p)] = *p;
        t[static_cast<unsigned char>(*p - 'A' + 'a')] = *p;
    }
    t['U'] = t['u'] = 'T';
    for (const char c : {'-', '.', ' ', '\t', '\r'}) t[static_cast<unsigned char>(c)] = SKIP;
    return t;
}

const std::array<char, 256>& letter_table() {
    static const std::array<char, 256> table = build_letter_table();
    return table;
}

std::string shown(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x20 && u < 0x7f) return std::string("\"") + c + "\"";
    static const char* const hex = "0123456789ABCDEF";
    return std::string("the byte 0x") + hex[u >> 4] + hex[u & 15];
}

// Appends the letters of one sequence line; false at the first character
// that is no letter, gap or blank, whose index goes to `bad`.
bool append_line(std::string_view line, std::string& letters, size_t& bad) {
    const std::array<char, 256>& table = letter_table();
    for (size_t i = 0; i < line.size(); ++i) {
        const char out = table[static_cast<unsigned char>(line[i])];
        if (out == 0) {
            bad = i;
            return false;
        }
        if (out != SKIP) letters.push_back(out);
    }
    return true;
}

bool skippable_before_first_record(std::string_view line) {
    return line.empty() || line[0] == ';' || line.find_first_not_of(" \t") == std::string_view::npos;
}

}  // namespace

bool is_nucleotide_letter(char c) {
    const char out = letter_table()[static_cast<unsigned char>(c)];
    return out != 0 && out != SKIP;
}

FastaReadResult parse_fasta_text(std::string_view text) {
    FastaReadResult result;
    size_t pos = 0;
    std::string_view line;
    int32_t line_number = 0;
    bool started = false;
    while (next_line(text, pos, line)) {
        ++line_number;
        if (!started) {
            if (skippable_before_first_record(line)) continue;
            if (line[0] != '>') {
                result.code = -2;
                result.message = "Line " + std::to_string(line_number) + ": a FASTA record begins with a \">name\" line.";
                result.records.clear();
                return result;
            }
            started = true;
        }
        if (!line.empty() && line[0] == '>') {
            FastaRecord record;
            record.name = std::string(line.substr(1));
            record.line = line_number;
            result.records.push_back(std::move(record));
            continue;
        }
        FastaRecord& record = result.records.back();
        // Most records are one long letter run: room for the rest of the
        // record once, not one growth per line.
        if (record.letters.empty()) {
            const size_t next = text.find('>', pos);
            record.letters.reserve((next == std::string_view::npos ? text.size() : next) - pos + line.size());
        }
        size_t bad = 0;
        if (!append_line(line, record.letters, bad)) {
            result.code = -2;
            result.message = "Line " + std::to_string(line_number) + ": " + shown(line[bad]) +
                             " is not a nucleotide letter (record \"" + record.name + "\").";
            result.records.clear();
            return result;
        }
    }
    if (result.records.empty()) {
        result.code = -2;
        result.message = "The file holds no FASTA record.";
        return result;
    }
    for (FastaRecord& r : result.records) r.letters.shrink_to_fit();
    result.code = static_cast<int32_t>(result.records.size());
    return result;
}

namespace {

FastaReadResult read_fasta_bytes(const std::string& path) {
    FastaReadResult result;
    // zlib reads a plain file as it stands, so one path serves both.
    gzFile f = gzopen(path.c_str(), "rb");
    if (f == nullptr) {
        result.code = -1;
        result.message = "File cannot be opened.";
        return result;
    }
    gzbuffer(f, 1u << 17);
    std::string text;
    std::string block(size_t{1} << 20, '\0');
    bool ok = true;
    for (;;) {
        const int got = gzread(f, block.data(), static_cast<unsigned>(block.size()));
        if (got < 0) {
            ok = false;
            break;
        }
        if (got == 0) break;
        text.append(block.data(), static_cast<size_t>(got));
    }
    int errnum = Z_OK;
    gzerror(f, &errnum);
    gzclose(f);
    // A gzip stream cut short reads as Z_BUF_ERROR: damaged, not short.
    if (!ok || errnum != Z_OK) {
        result.code = errnum == Z_ERRNO ? -1 : -2;
        result.message = errnum == Z_ERRNO ? "File cannot be opened." : "The file is a damaged gzip file.";
        return result;
    }
    return parse_fasta_text(text);
}

}  // namespace

FastaReadResult read_fasta_file(const std::string& path) {
    struct stat st {};
    FastaReadResult result;
    if (stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_size == 0) {
        result.code = -2;
        result.message = "the file is empty (0 bytes): there is nothing to read.";
    } else {
        result = read_fasta_bytes(path);
    }
    // Every refusal names the file it is about.
    if (result.code < 0) {
        const size_t slash = path.find_last_of("/\\");
        result.message = (slash == std::string::npos ? path : path.substr(slash + 1)) + ": " + result.message;
    }
    return result;
}

bool looks_like_fasta(std::string_view text) {
    size_t pos = 0;
    std::string_view name, line;
    if (!next_line(text, pos, name) || name.empty() || name[0] != '>') return false;
    if (!next_line(text, pos, line)) return false;
    bool any = false;
    for (const char c : line) {
        if (c == ' ' || c == '\t' || c == '-' || c == '.') continue;
        if (!is_nucleotide_letter(c)) return false;
        any = true;
    }
    return any;
}

bool fasta_file_detected(const std::string& path) {
    gzFile f = gzopen(path.c_str(), "rb");
    if (f == nullptr) return false;
    // A name line and the start of the line after it are enough; a whole
    // mitogenome on one line need not be read.
    std::string head(size_t{1} << 16, '\0');
    const int got = gzread(f, head.data(), static_cast<unsigned>(head.size()));
    gzclose(f);
    if (got <= 0) return false;
    head.resize(static_cast<size_t>(got));
    const size_t first = head.find_first_not_of("\r\n");
    return first != std::string::npos && looks_like_fasta(std::string_view(head).substr(first));
}

}  // namespace corvella
