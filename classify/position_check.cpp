#include "classify/position_check.h"

#include <optional>

#include "classify/genetic_code.h"
#include "core/trna_structure.h"

namespace corvella {

namespace {

bool is_nucleotide(char c) { return c == 'A' || c == 'C' || c == 'G' || c == 'T'; }

PositionCheck rejected(const char* message) {
    PositionCheck c;
    c.message = message;
    return c;
}

}  // namespace

bool is_protein(const Workspace& ws, int32_t p) {
    for (int k = 0; k < PROTEIN_GENE_COUNT; ++k)
        if (ws.in_protein_gene(k, p)) return true;
    return false;
}

std::string locus(const Workspace& ws, int32_t p) {
    for (int t = 0; t < TRNA_COUNT; ++t) {
        if (!ws.in_rna_gene(t, p)) continue;
        if (const std::optional<int> slot = trna_slot(t, p))
            return std::string(RNA_GENE_NAMES[t]) + "(" + TRNA_SLOT_NAMES[*slot] + ")";
    }
    for (int r : {RRNA_12S_ROW, RRNA_16S_ROW})
        if (ws.in_rna_gene(r, p)) return RNA_GENE_NAMES[r];
    if (ws.is_dloop(p)) return "D-loop";
    return "non-coding";
}

PositionCheck check_and_setPosition(const Workspace& ws, const std::string& entry) {
    if (entry.empty()) return rejected("Insert a position number!");
    // Accumulate with a ceiling so that a long run of digits cannot overflow;
    // anything past the ceiling is larger than any reference.
    constexpr int64_t ceiling = int64_t{MAX_REFERENCE_LENGTH} + 1;
    int64_t value = 0;
    for (char c : entry) {
        if (c < '0' || c > '9') return rejected("Position number is not correct!");
        value = value * 10 + (c - '0');
        if (value > ceiling) value = ceiling;
    }
    // Position 0 passes the digit test but names no letter of the reference.
    if (value == 0) return rejected("Position number is not correct!");
    if (value > ws.reference_length()) return rejected("Position number too large!");

    PositionCheck c;
    c.position = static_cast<int32_t>(value);
    c.ref_base = ws.reference_letter(c.position);
    if (is_protein(ws, c.position)) {
        c.outcome = PositionOutcome::Protein;
    } else {
        c.outcome = PositionOutcome::NonProtein;
        c.locus = locus(ws, c.position);
    }
    return c;
}

bool is_synonymous(const Workspace& ws, int gene, int32_t position, char new_base,
                   std::vector<std::string>& lines) {
    CodonChange c = build_codon_change(ws, gene, position, new_base);
    std::string ref_codon = c.ref_codon;
    std::string new_codon = c.new_codon;
    replace_T_U(ref_codon);
    replace_T_U(new_codon);

    lines.push_back(std::string("Locus: ") + PROTEIN_GENE_NAMES[gene]);
    lines.push_back("Amino acid position: " + std::to_string(c.amino_acid_position));
    lines.push_back("Codon: " + ref_codon + " -> " + new_codon);
    if (c.ref_amino_acid == "X" || c.new_amino_acid == "X") {
        lines.push_back("Codons with incorrect bases!");
        lines.push_back("Check the sequence.");
        return false;
    }
    lines.push_back("Amino acid: " + c.ref_amino_acid + " -> " + c.new_amino_acid +
                    (c.synonymous ? " (Synonymous)" : " (Non-Synonymous)"));
    lines.push_back("Polarity/Acidity: " + polarityAcidity(c.ref_amino_acid) + " -> " +
                    polarityAcidity(c.new_amino_acid));
    lines.emplace_back();
    return c.synonymous;
}

PositionRun run_position_check(const Workspace& ws, const std::string& entry, char new_base) {
    PositionRun run;
    run.check = check_and_setPosition(ws, entry);
    switch (run.check.outcome) {
    case PositionOutcome::Rejected:
        run.message = run.check.message;
        return run;
    case PositionOutcome::NonProtein:
        run.lines.push_back(run.check.locus);
        return run;
    case PositionOutcome::Protein:
        break;
    }
    if (!is_nucleotide(run.check.ref_base)) {
        run.message = "The character in the reference is not valid!";
        return run;
    }
    if (!is_nucleotide(new_base)) {
        run.message = "Select the mutation base.";
        return run;
    }
    if (new_base == run.check.ref_base) {
        run.message = "The new base must be different.";
        return run;
    }
    for (int k = 0; k < PROTEIN_GENE_COUNT; ++k)
        if (ws.in_protein_gene(k, run.check.position))
            is_synonymous(ws, k, run.check.position, new_base, run.lines);
    run.completed = true;
    return run;
}

std::string memo_text(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

}  // namespace corvella
