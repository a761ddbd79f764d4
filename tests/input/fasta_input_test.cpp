// Unaligned FASTA as one more kind of cohort input: recognised by its
// second line, aligned and called, then read like a converted list.
#include <gtest/gtest.h>

#include <string>

#include "input/aligned_import.h"
#include "input/cohort_loader.h"
#include "core/human_reference.h"
#include "input/input_format.h"
#include "gzip_text.h"
#include "core/temp_file.h"
#include "token_agreement.h"

using namespace corvella;
using corvella_test::TempFile;

namespace {

// Sample k (1-based) of the example alignment without its gaps.
std::string raw_fasta(size_t k) {
    const AlignedReadResult a = parse_aligned_text(corvella_test::data_text("aligned-3.fasta"));
    const FastaRecord r = corvella_test::records_without_gaps(a.sequences, a.names).at(k - 1);
    return ">" + r.name + "\n" + r.letters + "\n";
}


Workspace human() {
    Workspace ws;
    use_human_ref_data(ws);
    ws.human_reference = true;
    return ws;
}

}  // namespace

TEST(FastaInput, RecognisedByTheLineAfterTheFirstName) {
    EXPECT_EQ(detect_text_format(">MN000001.1 Homo sapiens\nGATCACAGGTCT\n"), InputFormat::Fasta);
    EXPECT_EQ(detect_text_format("\n\n>a\r\nacgt-nnry\r\n"), InputFormat::Fasta);
    EXPECT_EQ(detect_text_format(">a\n73 263 \n"), InputFormat::List);
    EXPECT_EQ(detect_text_format(">rCRS\nNumbering Reference\n\n>a\n73 \n"), InputFormat::List);
    EXPECT_EQ(detect_text_format(">a\n\n"), InputFormat::List);
    EXPECT_EQ(parse_input_format("fasta"), InputFormat::Fasta);
    EXPECT_STREQ(input_format_name(InputFormat::Fasta), "fasta");

    TempFile plain("fasta_input_plain.fasta", "\n" + raw_fasta(1));
    TempFile packed("fasta_input_packed.fa.gz", corvella_test::gzipped(raw_fasta(1)));
    TempFile list("fasta_input_list.txt", ">a\n73 \n");
    EXPECT_EQ(detect_input_format(plain.path()), InputFormat::Fasta);
    EXPECT_EQ(detect_input_format(packed.path()), InputFormat::Fasta);
    EXPECT_EQ(detect_input_format(list.path()), InputFormat::List);
}

TEST(FastaInput, FilesAreAlignedInOrderAndReadAsAList) {
    TempFile one("fasta_input_one.fasta", raw_fasta(1));
    TempFile two("fasta_input_two.fa.gz", corvella_test::gzipped(raw_fasta(2)));
    const Workspace ws = human();
    const CohortRead read = read_cohort(ws, {one.path(), two.path()}, CohortOptions{});
    ASSERT_EQ(read.code, 2) << read.message;
    EXPECT_EQ(read.format, InputFormat::Fasta);
    EXPECT_FALSE(read.has_summary());
    EXPECT_TRUE(read.levels.empty());
    EXPECT_EQ(read.converted_text.substr(0, 33), ">rCRS\nNumbering Reference\n\n>HM625");
    EXPECT_EQ(read.lists.names.size(), 3u);
    EXPECT_EQ(read.lists.names[2], ">L3i2*2");
    EXPECT_EQ(read.lists.positions[0].size(), 13u);  // every token but 315insC
    EXPECT_EQ(read.alignment_summary.substr(0, 66),
              "2 sequences were read, 2 aligned to the reference (16569 bases).\n\n");
    EXPECT_EQ(cohort_list_text(ws, read), read.converted_text);
}

TEST(FastaInput, RefusalsNameTheFileAndKindsDoNotMix) {
    TempFile good("fasta_input_good.fasta", raw_fasta(1));
    TempFile bad("fasta_input_bad.fasta", ">p\nMKVL\n");
    TempFile list("fasta_input_mixed.txt", ">a\n73 \n");
    const Workspace ws = human();
    CohortOptions forced;
    forced.format = InputFormat::Fasta;
    const CohortRead refused = read_cohort(ws, {good.path(), bad.path()}, forced);
    EXPECT_EQ(refused.code, COHORT_BAD_FORMAT);
    EXPECT_EQ(refused.message, "tmp_fasta_input_bad.fasta: Line 2: \"L\" is not a nucleotide letter (record \"p\").");
    // One file or several, the message names the file.
    EXPECT_EQ(read_cohort(ws, {bad.path()}, forced).message,
              "tmp_fasta_input_bad.fasta: Line 2: \"L\" is not a nucleotide letter (record \"p\").");
    // Recognised, a protein file is no FASTA of sequences but a list.
    EXPECT_EQ(read_cohort(ws, {good.path(), bad.path()}, CohortOptions{}).code, COHORT_REFUSED);
    EXPECT_EQ(read_cohort(ws, {"/nonexistent/raw.fasta"}, forced).code, COHORT_CANNOT_OPEN);
    const CohortRead mixed = read_cohort(ws, {good.path(), list.path()}, CohortOptions{});
    EXPECT_EQ(mixed.code, COHORT_REFUSED);
    EXPECT_NE(mixed.message.find("is fasta, tmp_fasta_input_mixed.txt is list"), std::string::npos) << mixed.message;
}
