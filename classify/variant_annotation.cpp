#include "classify/variant_annotation.h"

#include "classify/non_protein.h"
#include "classify/protein_reports.h"
#include "classify/rrna_classification.h"
#include "classify/variant_text.h"
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

const char* consequence_term(CodonConsequence c) {
    switch (c) {
        case CodonConsequence::Synonymous: return "synonymous_variant";
        case CodonConsequence::Missense: return "missense_variant";
        case CodonConsequence::StopGained: return "stop_gained";
        case CodonConsequence::StopLost: return "stop_lost";
        case CodonConsequence::StopRetained: return "stop_retained_variant";
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

std::string hgvs_genomic(const Workspace& ws, int32_t p, char base) {
    return "m." + std::to_string(p) + reference_letter_or_z(ws, p) + ">" + base;
}

std::string hgvs_protein(const CodonChange& change) {
    const std::string position = std::to_string(change.amino_acid_position);
    const std::string ref = three_letter_amino_acid(change.ref_amino_acid);
    const std::string alt = three_letter_amino_acid(change.new_amino_acid);
    switch (codon_consequence(change)) {
        case CodonConsequence::Incomplete: return "p.?";
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
    // The display columns come from the protein per-position report's own
    // row builder, so the two files always show the same codons.
    const auto columns = line_result_syn(ws, VariantKey{p, base}, gene);
    a.coding = true;
    a.codon = build_codon_change(ws, gene, p, base);
    a.consequence = consequence_term(codon_consequence(a.codon));
    a.ref_codon = columns[4];
    a.alt_codon = columns[5];
    a.codon_position = columns[6];
    a.ref_aa = columns[7];
    a.alt_aa = columns[8];
    a.aa_position = columns[9];
    a.polarity = columns[10] + ">" + columns[11];
    a.hgvs_protein = hgvs_protein(a.codon);
}

}  // namespace

std::vector<VariantAnnotation> annotate_variant(const Workspace& ws, int32_t p, char base) {
    std::vector<VariantAnnotation> annotations;
    for (const VariantRegion& region : variant_regions(ws, p)) {
        VariantAnnotation a;
        a.region = region;
        a.region_name = variant_region_name(region);
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

}  // namespace corvella
