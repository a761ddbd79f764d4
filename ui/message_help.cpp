#include "ui/message_help.h"

#include <cerrno>
#include <cstring>
#include <fstream>

#include "output/file_names.h"

namespace corvella {

namespace {

const char* const OPEN_LIST = "Classification > Check Database > Open Polymorphism File...";
const char* const OPEN_REFERENCE = "Classification > Reference > Open Other Reference File...";
const char* const IMPORT_ALIGNED = "Polymorphisms > Import Aligned File...";
const char* const IMPORT_UNALIGNED = "Polymorphisms > Import Unaligned File...";

bool ends_with(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

bool starts_with(const std::string& text, const std::string& head) { return text.rfind(head, 0) == 0; }

// The first bytes of the file, to tell what it is when it was read as something else.
std::string head_of(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    char bytes[16] = {};
    in.read(bytes, sizeof bytes);
    return std::string(bytes, static_cast<size_t>(in.gcount()));
}

// Why the system would not open the file.
std::string open_reason(const std::string& path) {
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (in) return "it opens now: it may have been moved or changed while it was read";
    return errno != 0 ? std::strerror(errno) : "it cannot be read";
}

std::string cannot_open_advice(const std::string& path) {
    return "The file cannot be read (" + open_reason(path) +
           "). Check its name and folder, and that you may read it.";
}

std::string list_advice(const std::string& path) {
    const std::string head = head_of(path);
    if (starts_with(head, "LOCUS"))
        return std::string("This is a GenBank record, not a polymorphism list: open it as the reference with ") +
               OPEN_REFERENCE + ".";
    return "A polymorphism list holds, for each sample, a name line beginning with \">\" and a line of its "
           "variants, such as \"73G 263G 16519\"; the first sample may be the reference's own name line. "
           "VCF, BCF, HSD and unaligned FASTA files are read here too. An aligned file is read with " +
           std::string(IMPORT_ALIGNED) + ".";
}

std::string reference_advice(const std::string& message, const std::string& path) {
    const std::string missing = "It was not possible to extract information about ";
    if (ends_with(message, "Bad input format.")) {
        if (starts_with(head_of(path), ">"))
            return std::string("This looks like a polymorphism list or a FASTA file, not a GenBank record: open "
                               "a list with ") +
                   OPEN_LIST + ", an unaligned FASTA with " + IMPORT_UNALIGNED + ".";
        return "A GenBank record has an ACCESSION line, its FEATURES and the sequence after ORIGIN; the file "
               "ends before ORIGIN or has no ACCESSION line.";
    }
    if (ends_with(message, "Sequence is too long."))
        return "The sequence after ORIGIN holds 20,000 letters or more; a mitochondrial genome has about 16,500. "
               "Open a file with the one mitochondrial record.";
    if (const size_t at = message.find(missing); at != std::string::npos) {
        std::string name = message.substr(at + missing.size());
        if (!name.empty() && name.back() == '.') name.pop_back();
        if (name == "D-loop")
            return "The record has no D-loop feature (\"D-loop\", or a misc_feature with /note=\"control "
                   "region\") whose location reads, such as join(16024..16569,1..576). Add it to the record's "
                   "FEATURES, or count against the built-in Human Reference.";
        return "The record has no feature for " + name +
               " whose location reads. Every protein gene, tRNA and rRNA and the D-loop need their place; "
               "add the missing feature to the record's FEATURES, or count against the built-in Human Reference.";
    }
    return std::string();
}

std::string aligned_advice(const std::string& path) {
    if (starts_with(head_of(path), "LOCUS"))
        return std::string("This is a GenBank record: open it as the reference with ") + OPEN_REFERENCE + ".";
    return "An aligned file holds the reference and the samples, each a name line beginning with \">\" and its "
           "aligned sequence, all of one length. Whole mitogenomes that are not aligned are read with " +
           std::string(IMPORT_UNALIGNED) + ", polymorphism lists with " + OPEN_LIST + ".";
}

std::string unaligned_advice() {
    return std::string("An unaligned file holds whole mitogenomes in FASTA, each a name line beginning with \">\" "
                       "and its sequence (plain or gzip). A polymorphism list is read with ") +
           OPEN_LIST + ".";
}

}  // namespace

ShownMessage explain_read_failure(const std::string& message, const std::string& path, OpenedAs kind) {
    ShownMessage shown;
    std::string before;
    const size_t last_break = message.find_last_of('\n', message.empty() ? 0 : message.size() - 2);
    if (last_break != std::string::npos && last_break + 1 < message.size()) {
        before = message.substr(0, last_break);
        shown.text = message.substr(last_break + 1);
    } else {
        shown.text = message;
    }
    while (!shown.text.empty() && shown.text.back() == '\n') shown.text.pop_back();

    const bool cannot_open =
        ends_with(shown.text, "File cannot be opened.") || ends_with(shown.text, "File cannot be openned.");
    std::string advice;
    if (cannot_open) {
        advice = cannot_open_advice(path);
    } else if (ends_with(shown.text, "Bad input format.") || kind == OpenedAs::Reference) {
        switch (kind) {
        case OpenedAs::List: advice = list_advice(path); break;
        case OpenedAs::Reference: advice = reference_advice(shown.text, path); break;
        case OpenedAs::Aligned: advice = aligned_advice(path); break;
        case OpenedAs::Unaligned: advice = unaligned_advice(); break;
        }
    }

    std::string& info = shown.informative;
    info = before;
    // The full path, unless the lines before the message give the place.
    if (before.find(file_name_of(path)) == std::string::npos) info += (info.empty() ? "" : "\n") + std::string("File: ") + path;
    if (!advice.empty()) info += "\n\n" + advice;
    return shown;
}

}  // namespace corvella
