// The reader of unaligned FASTA files: letters, names, refusals, gzip, and
// the test that tells such a file from a polymorphism list.
#include "input/fasta_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "gzip_text.h"
#include "core/temp_file.h"

using namespace corvella;
using corvella_test::TempFile;

TEST(FastaReader, LettersOnAnyLinesUpperCasedWithoutGapsAndBlanks) {
    const FastaReadResult r = parse_fasta_text(
        "\n; an old comment\n>MN000001.1 Homo sapiens mitochondrion, complete genome\r\n"
        "gatc-ACG.T\r\nnnRY uu\tK\r\n>second\nACGT\n>empty\n>last without line end\nAC");
    ASSERT_EQ(r.code, 4);
    EXPECT_EQ(r.records[0].name, "MN000001.1 Homo sapiens mitochondrion, complete genome");
    EXPECT_EQ(r.records[0].letters, "GATCACGTNNRYTTK");
    EXPECT_EQ(r.records[0].line, 3);
    EXPECT_EQ(r.records[1].letters, "ACGT");
    EXPECT_EQ(r.records[2].name, "empty");
    EXPECT_EQ(r.records[2].letters, "");
    EXPECT_EQ(r.records[3].letters, "AC");
}

TEST(FastaReader, RefusesWhatIsNoNucleotideFile) {
    EXPECT_EQ(parse_fasta_text("").message, "The file holds no FASTA record.");
    EXPECT_EQ(parse_fasta_text("\n\n").code, -2);
    const FastaReadResult list = parse_fasta_text("73 263\n>s\nACGT\n");
    EXPECT_EQ(list.code, -2);
    EXPECT_EQ(list.message, "Line 1: a FASTA record begins with a \">name\" line.");
    const FastaReadResult protein = parse_fasta_text(">p\nMKV*\n");
    EXPECT_EQ(protein.code, -2);
    EXPECT_EQ(protein.message, "Line 2: \"*\" is not a nucleotide letter (record \"p\").");
    EXPECT_TRUE(protein.records.empty());
    EXPECT_EQ(parse_fasta_text(">a\nACGT\n>b\nAC3GT\n").message,
              "Line 4: \"3\" is not a nucleotide letter (record \"b\").");
    EXPECT_EQ(parse_fasta_text(">a\nAC\x01GT\n").message,
              "Line 2: the byte 0x01 is not a nucleotide letter (record \"a\").");
    // E, F, I, J, L, O, P, Q, X, Z are no nucleotide codes.
    EXPECT_EQ(parse_fasta_text(">a\nACXGT\n").code, -2);
}

TEST(FastaReader, ReadsPlainAndGzipFilesAlike) {
    const std::string text = ">a\nacgt\nACGT\n>b\nTTTT\n";
    TempFile plain("fasta_plain.fasta", text);
    TempFile packed("fasta_packed.fasta.gz", corvella_test::gzipped(text));
    const FastaReadResult p = read_fasta_file(plain.path()), g = read_fasta_file(packed.path());
    ASSERT_EQ(p.code, 2);
    ASSERT_EQ(g.code, 2);
    EXPECT_EQ(g.records[0].letters, "ACGTACGT");
    EXPECT_EQ(g.records[1].letters, p.records[1].letters);

    const std::string whole = corvella_test::gzipped(text);
    TempFile cut("fasta_cut.fasta.gz", whole.substr(0, whole.size() / 2));
    const FastaReadResult c = read_fasta_file(cut.path());
    EXPECT_EQ(c.code, -2);
    EXPECT_EQ(c.message, "tmp_fasta_cut.fasta.gz: The file is a damaged gzip file.");
    EXPECT_EQ(read_fasta_file(std::string(CORVELLA_BINARY_DIR) + "/no_such.fasta").code, -1);
}

TEST(FastaReader, LooksLikeFastaOnlyWhenTheSecondLineIsSequence) {
    EXPECT_TRUE(looks_like_fasta(">MN000001.1\nGATCACAGGTCTATCACCC\n"));
    EXPECT_TRUE(looks_like_fasta(">a\r\nacgt-nnry\r\n"));
    // The caller's list, a list of variant lines, a name line alone.
    EXPECT_FALSE(looks_like_fasta(">rCRS\nNumbering Reference\n\n>s\n73 263 \n"));
    EXPECT_FALSE(looks_like_fasta(">s\n73 263 16519C \n"));
    EXPECT_FALSE(looks_like_fasta(">s\n0 \n"));
    EXPECT_FALSE(looks_like_fasta(">s\n"));
    EXPECT_FALSE(looks_like_fasta(">s\n\nACGT\n"));
    EXPECT_FALSE(looks_like_fasta("ACGT\n>s\nACGT\n"));
}
