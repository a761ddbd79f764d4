#include "input/converted_list.h"

#include <cstdio>

#include "input/min_level.h"
#include "input/polymorphism_list.h"

namespace corvella {

namespace {

void add_count(std::string& text, bool& first, int64_t n, const char* what) {
    text += first ? " " : ", ";
    first = false;
    text += std::to_string(n);
    text += ' ';
    text += what;
}

}  // namespace

std::string import_summary_text(const ImportSummary& s) {
    std::string text;
    if (s.files > 1) text += std::to_string(s.files) + " files, ";
    text += std::to_string(s.samples) + " samples, ";
    if (s.hsd) {
        text += std::to_string(s.variants) + " variants, ";
    } else {
        text += std::to_string(s.records) + " records, ";
    }
    text += std::to_string(s.calls) + " calls kept; passed over:";
    bool first = true;
    if (!s.hsd) {
        add_count(text, first, s.other_contig, "records on another contig");
        add_count(text, first, s.filtered, "filtered records");
        add_count(text, first, s.ref_mismatch, "records with a REF unlike the reference");
        add_count(text, first, s.below_level, "calls below the minimum level");
        add_count(text, first, s.missing_genotype, "calls with a missing genotype");
    } else {
        add_count(text, first, s.same_as_reference, "variants equal to the reference");
    }
    add_count(text, first, s.indel_tokens, "indels kept as list tokens (not counted)");
    add_count(text, first, s.other_shapes, s.hsd ? "ambiguous variants" : "alleles of another shape");
    add_count(text, first, s.outside_reference, "outside the reference");
    if (s.hsd) {
        add_count(text, first, s.unreadable, "unreadable HSD variants");
        if (s.unreadable > 0)
            text += " (first \"" + s.first_unreadable + "\" on line " + std::to_string(s.first_unreadable_line) + ")";
    }
    if (s.placeholder > 0) {
        add_count(text, first, s.placeholder,
                  s.hsd ? "variants at the reference's N placeholder" : "records at the reference's N placeholder");
        text += " (" + std::to_string(s.first_placeholder) + ")";
    }
    if (s.empty_lines > 0) add_count(text, first, s.empty_lines, "empty lines");
    if (!s.hsd)
        text += "; minimum level " + min_level_text(s.min_level) + ", records whose FILTER is not PASS " +
                (s.include_filtered ? "kept" : "left out");
    return text;
}

int64_t passed_over_count(const ImportSummary& s) {
    return s.other_contig + s.filtered + s.ref_mismatch + s.below_level + s.missing_genotype + s.other_shapes +
           s.outside_reference + s.same_as_reference + s.unreadable + s.placeholder;
}

std::string nothing_kept_refusal(const ImportSummary& s, const std::string& what, double min_level) {
    if (s.calls + s.indel_tokens > 0 || passed_over_count(s) == 0) return {};
    std::string reasons;
    const auto reason = [&reasons](int64_t n, const std::string& why) {
        if (n == 0) return;
        if (!reasons.empty()) reasons += ", ";
        reasons += std::to_string(n) + " " + why;
    };
    char level[32];
    std::snprintf(level, sizeof level, "%g", min_level);
    reason(s.filtered, "filtered records (FILTER neither PASS nor \".\"; --include-filtered keeps them)");
    reason(s.below_level, std::string("calls below the minimum level ") + level + " (--min-level sets it)");
    reason(s.other_contig,
           "records on another contig (the mitochondrial one is chrM, M, MT, chrMT, NC_012920 or rCRS)");
    reason(s.ref_mismatch, "records with a REF unlike the reference");
    reason(s.missing_genotype, "calls with a missing genotype");
    reason(s.other_shapes, s.hsd ? "ambiguous variants" : "alleles of another shape");
    reason(s.outside_reference, "outside the reference");
    reason(s.same_as_reference, "variants equal to the reference");
    reason(s.unreadable, "unreadable HSD variants");
    reason(s.placeholder, s.hsd ? "variants at the reference's N placeholder" : "records at the reference's N placeholder");
    return what + ": no call was kept; passed over: " + reasons + ".";
}

void append_snv_token(std::string& tokens, int32_t position, char base, std::string_view reference) {
    tokens += std::to_string(position);
    if (base != transition_base(reference[static_cast<size_t>(position - 1)])) tokens += base;
    tokens += ' ';
}

std::string converted_reference_name(bool human_reference, const std::string& accession) {
    return human_reference || accession.empty() ? "rCRS" : accession;
}

std::string converted_list_text(const std::string& reference_name, const std::vector<ConvertedSample>& samples) {
    size_t size = reference_name.size() + 32;
    for (const ConvertedSample& s : samples) size += s.name.size() + s.tokens.size() + 12;
    std::string text;
    text.reserve(size);
    text += '>';
    text += reference_name;
    text += "\nNumbering Reference\n\n";
    for (const ConvertedSample& s : samples) {
        text += '>';
        text += s.name;
        text += "\n";
        text += s.tokens.empty() ? std::string_view("0 ") : std::string_view(s.tokens);
        text += "\n\n";
    }
    return text;
}

namespace {

std::vector<float> joined(const std::vector<ConvertedSample>& samples, std::vector<float> ConvertedSample::*member) {
    size_t n = 0;
    for (const ConvertedSample& s : samples) n += (s.*member).size();
    std::vector<float> levels;
    levels.reserve(n);
    for (const ConvertedSample& s : samples) levels.insert(levels.end(), (s.*member).begin(), (s.*member).end());
    return levels;
}

}  // namespace

std::vector<float> converted_levels(const std::vector<ConvertedSample>& samples) {
    return joined(samples, &ConvertedSample::levels);
}

std::vector<float> converted_indel_levels(const std::vector<ConvertedSample>& samples) {
    return joined(samples, &ConvertedSample::indel_levels);
}

}  // namespace corvella
