#include "classify/vcf_consequences.h"

#include <cctype>

#include "classify/variant_annotation.h"

namespace corvella {

const char* const CSQ_FORMAT =
    "Allele|Consequence|SYMBOL|Feature_type|HGVSg|HGVSc|HGVSp|Protein_position|Amino_acids|Codons|"
    "MT_region_type|MT_tRNA_structure|MT_rRNA_structure";

std::string csq_header_line() {
    return std::string("##INFO=<ID=CSQ,Number=.,Type=String,Description=\"Consequence annotations from "
                       "Corvella. Format: ") +
           CSQ_FORMAT + "\">";
}

namespace {

// INFO values hold no blanks (the annotator writes "_"), and ",", "|",
// ";" and "=" separate entries, fields and keys: they are percent-encoded
// as VCF 4.3 does (p.Thr8= is written p.Thr8%3D, as the annotator does).
std::string field(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case ' ': case '\t': out += '_'; break;
            case ',': out += "%2C"; break;
            case '|': out += "%7C"; break;
            case ';': out += "%3B"; break;
            case '=': out += "%3D"; break;
            case '%': out += "%25"; break;
            default: out += c;
        }
    }
    return out;
}

// "T", "STOP" -> "*", "X" stays.
std::string one_letter(const std::string& amino_acid) { return amino_acid == "STOP" ? "*" : amino_acid; }

// The annotator's codon pair: lower case with the changed letter in upper
// case, DNA letters; a letter past the gene end reads "-".
std::string codons(const CodonChange& c) {
    auto show = [&c](std::string codon) {
        for (size_t i = 0; i < codon.size(); ++i) {
            const bool changed = static_cast<int>(i) == c.codon_position - 1;
            const char letter = codon[i] == ' ' ? '-' : codon[i];
            codon[i] = static_cast<char>(changed ? std::toupper(static_cast<unsigned char>(letter))
                                                 : std::tolower(static_cast<unsigned char>(letter)));
        }
        return codon;
    };
    return show(c.ref_codon) + "/" + show(c.new_codon);
}

std::string entry(const Workspace& ws, const std::string& allele, const VariantAnnotation& a) {
    const bool transcript = a.region.type == RegionType::Protein || a.region.type == RegionType::Trna ||
                            a.region.type == RegionType::Rrna;
    // A gene whose record gives no /gene goes by its region name; the
    // D-loop and the non-coding rest have no symbol (MT_region_type says
    // where they are).
    const std::string symbol = a.symbol.empty() && transcript ? a.region_name : a.symbol;
    std::string amino_acids, codon_pair, protein_position;
    if (a.coding) {
        const std::string ref = one_letter(a.codon.ref_amino_acid), alt = one_letter(a.codon.new_amino_acid);
        amino_acids = ref == alt ? ref : ref + "/" + alt;
        codon_pair = codons(a.codon);
        protein_position = a.aa_position;
    }
    auto on_gene = [&symbol](const std::string& hgvs) { return hgvs.empty() ? hgvs : symbol + ":" + hgvs; };
    const std::vector<std::string> fields = {allele,
                                             a.consequence,
                                             symbol,
                                             transcript ? "Transcript" : "",
                                             hgvs_accession(ws) + ":" + a.hgvs_genomic,
                                             on_gene(a.hgvs_coding),
                                             on_gene(a.hgvs_protein),
                                             protein_position,
                                             amino_acids,
                                             codon_pair,
                                             region_type_name(a.region.type),
                                             a.trna_structure,
                                             a.rrna_structure};
    std::string out;
    for (size_t i = 0; i < fields.size(); ++i) out += (i ? "|" : "") + field(fields[i]);
    return out;
}

}  // namespace

std::string csq_value(const Workspace& ws, int64_t position, std::string_view ref,
                      const std::vector<std::string>& alts) {
    std::string value;
    if (position < 1 || position > INT32_MAX) return value;
    const auto p = static_cast<int32_t>(position);
    const std::string reference(ref);
    for (const std::string& alt : alts) {
        if (alt.empty() || alt == "*" || alt == "." || alt.front() == '<' ||
            alt.find_first_of("[]") != std::string::npos)
            continue;
        for (const VariantAnnotation& a : annotate_allele(ws, p, reference, alt)) {
            if (!value.empty()) value += ',';
            value += entry(ws, alt, a);
        }
    }
    return value;
}

}  // namespace corvella
