#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "input/aligned_import.h"
#include "core/temp_file.h"

using namespace corvella;
using corvella_test::TempFile;

TEST(AlignedImport, LettersUpperCasedBlanksDroppedGapsAndOthersKept) {
    const AlignedReadResult r = parse_aligned_text(">ref one\r\nac gt\r\n-n?*\n>x\n>x\nAC\n>last\nacg");
    ASSERT_EQ(r.code, 1);
    EXPECT_EQ(r.names, (std::vector<std::string>{">ref one", "x", "x", "last"}));
    EXPECT_EQ(r.sequences, (std::vector<std::string>{"ACGT-N?*", "", "AC", "ACG"}));
}

TEST(AlignedImport, EveryByteIsKeptDroppedOrUpperCasedAsItsOwnLetter) {
    // Long records in short and long lines, LF and CR LF, with tabs, NUL
    // bytes, blanks and every byte value, against the letter-by-letter rule.
    std::string text = ">r\n";
    std::vector<std::string> expected(1);
    for (int i = 0; i < 40000; ++i) {
        const auto c = static_cast<char>((i * 37 + i / 251) % 256);
        if (c == '>') continue;
        text += c;
        if (c != '\n' && c != '\r' && c != ' ' && c != '\t' && c != '\0')
            expected.back() += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
        if (i % 61 == 0) text += (i % 2 ? "\n" : "\r\n");
        if (i % 9973 == 0) {
            text += "\n>n\n";
            expected.emplace_back();
        }
    }
    text += std::string(20000, 'g') + "\tc c\r\n";
    expected.back() += std::string(20000, 'G') + "CC";
    const AlignedReadResult r = parse_aligned_text(text);
    ASSERT_EQ(r.code, 1);
    ASSERT_EQ(r.sequences.size(), expected.size());
    for (size_t k = 0; k < expected.size(); ++k) EXPECT_TRUE(r.sequences[k] == expected[k]) << "record " << k;
}

TEST(AlignedImport, AGreaterThanInsideASequenceLineStartsARecord) {
    const AlignedReadResult r = parse_aligned_text(">r\nACGT>s\nACGT\n>");
    EXPECT_EQ(r.names, (std::vector<std::string>{">r", "s", ""}));
    EXPECT_EQ(r.sequences, (std::vector<std::string>{"ACGT", "ACGT", ""}));
}

TEST(AlignedImport, NamesOfAnyLengthAreKeptWhole) {
    const std::string name(5000, 'q');
    const AlignedReadResult r = parse_aligned_text(">r\nA\n>" + name + "\nA\n");
    EXPECT_EQ(r.names[1], name);
}

TEST(AlignedImport, FailuresLeaveTheStoreAsItWas) {
    Workspace ws;
    TempFile good("good.fasta", ">r\nACGT\n>s\nACGA\n");
    ASSERT_EQ(read_polymorphisms_file(ws, good.path()), 1);
    const std::vector<std::string> before = ws.aligned_sequences;

    TempFile blank_first("blank_first.fasta", "\n>r\nACGT\n");
    TempFile sequence_first("sequence_first.fasta", "ACGT\n>r\nACGT\n");
    TempFile empty("empty.fasta", "");
    TempFile binary("binary.fasta", std::string("\x00\xff\x13>\x80", 5));
    EXPECT_EQ(read_polymorphisms_file(ws, blank_first.path()), -2);
    EXPECT_EQ(read_polymorphisms_file(ws, sequence_first.path()), -2);
    EXPECT_EQ(read_polymorphisms_file(ws, empty.path()), -2);
    EXPECT_EQ(read_polymorphisms_file(ws, binary.path()), -2);
    EXPECT_EQ(read_polymorphisms_file(ws, "/nonexistent/a.fasta"), -1);
    EXPECT_EQ(ws.aligned_sequences, before);
    EXPECT_EQ(ws.aligned_names, (std::vector<std::string>{">r", "s"}));
}

TEST(LengthReport, OnlyTheCountWhenAllLengthsAgree) {
    Workspace ws;
    ws.aligned_sequences = {"ACGT"};
    ws.aligned_names = {">r"};
    EXPECT_EQ(perform_lenght_status(ws), "1 sequences were retrieved.");
    ws.aligned_sequences.push_back("ACGA");
    ws.aligned_names.push_back("s");
    EXPECT_EQ(perform_lenght_status(ws), "2 sequences were retrieved.");
}

TEST(LengthReport, ListsEverySequenceOfAnotherLength) {
    Workspace ws;
    ws.aligned_sequences = {std::string(16569, 'A'), std::string(16570, 'A'), std::string(16569, 'C'),
                            std::string(16000, 'A'), ""};
    ws.aligned_names = {">ref", "seqA", "same", "seqB", "x"};
    EXPECT_EQ(perform_lenght_status(ws),
              "5 sequences were retrieved.\n"
              "The following sequences have not the same size than reference (16569):\n\n"
              ">seqA(16570)\n\n"
              ">seqB (16000)\n\n"
              ">x (0)\n\n"
              "These sequences will not be analysed.");
}
