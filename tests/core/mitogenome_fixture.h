// Small GenBank records shaped like real mitogenome submissions: every
// feature the reader needs, each a few dozen bases long, over a made-up
// sequence. The moth layout has ND1, ND4, ND4L and ND5 on the complement
// strand and ND6 on the plus strand, every CDS under /transl_table=5, as
// invertebrate records come.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace corvella_test {

struct FixtureFeature {
    std::string key;                     // "gene", "CDS", "tRNA", "rRNA", "misc_feature", ...
    std::string location;                // as the record writes it
    std::vector<std::string> qualifiers; // whole qualifier lines without the indentation, "/gene=\"COI\""
};

struct FixtureRecord {
    std::string accession;
    std::string sequence;  // upper case
    std::vector<FixtureFeature> features;
};

// The GenBank text of a record: header, features in the order given, and the
// sequence in ORIGIN lines of 60 letters in groups of 10, lower case.
inline std::string genbank_text(const FixtureRecord& r) {
    std::string t = "LOCUS       " + r.accession + "  " + std::to_string(r.sequence.size()) +
                    " bp    DNA     circular INV 01-JAN-2012\n"
                    "DEFINITION  Made-up mitochondrion, complete genome.\n"
                    "ACCESSION   " + r.accession + "\n"
                    "VERSION     " + r.accession + ".1\n"
                    "FEATURES             Location/Qualifiers\n"
                    "     source          1.." + std::to_string(r.sequence.size()) + "\n"
                    "                     /organism=\"Made-up species\"\n"
                    "                     /organelle=\"mitochondrion\"\n";
    for (const FixtureFeature& f : r.features) {
        std::string key_column = "     " + f.key;
        key_column.resize(21, ' ');
        t += key_column + f.location + "\n";
        for (const std::string& q : f.qualifiers) t += "                     " + q + "\n";
    }
    t += "ORIGIN\n";
    for (size_t i = 0; i < r.sequence.size(); i += 60) {
        std::string number = std::to_string(i + 1);
        t += std::string(9 - number.size(), ' ') + number;
        for (size_t j = i; j < i + 60 && j < r.sequence.size(); j += 10) {
            t += ' ';
            for (size_t k = j; k < j + 10 && k < r.sequence.size(); ++k)
                t += static_cast<char>(r.sequence[k] - 'A' + 'a');
        }
        t += "\n";
    }
    t += "//\n";
    return t;
}

// One gene of a fixture layout: what it is and how long, its strand, and the
// names the two naming styles give it.
struct LayoutEntry {
    enum Kind { Protein, TRna, RRna, Control } kind;
    int length;
    bool complement;
    const char* embl_name;   // moth style: COI, NADH1, one-letter tRNA products, rrnL ...
    const char* other_name;  // other forms: cox1, NAD1, tRNA-Xxx upper case, 16S ...
    const char* codon;       // tRNA: the /codon_recognized value, or nullptr
    int row;                 // the row it must fill: protein or RNA table row; -1 the control region
};

// An insect-like gene order. Leucine and serine come with their codons: the
// serine reading AGN lies below the one reading UCN, against the row order of
// the human table.
inline const std::vector<LayoutEntry>& moth_layout() {
    static const std::vector<LayoutEntry> layout = {
        {LayoutEntry::TRna, 21, false, "M", "TRNA-MET", nullptr, 5},
        {LayoutEntry::TRna, 21, false, "I", "tRNA-Ile", nullptr, 3},
        {LayoutEntry::TRna, 21, true, "Q", "trna-gln", nullptr, 4},
        {LayoutEntry::Protein, 48, false, "NADH2", "NAD2", nullptr, 7},
        {LayoutEntry::TRna, 21, false, "W", "tRNA-Trp", nullptr, 6},
        {LayoutEntry::TRna, 21, true, "C", "tRNA-Cys", nullptr, 9},
        {LayoutEntry::TRna, 21, true, "Y", "tRNA-Tyr", nullptr, 10},
        {LayoutEntry::Protein, 60, false, "COI", "cox1", nullptr, 2},
        {LayoutEntry::TRna, 21, false, "L", "L1", "UUR", 2},
        {LayoutEntry::Protein, 45, false, "COII", "CO2", nullptr, 3},
        {LayoutEntry::TRna, 21, false, "K", "tRNA-Lys", nullptr, 13},
        {LayoutEntry::TRna, 21, false, "D", "tRNA-Asp", nullptr, 12},
        {LayoutEntry::Protein, 33, false, "ATPase 8", "ATPase8", nullptr, 1},
        {LayoutEntry::Protein, 51, false, "ATPase 6", "atp6", nullptr, 0},
        {LayoutEntry::Protein, 46, false, "COIII", "cox3", nullptr, 4},  // ends in an incomplete codon
        {LayoutEntry::TRna, 21, false, "G", "tRNA-Gly", nullptr, 14},
        {LayoutEntry::Protein, 36, false, "NADH3", "nad3", nullptr, 8},
        {LayoutEntry::TRna, 21, false, "A", "tRNA-Ala", nullptr, 7},
        {LayoutEntry::TRna, 21, false, "R", "tRNA-Arg", nullptr, 15},
        {LayoutEntry::TRna, 21, false, "N", "tRNA-Asn", nullptr, 8},
        {LayoutEntry::TRna, 21, false, "S", "S2", "AGN", 17},
        {LayoutEntry::TRna, 21, false, "E", "tRNA-Glu", nullptr, 19},
        {LayoutEntry::TRna, 21, true, "F", "tRNA-Phe", nullptr, 0},
        {LayoutEntry::Protein, 63, true, "NADH5", "NAD5", nullptr, 11},
        {LayoutEntry::TRna, 21, true, "H", "tRNA-His", nullptr, 16},
        {LayoutEntry::Protein, 57, true, "NADH4", "ND4", nullptr, 10},
        {LayoutEntry::Protein, 30, true, "NADH4L", "nad4l", nullptr, 9},
        {LayoutEntry::TRna, 21, false, "T", "tRNA-Thr", nullptr, 20},
        {LayoutEntry::TRna, 21, true, "P", "tRNA-Pro", nullptr, 21},
        {LayoutEntry::Protein, 39, false, "nd6", "NAD6", nullptr, 12},
        {LayoutEntry::Protein, 54, false, "Cytb", "cob", nullptr, 5},
        {LayoutEntry::TRna, 21, false, "S", "S1", "UCN", 11},
        {LayoutEntry::Protein, 42, true, "NADH1", "NAD1", nullptr, 6},
        {LayoutEntry::TRna, 21, true, "L", "L2", "CUN", 18},
        {LayoutEntry::RRna, 60, true, "rrnL", "16S ribosomal RNA", nullptr, 23},
        {LayoutEntry::TRna, 21, true, "V", "tRNA-Val", nullptr, 1},
        {LayoutEntry::RRna, 45, true, "small subunit ribosomal RNA", "s-rRNA", nullptr, 22},
        {LayoutEntry::Control, 57, false, "", "", nullptr, -1},
    };
    return layout;
}

// A made-up sequence: the same letters on every run.
inline std::string made_up_sequence(size_t length, uint32_t seed) {
    std::string s;
    for (size_t i = 0; i < length; ++i) {
        seed = seed * 1103515245u + 12345u;
        s.push_back("ACGT"[(seed >> 16) & 3u]);
    }
    return s;
}

enum class NamingStyle { Embl, Other };

// A record of the moth layout. Embl style: gene features and CDS with EMBL
// gene names, one-letter tRNA products with /codon_recognized, the control
// region as a misc_feature whose note names it late in its text. Other
// style: no gene features (the CDS carries the name), tRNA-Xxx products in
// any case and L1/L2, S1/S2 without codons, the control region as a
// repeat_region whose note wraps over two lines.
inline FixtureRecord moth_record(NamingStyle style, const std::string& transl_table = "5") {
    FixtureRecord r;
    r.accession = style == NamingStyle::Embl ? "NC_016067" : "MZ000001";
    int32_t at = 1;
    std::vector<std::pair<int32_t, int32_t>> ranges;
    for (const LayoutEntry& e : moth_layout()) {
        ranges.push_back({at, at + e.length - 1});
        at += e.length + 2;  // two letters of spacer between genes
    }
    r.sequence = made_up_sequence(static_cast<size_t>(at + 10), 20260101u);
    const bool embl = style == NamingStyle::Embl;
    for (size_t i = 0; i < moth_layout().size(); ++i) {
        const LayoutEntry& e = moth_layout()[i];
        const std::string range = std::to_string(ranges[i].first) + ".." + std::to_string(ranges[i].second);
        const std::string location = e.complement ? "complement(" + range + ")" : range;
        const std::string name = embl ? e.embl_name : e.other_name;
        switch (e.kind) {
            case LayoutEntry::Protein:
                if (embl) r.features.push_back({"gene", location, {"/gene=\"" + name + "\""}});
                r.features.push_back({"CDS", location,
                                      {"/gene=\"" + name + "\"", "/codon_start=1",
                                       "/transl_table=" + transl_table,
                                       "/product=\"made-up protein\""}});
                break;
            case LayoutEntry::TRna: {
                FixtureFeature f{"tRNA", location, {"/product=\"" + name + "\""}};
                if (embl && e.codon) f.qualifiers.push_back(std::string("/codon_recognized=\"") + e.codon + "\"");
                r.features.push_back(f);
                break;
            }
            case LayoutEntry::RRna:
                r.features.push_back({"rRNA", location, {"/product=\"" + name + "\""}});
                break;
            case LayoutEntry::Control:
                if (embl)
                    r.features.push_back({"misc_feature", location, {"/note=\"A+T region; control region\""}});
                else
                    r.features.push_back({"repeat_region", location,
                                          {"/note=\"tandem repeats of 18 bp, putative", "d-loop\"",
                                           "/rpt_type=tandem"}});
                break;
        }
    }
    return r;
}

}  // namespace corvella_test
