#include "classify/variant_annotation.h"

#include <algorithm>
#include <cctype>

#include "classify/hgvs_edit.h"
#include "classify/non_protein.h"
#include "classify/protein_reports.h"
#include "classify/rrna_classification.h"
#include "classify/variant_text.h"
#include "core/nucleotides.h"
#include "core/trna_structure.h"

namespace corvella {

const char* region_type_name(RegionType type) {
    switch (type) {
        case RegionType::Protein: return "protein";
        case RegionType::Trna: return "tRNA";
        case RegionType::Rrna: return "rRNA";
        case RegionType::DLoop: return "D-loop";
        case RegionType::NonCoding: break;
    }
    return "non-coding";
}

std::vector<VariantRegion> variant_regions(const Workspace& ws, int32_t p) {
    std::vector<VariantRegion> regions;
    for (int g = 0; g < PROTEIN_GENE_COUNT; ++g)
        if (ws.in_protein_gene(g, p)) regions.push_back({RegionType::Protein, g});
    const NonProteinLocation where = locate_non_protein(ws, p);
    for (const int row : where.rna_rows)
        regions.push_back({row < TRNA_COUNT ? RegionType::Trna : RegionType::Rrna, row});
    if (where.in_dloop) regions.push_back({RegionType::DLoop, -1});
    if (regions.empty()) regions.push_back({RegionType::NonCoding, -1});
    return regions;
}

std::string variant_region_name(const VariantRegion& region) {
    switch (region.type) {
        case RegionType::Protein: return PROTEIN_GENE_NAMES[static_cast<size_t>(region.row)];
        case RegionType::Trna:
        case RegionType::Rrna: return qualified_rna_name(region.row);
        case RegionType::DLoop: return "D-loop";
        case RegionType::NonCoding: break;
    }
    return "Non-coding";
}

std::string variant_region_symbol(const Workspace& ws, const VariantRegion& region) {
    switch (region.type) {
        case RegionType::Protein: return ws.protein_symbols[static_cast<size_t>(region.row)];
        case RegionType::Trna:
        case RegionType::Rrna: return ws.rna_symbols[static_cast<size_t>(region.row)];
        case RegionType::DLoop:
        case RegionType::NonCoding: break;
    }
    return std::string();
}

const char* consequence_term(CodonConsequence c) {
    switch (c) {
        case CodonConsequence::Synonymous: return "synonymous_variant";
        case CodonConsequence::Missense: return "missense_variant";
        case CodonConsequence::StopGained: return "stop_gained";
        case CodonConsequence::StopLost: return "stop_lost";
        case CodonConsequence::StopRetained: return "stop_retained_variant";
        case CodonConsequence::StartLost: return "start_lost";
        case CodonConsequence::StartRetained: return "start_retained_variant";
        case CodonConsequence::Incomplete: break;
    }
    return "incomplete_terminal_codon_variant";
}

CodonConsequence codon_consequence(const CodonChange& change) {
    const bool ref_stop = change.ref_amino_acid == "STOP";
    const bool alt_stop = change.new_amino_acid == "STOP";
    if (change.ref_amino_acid == "X" || change.new_amino_acid == "X") return CodonConsequence::Incomplete;
    if (ref_stop && alt_stop) return CodonConsequence::StopRetained;
    if (ref_stop) return CodonConsequence::StopLost;
    if (alt_stop) return CodonConsequence::StopGained;
    return change.synonymous ? CodonConsequence::Synonymous : CodonConsequence::Missense;
}

std::string three_letter_amino_acid(const std::string& amino_acid) {
    if (amino_acid == "STOP") return "Ter";
    if (amino_acid.size() != 1) return "Xaa";
    switch (amino_acid[0]) {
        case 'A': return "Ala";
        case 'R': return "Arg";
        case 'N': return "Asn";
        case 'D': return "Asp";
        case 'C': return "Cys";
        case 'Q': return "Gln";
        case 'E': return "Glu";
        case 'G': return "Gly";
        case 'H': return "His";
        case 'I': return "Ile";
        case 'L': return "Leu";
        case 'K': return "Lys";
        case 'M': return "Met";
        case 'F': return "Phe";
        case 'P': return "Pro";
        case 'S': return "Ser";
        case 'T': return "Thr";
        case 'W': return "Trp";
        case 'Y': return "Tyr";
        case 'V': return "Val";
        default: return "Xaa";
    }
}

bool is_initiation_codon(const std::string& codon, int genetic_code) {
    const GeneticCodeTable* table = find_genetic_code(genetic_code);
    if (table == nullptr || codon.size() != 3) return false;
    for (const char* at = table->starts; *at != 0;) {
        if (std::string(at, 3) == codon) return true;
        at += 3;
        while (*at == ' ') ++at;
    }
    return false;
}

namespace {

int32_t gene_length(const Workspace& ws, int gene) { return ws.protein_end(gene) - ws.protein_start(gene) + 1; }

// The letter at 0-based place i of the gene's coding sequence on its own
// strand; places past the gene's end are the A's of the poly(A) tail.
char coding_letter(const Workspace& ws, int gene, int32_t i) {
    if (i >= gene_length(ws, gene)) return 'A';
    const bool reverse = ws.protein_reading[static_cast<size_t>(gene)].reverse;
    const int32_t p = reverse ? ws.protein_end(gene) - i : ws.protein_start(gene) + i;
    if (p < 1 || p > ws.reference_length()) return ' ';
    const char letter = ws.reference_letter(p);
    return reverse ? complement_base(letter) : letter;
}

bool is_base(char c) { return c == 'A' || c == 'C' || c == 'G' || c == 'T'; }

}  // namespace

std::string coding_sequence(const Workspace& ws, int gene) {
    const int32_t length = gene_length(ws, gene);
    std::string cds;
    for (int32_t i = 0; i < length + (3 - length % 3) % 3; ++i) cds.push_back(coding_letter(ws, gene, i));
    return cds;
}

ProteinChange protein_change(const Workspace& ws, int gene, int32_t p, char base) {
    const ProteinGeneReading reading = ws.protein_reading[static_cast<size_t>(gene)];
    ProteinChange out;
    CodonChange& c = out.codon;
    c.gene_index = gene;
    c.variant_position = p;
    c.ref_base = p >= 1 && p <= ws.reference_length() ? ws.reference_letter(p) : ' ';
    c.new_base = base;
    const int32_t i = reading.reverse ? ws.protein_end(gene) - p : p - ws.protein_start(gene);
    c.codon_position = static_cast<int>(i % 3) + 1;
    c.amino_acid_position = static_cast<int>(i / 3) + 1;
    for (int32_t k = i - i % 3; k < i - i % 3 + 3; ++k) c.ref_codon.push_back(coding_letter(ws, gene, k));
    out.coding_position = i + 1;
    out.coding_ref = c.ref_codon[static_cast<size_t>(i % 3)];
    out.coding_alt = reading.reverse ? complement_base(base) : base;
    c.new_codon = c.ref_codon;
    c.new_codon[static_cast<size_t>(i % 3)] = out.coding_alt;
    c.ref_amino_acid = geneticCode(c.ref_codon, reading.genetic_code);
    c.new_amino_acid = geneticCode(c.new_codon, reading.genetic_code);
    c.synonymous = c.ref_amino_acid == c.new_amino_acid;
    out.consequence = codon_consequence(c);
    if (c.amino_acid_position == 1 && out.consequence != CodonConsequence::Incomplete) {
        // Every protein begins with Met, whatever its initiation codon.
        c.ref_amino_acid = "M";
        const bool retained = is_initiation_codon(c.new_codon, reading.genetic_code);
        if (retained) c.new_amino_acid = "M";
        out.consequence = retained ? CodonConsequence::StartRetained : CodonConsequence::StartLost;
    }
    c.synonymous = c.ref_amino_acid == c.new_amino_acid;
    return out;
}

std::string hgvs_accession(const Workspace& ws) {
    if (ws.human_reference || ws.reference_accession.empty()) return "NC_012920.1";
    // HGVS names a sequence with its version.
    const std::string& v = ws.reference_version;
    if (v.size() > ws.reference_accession.size() && v.compare(0, ws.reference_accession.size(), ws.reference_accession) == 0 &&
        v[ws.reference_accession.size()] == '.')
        return v;
    return ws.reference_accession;
}

std::string hgvs_genomic(const Workspace& ws, int32_t p, char base) {
    return "m." + std::to_string(p) + reference_letter_or_z(ws, p) + ">" + base;
}

std::string hgvs_protein(const CodonChange& change) { return hgvs_protein(change, codon_consequence(change)); }

std::string hgvs_protein(const CodonChange& change, CodonConsequence consequence) {
    const std::string position = std::to_string(change.amino_acid_position);
    const std::string ref = three_letter_amino_acid(change.ref_amino_acid);
    const std::string alt = three_letter_amino_acid(change.new_amino_acid);
    switch (consequence) {
        case CodonConsequence::Incomplete: return "p.?";
        // Whether and where another initiation codon starts the protein is
        // not known.
        case CodonConsequence::StartLost: return "p.Met1?";
        case CodonConsequence::StartRetained: return "p.Met1=";
        case CodonConsequence::Synonymous:
        case CodonConsequence::StopRetained: return "p." + ref + position + "=";
        // The new stop further on is not known: the reading goes past the gene.
        case CodonConsequence::StopLost: return "p." + ref + position + alt + "ext*?";
        case CodonConsequence::StopGained:
        case CodonConsequence::Missense: break;
    }
    return "p." + ref + position + alt;
}

namespace {

void fill_protein(const Workspace& ws, int gene, int32_t p, char base, VariantAnnotation& a) {
    const ProteinChange change = protein_change(ws, gene, p, base);
    a.coding = true;
    a.codon = change.codon;
    a.consequence = consequence_term(change.consequence);
    a.ref_codon = change.codon.ref_codon;
    a.alt_codon = change.codon.new_codon;
    replace_T_U(a.ref_codon);
    replace_T_U(a.alt_codon);
    a.codon_position = std::to_string(change.codon.codon_position);
    a.ref_aa = change.codon.ref_amino_acid;
    a.alt_aa = change.codon.new_amino_acid;
    a.aa_position = std::to_string(change.codon.amino_acid_position);
    a.polarity = polarityAcidity(a.ref_aa) + ">" + polarityAcidity(a.alt_aa);
    a.hgvs_protein = hgvs_protein(change.codon, change.consequence);
    a.hgvs_coding = "c." + std::to_string(change.coding_position) + change.coding_ref + ">" + change.coding_alt;
}

}  // namespace

std::vector<VariantAnnotation> annotate_variant(const Workspace& ws, int32_t p, char base) {
    std::vector<VariantAnnotation> annotations;
    for (const VariantRegion& region : variant_regions(ws, p)) {
        VariantAnnotation a;
        a.region = region;
        a.region_name = variant_region_name(region);
        a.symbol = variant_region_symbol(ws, region);
        a.hgvs_genomic = hgvs_genomic(ws, p, base);
        switch (region.type) {
            case RegionType::Protein: fill_protein(ws, region.row, p, base, a); break;
            case RegionType::Trna:
                a.consequence = "non_coding_transcript_exon_variant";
                // The cloverleaf slots are numbered on the built-in reference.
                if (ws.human_reference)
                    if (const auto slot = trna_slot(region.row, p))
                        a.trna_structure = TRNA_SLOT_NAMES[static_cast<size_t>(*slot)];
                break;
            case RegionType::Rrna:
                a.consequence = "non_coding_transcript_exon_variant";
                if (ws.human_reference) {
                    const Rrna r = region.row == RRNA_12S_ROW ? Rrna::S12 : Rrna::S16;
                    if (const auto place = rrna_place_in(ws, r, p)) a.rrna_structure = stem_word(place->stem);
                }
                break;
            case RegionType::DLoop:
            case RegionType::NonCoding: a.consequence = "intergenic_variant"; break;
        }
        annotations.push_back(std::move(a));
    }
    return annotations;
}

namespace {

std::string reverse_complement(const std::string& text) {
    std::string out(text.rbegin(), text.rend());
    for (char& c : out) c = complement_base(c);
    return out;
}

std::string upper(const std::string& text) {
    std::string out = text;
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

// The regions an insertion or deletion touches: for a deletion every region
// of any letter it removes; for an insertion the regions that hold both
// letters it goes between (none of them: non-coding).
std::vector<VariantRegion> edit_regions(const Workspace& ws, const SequenceEdit& e) {
    std::vector<VariantRegion> regions;
    if (e.length == 0) {
        const auto left = variant_regions(ws, static_cast<int32_t>(e.start));
        const auto right = variant_regions(ws, static_cast<int32_t>(e.start) + 1);
        for (const VariantRegion& r : right)
            if (std::find(left.begin(), left.end(), r) != left.end()) regions.push_back(r);
        if (regions.empty()) regions.push_back({RegionType::NonCoding, -1});
        return regions;
    }
    for (size_t i = e.start; i < e.start + e.length; ++i)
        for (const VariantRegion& r : variant_regions(ws, static_cast<int32_t>(i) + 1))
            if (std::find(regions.begin(), regions.end(), r) == regions.end()) regions.push_back(r);
    // A stretch that is partly in a region is in it: the rest is not "non-coding" on its own.
    if (regions.size() > 1)
        regions.erase(std::remove(regions.begin(), regions.end(), VariantRegion{RegionType::NonCoding, -1}),
                      regions.end());
    return regions;
}

// An insertion or deletion in a protein gene: the term, and the coding and
// protein HGVS when the change lies wholly inside the gene.
void fill_protein_indel(const Workspace& ws, int gene, const SequenceEdit& e, VariantAnnotation& a) {
    const int32_t s = ws.protein_start(gene), end = ws.protein_end(gene);
    const auto length = static_cast<size_t>(end - s + 1);
    const size_t first = static_cast<size_t>(s) - 1;  // 0-based genomic index of the gene's first letter
    const bool inside = e.length > 0 ? e.start >= first && e.start + e.length <= first + length
                                     : e.start > first && e.start < first + length;
    const long delta = static_cast<long>(e.inserted.size()) - static_cast<long>(e.length);
    if (!inside) {
        a.consequence = "coding_sequence_variant";
        return;
    }
    a.consequence = delta % 3 != 0 ? "frameshift_variant" : delta > 0 ? "inframe_insertion" : "inframe_deletion";
    const ProteinGeneReading reading = ws.protein_reading[static_cast<size_t>(gene)];
    SequenceEdit coding = e;
    if (reading.reverse) {
        const size_t last = first + length - 1;
        coding.start = e.length > 0 ? last - (e.start + e.length - 1) : last + 1 - e.start;
        coding.inserted = reverse_complement(e.inserted);
    } else {
        coding.start = e.start - first;
    }
    const std::string padded = coding_sequence(ws, gene);
    const std::string cds = padded.substr(0, length);
    a.hgvs_coding = "c." + hgvs_nucleotide(cds, coding, 1);
    std::string changed = apply_edit(cds, coding);
    changed.append((3 - changed.size() % 3) % 3, 'A');  // the poly(A) tail completes the last codon
    std::vector<std::string> before = translate_codons(padded, reading.genetic_code);
    std::vector<std::string> after = translate_codons(changed, reading.genetic_code);
    // Every protein begins with Met, whatever its initiation codon.
    if (!before.empty()) before[0] = "Met";
    if (!after.empty() && is_initiation_codon(changed.substr(0, 3), reading.genetic_code)) after[0] = "Met";
    a.hgvs_protein = hgvs_protein_change(before, after, delta % 3 != 0);
}

}  // namespace

std::vector<VariantAnnotation> annotate_allele(const Workspace& ws, int32_t position, const std::string& ref_text,
                                               const std::string& alt_text) {
    std::vector<VariantAnnotation> annotations;
    const std::string ref = upper(ref_text), alt = upper(alt_text);
    if (ref.empty() || !std::all_of(alt.begin(), alt.end(), is_base)) return annotations;
    if (position < 1 || static_cast<int64_t>(position) + static_cast<int64_t>(ref.size()) - 1 > ws.reference_length())
        return annotations;
    const std::string& sequence = ws.ref_sequence;
    const SequenceEdit e = trim_edit(sequence, {static_cast<size_t>(position) - 1, ref.size(), alt});
    if (e.length == e.inserted.size()) {
        // Equal lengths: one substitution per letter that differs.
        for (size_t k = 0; k < e.length; ++k) {
            const char letter = sequence[e.start + k];
            if (letter == e.inserted[k] || !is_base(letter)) continue;
            for (VariantAnnotation& a : annotate_variant(ws, static_cast<int32_t>(e.start + k) + 1, e.inserted[k]))
                annotations.push_back(std::move(a));
        }
        return annotations;
    }
    const std::string genomic = "m." + hgvs_nucleotide(sequence, e, 1);
    for (const VariantRegion& region : edit_regions(ws, e)) {
        VariantAnnotation a;
        a.region = region;
        a.region_name = variant_region_name(region);
        a.symbol = variant_region_symbol(ws, region);
        a.hgvs_genomic = genomic;
        switch (region.type) {
            case RegionType::Protein: fill_protein_indel(ws, region.row, e, a); break;
            case RegionType::Trna:
            case RegionType::Rrna: a.consequence = "non_coding_transcript_exon_variant"; break;
            case RegionType::DLoop:
            case RegionType::NonCoding: a.consequence = "intergenic_variant"; break;
        }
        annotations.push_back(std::move(a));
    }
    return annotations;
}

}  // namespace corvella
