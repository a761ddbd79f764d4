// The variant table over a generated cohort of realistic size, checked row
// by row against the per-position reports of the protein, non-protein, tRNA
// and rRNA windows: the tables must never disagree about one variant.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "bench/cohort.h"
#include "classify/non_protein_reports.h"
#include "classify/protein_reports.h"
#include "classify/rrna_reports.h"
#include "classify/trna_reports.h"
#include "classify/variant_table.h"
#include "core/human_reference.h"
#include "input/polymorphism_list.h"
#include "protein_fixture.h"

namespace corvella {
namespace {

using Fields = std::vector<std::string>;

std::vector<Fields> rows_of(const std::string& text) { return testing::split_table(text); }

// Report rows keyed by (variant text, region as that report names it); the
// header row is dropped. A key never repeats in a per-position report.
std::map<std::pair<std::string, std::string>, Fields> keyed(const std::string& text, size_t region_column) {
    std::map<std::pair<std::string, std::string>, Fields> map;
    const auto rows = rows_of(text);
    for (size_t r = 1; r < rows.size(); ++r) {
        const bool fresh = map.emplace(std::make_pair(rows[r][0], rows[r][region_column]), rows[r]).second;
        EXPECT_TRUE(fresh) << rows[r][0] << " " << rows[r][region_column];
    }
    return map;
}

// The test's own three-letter names.
std::string three(const std::string& aa) {
    static const std::map<std::string, std::string> names = {
        {"A", "Ala"}, {"R", "Arg"}, {"N", "Asn"}, {"D", "Asp"}, {"C", "Cys"}, {"Q", "Gln"}, {"E", "Glu"},
        {"G", "Gly"}, {"H", "His"}, {"I", "Ile"}, {"L", "Leu"}, {"K", "Lys"}, {"M", "Met"}, {"F", "Phe"},
        {"P", "Pro"}, {"S", "Ser"}, {"T", "Thr"}, {"W", "Trp"}, {"Y", "Tyr"}, {"V", "Val"}, {"STOP", "Ter"}};
    const auto it = names.find(aa);
    return it == names.end() ? "?" : it->second;
}

int gene_row(const std::string& name) {
    for (int g = 0; g < PROTEIN_GENE_COUNT; ++g)
        if (name == PROTEIN_GENE_NAMES[static_cast<size_t>(g)]) return g;
    return 0;
}

class VariantTableAgreement : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        bench::CohortParams params;
        params.samples = 3000;
        params.seed = 99;
        params.distinct = 6000;
        const bench::CohortGenerator cohort(human_reference_sequence(), params);
        const std::string path = std::string(CORVELLA_BINARY_DIR) + "/variant_table_cohort.txt";
        {
            std::ofstream out(path, std::ios::binary);
            bench::write_polymorphism_list(out, cohort);
        }
        ws_ = new Workspace;
        use_human_ref_data(*ws_);
        ws_->human_reference = true;
        ASSERT_EQ(load_polymorphism_list(*ws_, path), 3000);
        std::remove(path.c_str());
    }
    static void TearDownTestSuite() { delete ws_; }
    static Workspace* ws_;
};
Workspace* VariantTableAgreement::ws_ = nullptr;

TEST_F(VariantTableAgreement, EveryRowAgreesWithThePerPositionReports) {
    const Workspace& ws = *ws_;
    const auto table = rows_of(variant_table_report(ws, ReportFormat::Text, nullptr).text);
    auto protein = keyed(protein_per_position_report(ws, ReportFormat::Text, nullptr).text, 2);
    auto non_protein = keyed(non_protein_per_position_report(ws, ReportFormat::Text, nullptr).text, 2);
    auto trna = keyed(trna_per_position_report(ws, ReportFormat::Text, nullptr).text, 2);
    auto rrna = keyed(rrna_per_position_report(ws, ReportFormat::Text, nullptr).text, 2);
    ASSERT_GT(protein.size(), 1000u);
    ASSERT_GT(trna.size(), 50u);
    ASSERT_GT(rrna.size(), 100u);

    // Carriers counted by the test from the sample lists, once per sample.
    std::map<std::string, int> carriers;
    for (size_t j = 0; j < ws.sample_positions.size(); ++j) {
        std::set<std::string> seen;
        for (size_t i = 0; i < ws.sample_positions[j].size(); ++i)
            seen.insert(std::to_string(ws.sample_positions[j][i]) + ws.sample_bases[j][i]);
        for (const std::string& v : seen) ++carriers[v];
    }

    ASSERT_EQ(table[0], variant_table_header());
    std::set<std::string> variants_seen, indels_seen;
    for (size_t r = 1; r < table.size(); ++r) {
        const Fields& row = table[r];
        ASSERT_EQ(row.size(), 32u);
        const std::string& variant = row[3];
        const std::string& region = row[11];
        const std::string& type = row[13];
        const std::string& consequence = row[14];
        if (row[1].size() != 1 || row[2].size() != 1) {
            // The list's insertions and deletions, which no report counts.
            indels_seen.insert(row[0] + row[1] + row[2]);
            continue;
        }
        variants_seen.insert(variant);
        const std::string change = row[1] + "-" + row[2];
        EXPECT_EQ(row[4], "m." + row[0] + row[1] + ">" + row[2]);
        const int samples = carriers[row[0] + row[2]];
        EXPECT_EQ(row[5], std::to_string(samples)) << variant;
        char frequency[32];
        std::snprintf(frequency, sizeof frequency, "%.6f", samples / 3000.0);
        EXPECT_EQ(row[7], frequency);
        EXPECT_EQ(row[8], row[5]);  // list calls are homoplasmic
        EXPECT_EQ(row[9], "0");
        EXPECT_EQ(row[10], "1.000");

        if (type == "protein") {
            const auto it = protein.find({variant, region});
            ASSERT_NE(it, protein.end()) << variant << " " << region;
            const Fields& p = it->second;
            EXPECT_EQ(p[1], change);
            EXPECT_EQ(p[12], row[6]);  // Frequency there is the occurrence count
            EXPECT_EQ(row[12], PROTEIN_GENE_SYMBOLS[static_cast<size_t>(gene_row(region))]);
            // The report reads the initiation codon as any other codon and
            // the last codon of ND1, ND2, COX3, ND3, ND4 and CYTB with the
            // next gene's letters; the table reads them as the biology does
            // (the conformance table checks their values).
            const int g = gene_row(region);
            const int32_t length = ws.protein_end(g) - ws.protein_start(g) + 1;
            const int aa = std::stoi(p[9]);
            if (aa == 1) {
                EXPECT_TRUE(consequence == "start_lost" || consequence == "start_retained_variant") << variant;
                EXPECT_EQ(row[18], "M");
                protein.erase(it);
                continue;
            }
            if (length % 3 != 0 && aa == length / 3 + 1) {
                EXPECT_EQ(consequence, "stop_lost") << variant;
                EXPECT_EQ(row[16].substr(0, 3), p[4].substr(0, length % 3) + std::string(3 - length % 3, 'A'));
                protein.erase(it);
                continue;
            }
            EXPECT_EQ(row[15], p[6]);
            EXPECT_EQ(row[16], p[4]);
            EXPECT_EQ(row[17], p[5]);
            EXPECT_EQ(row[18], p[7]);
            EXPECT_EQ(row[19], p[8]);
            EXPECT_EQ(row[20], p[9]);
            EXPECT_EQ(row[21], p[10] + ">" + p[11]);
            const std::string& ref = p[7];
            const std::string& alt = p[8];
            std::string expected_term, expected_hgvs;
            if (ref == "X" || alt == "X") {
                expected_term = "incomplete_terminal_codon_variant";
                expected_hgvs = "p.?";
            } else if (ref == alt) {
                expected_term = ref == "STOP" ? "stop_retained_variant" : "synonymous_variant";
                expected_hgvs = "p." + three(ref) + p[9] + "=";
                EXPECT_EQ(p[3], "Syn");
            } else {
                EXPECT_EQ(p[3], "Non-Syn");
                expected_term = ref == "STOP" ? "stop_lost" : alt == "STOP" ? "stop_gained" : "missense_variant";
                expected_hgvs = "p." + three(ref) + p[9] + three(alt) + (ref == "STOP" ? "ext*?" : "");
            }
            EXPECT_EQ(consequence, expected_term) << variant << " " << region;
            EXPECT_EQ(row[23], expected_hgvs) << variant << " " << region;
            EXPECT_EQ(row[24] + row[25], "");
            protein.erase(it);
            continue;
        }
        for (size_t c = 15; c <= 23; ++c) EXPECT_EQ(row[c], "") << variant << " column " << c;
        // The non-protein text report spells the rest "Non-Coding".
        const std::string np_region = region == "Non-coding" ? "Non-Coding" : region;
        const auto it = non_protein.find({variant, np_region});
        ASSERT_NE(it, non_protein.end()) << variant << " " << region;
        EXPECT_EQ(it->second[1], change);
        EXPECT_EQ(it->second[3], row[6]);
        non_protein.erase(it);
        if (type == "tRNA") {
            EXPECT_EQ(consequence, "non_coding_transcript_exon_variant");
            EXPECT_EQ(row[25], "");
            const auto t = trna.find({variant, region});
            if (row[24].empty()) {
                EXPECT_EQ(t, trna.end()) << variant;
            } else {
                ASSERT_NE(t, trna.end()) << variant << " " << region;
                EXPECT_EQ(t->second[3], row[24]);
                EXPECT_EQ(t->second[4], row[6]);
                trna.erase(t);
            }
        } else if (type == "rRNA") {
            EXPECT_EQ(consequence, "non_coding_transcript_exon_variant");
            EXPECT_EQ(row[24], "");
            const auto t = rrna.find({variant, region == "s-rRNA" ? "12S" : "16S"});
            ASSERT_NE(t, rrna.end()) << variant << " " << region;
            EXPECT_EQ(t->second[3], row[25]);
            EXPECT_EQ(t->second[4], row[6]);
            rrna.erase(t);
        } else {
            EXPECT_TRUE(type == "D-loop" ? region == "D-loop" : type == "non-coding" && region == "Non-coding")
                << type << " " << region;
            EXPECT_EQ(consequence, "intergenic_variant");
            EXPECT_EQ(row[24] + row[25], "");
        }
    }
    // Nothing that the reports list is missing from the table.
    EXPECT_TRUE(protein.empty()) << protein.size() << " protein rows not in the table";
    EXPECT_TRUE(non_protein.empty()) << non_protein.size() << " non-protein rows not in the table";
    EXPECT_TRUE(trna.empty()) << trna.size() << " tRNA rows not in the table";
    EXPECT_TRUE(rrna.empty()) << rrna.size() << " rRNA rows not in the table";
    EXPECT_EQ(variants_seen.size(), ws.variant_tally.size());
    // Spellings of one indel share a row.
    EXPECT_GT(indels_seen.size(), 10u);
    EXPECT_LE(indels_seen.size(), ws.sample_indels.indels.size());
}

}  // namespace
}  // namespace corvella
