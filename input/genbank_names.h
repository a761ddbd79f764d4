// The ways GenBank records name the genes, RNAs and control region that the
// region table holds. Every test is on the whole qualifier value (without its
// quotes), ignoring case.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvella {

// The protein gene row 0..12 that a /gene value names: the name table's own
// name ("ATP6" ... "ND6") or one of the usual synonyms (COI, CO1, COX1, COII,
// COIII, cob, Cytb, NADH1..6, NADH4L, NAD1..6, NAD4L, ATPase 6, ATPase 8);
// -1 for anything else, such as "MT-ATP6".
int protein_gene_row(std::string_view gene);

// The tRNA rows 0..21 a /product value may fill, in the order to try them:
// "tRNA-Phe" or the one-letter code "F" give row 0. Leucine and serine have
// two rows each; which comes first is decided by the codon the tRNA reads
// (`codon`, from /codon_recognized or the anticodon, may be empty): UUR then
// CUN, UCN then AGY; without a codon by L1/L2, S1/S2 (human nomenclature:
// L1 = Leu(UUR), S1 = Ser(UCN)); else file order. Empty when the value names
// no tRNA.
std::vector<int> trna_rows(std::string_view product, std::string_view codon);

// The codon a tRNA reads, in RNA letters, from a /codon_recognized value
// ("UUR") or from the seq: part of an /anticodon value
// ("(pos:3265..3267,aa:Leu,seq:taa)" gives "UUA"); empty when neither reads.
std::string codon_of_codon_recognized(std::string_view value);
std::string codon_of_anticodon(std::string_view value);

// Row 22 (12S) or 23 (16S) of an rRNA /product value: s-rRNA, rrnS, 12S (or
// any value whose first word is 12S, such as "12S ribosomal RNA"), small
// subunit ribosomal RNA; likewise l-rRNA, rrnL, 16S, large subunit ribosomal
// RNA. -1 for anything else.
int rrna_row(std::string_view product);

// Whether a /note of a misc_feature or repeat_region marks the control
// region: it contains "control region" or "D-loop" anywhere.
bool names_control_region(std::string_view note);

}  // namespace corvella
