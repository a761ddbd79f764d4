#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "input/genbank_reader.h"
#include "core/human_reference.h"
#include "core/temp_file.h"

using namespace corvella;
using corvella_test::data_path;
using corvella_test::TempFile;

namespace {

std::string rcrs_text() { return corvella_test::data_text("NC_012920.1.gb"); }

// The record with every occurrence of `from` replaced by `to`.
std::string edited(const std::string& from, const std::string& to) {
    std::string text = rcrs_text();
    EXPECT_NE(text.find(from), std::string::npos) << from;
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

}  // namespace

TEST(PositionSplit, SimpleLocations) {
    struct Case {
        const char* location;
        int32_t start, end;
    };
    const Case cases[] = {{"3307..4262", 3307, 4262},
                          {"complement(14149..14673)", 14149, 14673},
                          {"<1..>576", 1, 576},
                          {"complement(<5..>9)", 5, 9}};
    for (const Case& c : cases) {
        int32_t end = -1;
        EXPECT_EQ(position_split(c.location, end), c.start) << c.location;
        EXPECT_EQ(end, c.end) << c.location;
    }
    int32_t end = 0;
    for (const char* bad : {"3107", "", "0..5", "5..0", "x..y", "4294967369..4294967400", "complement()"})
        EXPECT_EQ(position_split(bad, end), 0) << bad;
}

TEST(PositionSplit, JoinAcrossTheOriginInEitherOrder) {
    for (const char* location : {"join(16024..16569,1..576)", "join(1..576,16024..16569)",
                                 "complement(join(16024..16569,1..576))"}) {
        int32_t end = 0;
        EXPECT_EQ(position_split_case_join(location, end), 16024) << location;
        EXPECT_EQ(end, 576) << location;
    }
    int32_t end = 0;
    for (const char* bad : {"join(16024..16569)", "join(0..5,1..576)", "join(16024..16569,1..)", "join"})
        EXPECT_EQ(position_split_case_join(bad, end), 0) << bad;
}

// Found by fuzzing: "complement" in the first part of a join without any
// "(" used to throw out of the reader and end the program.
TEST(PositionSplit, ComplementWithoutParenthesisIsNoLocation) {
    int32_t end = 0;
    for (const char* bad : {"joincomplement,1..2", "complement,5..9", "join complement..3,1..2"})
        EXPECT_EQ(position_split_case_join(bad, end), 0) << bad;
    const ReferenceReadResult r =
        parse_genbank_text(edited("complement(join(16024..16569,1..576))", "joincomplement,1..576"));
    EXPECT_EQ(r.message, "It was not possible to extract information about D-loop.");
}

TEST(GenBankReader, TheRcrsRecordLoadsWithTheBuiltInCoordinates) {
    const ReferenceReadResult r = extract_info_from_reference(data_path("NC_012920.1.gb"));
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(r.region_table, HUMAN_REGION_TABLE);
    EXPECT_EQ(r.region_table[DLOOP_START_SLOT], 16024);
    EXPECT_EQ(r.region_table[DLOOP_END_SLOT], 576);
    EXPECT_EQ(r.sequence, human_reference_sequence());
    EXPECT_EQ(reference_title(r), "Corvella - NC_012920");

    Workspace ws;
    use_human_ref_data(ws);
    ws.human_reference = true;
    use_reference(ws, r);
    EXPECT_FALSE(ws.human_reference);
    EXPECT_EQ(ws.reference_length(), 16569);
    EXPECT_TRUE(ws.is_dloop(16569));
    EXPECT_TRUE(ws.is_dloop(1));
    EXPECT_FALSE(ws.is_dloop(577));
}

TEST(GenBankReader, CrLfLinesAndSeveralAccessionLines) {
    std::string text = edited("ACCESSION   NC_012920 AC_000021\n", "ACCESSION   NC_012920 AC_000021\nACCESSION X1\n");
    std::string crlf;
    for (char c : text) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    const ReferenceReadResult r = parse_genbank_text(crlf);
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(r.accession, "NC_012920X1");
    EXPECT_EQ(r.sequence.size(), 16569u);
}

TEST(GenBankReader, PlainDLoopRangeIsKept) {
    const ReferenceReadResult r =
        parse_genbank_text(edited("complement(join(16024..16569,1..576))", "16024..16569"));
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(r.region_table[DLOOP_START_SLOT], 16024);
    EXPECT_EQ(r.region_table[DLOOP_END_SLOT], 16569);
}

TEST(GenBankReader, ControlRegionNoteGivesTheDLoop) {
    const ReferenceReadResult r = parse_genbank_text(edited(
        "     D-loop          complement(join(16024..16569,1..576))\n",
        "     misc_feature    join(16024..16569,1..576)\n                     /note=\"control region\"\n"));
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(r.region_table[DLOOP_START_SLOT], 16024);
    EXPECT_EQ(r.region_table[DLOOP_END_SLOT], 576);
}

TEST(GenBankReader, BadFilesGiveTheirMessages) {
    struct Case {
        std::string text;
        const char* message;
    };
    std::string long_sequence = rcrs_text();
    long_sequence.insert(long_sequence.find("//\n"), std::string(4000, 'a') + "\n");
    const Case cases[] = {
        {"", "Bad input format."},
        {rcrs_text().substr(0, rcrs_text().find("ORIGIN")), "Bad input format."},
        {edited("ACCESSION   NC_012920 AC_000021", "VERSION X"), "Bad input format."},
        {edited("/gene=\"ATP6\"", "/gene=\"MT-ATP6\""), "It was not possible to extract information about ATP6."},
        {edited("/product=\"tRNA-Pro\"", "/product=\"tRNA-P\""),
         "It was not possible to extract information about tRNA-Pro."},
        {edited("complement(join(16024..16569,1..576))", "complement(join(16024..16569))"),
         "It was not possible to extract information about D-loop."},
        {edited("     D-loop ", "     Dloop  "), "It was not possible to extract information about D-loop."},
        {long_sequence, "Sequence is too long."},
        {edited("3307..4262", "3307..42620"), "It was not possible to extract information about ND1."},
        {std::string("\x7f" "ELF\x02\x01\x00\x00garbage\xff\xfe", 17), "Bad input format."},
    };
    for (const Case& c : cases) {
        const ReferenceReadResult r = parse_genbank_text(c.text);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.message, c.message);
    }
    EXPECT_EQ(extract_info_from_reference("/nonexistent/ref.gb").message, "File cannot be opened.");
}

TEST(GenBankReader, LongLinesAreReadWhole) {
    const std::string filler(5000, 'x');
    const ReferenceReadResult r = parse_genbank_text(
        edited("ACCESSION   NC_012920 AC_000021", "COMMENT     " + filler + "\nACCESSION   NC_012920 " + filler));
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(r.accession, "NC_012920");
}

// The gene symbols come from the /gene qualifiers of the features that gave
// each row, also for an RNA whose own feature names no /gene.
TEST(GenBankReader, GeneQualifiersGiveTheSymbols) {
    const ReferenceReadResult r = parse_genbank_text(rcrs_text());
    ASSERT_TRUE(r.ok) << r.message;
    const struct {
        bool protein;
        int row;
        const char* symbol;
    } cases[] = {{true, 0, "ATP6"}, {true, 2, "COX1"}, {true, 6, "ND1"}, {true, ND6_ROW, "ND6"},
                 {false, 0, "TRNF"}, {false, 2, "TRNL1"}, {false, RRNA_12S_ROW, "RNR1"}, {false, RRNA_16S_ROW, "RNR2"}};
    for (const auto& c : cases)
        EXPECT_EQ(c.protein ? r.protein_symbols[static_cast<size_t>(c.row)] : r.rna_symbols[static_cast<size_t>(c.row)],
                  c.symbol)
            << c.row;
    for (const std::string& s : r.rna_symbols) EXPECT_FALSE(s.empty());

    // Without the tRNA feature's own /gene the gene feature before it names it;
    // a record with neither leaves the symbol empty.
    const ReferenceReadResult from_gene =
        parse_genbank_text(edited("     tRNA            577..647\n                     /gene=\"TRNF\"\n",
                                  "     tRNA            577..647\n"));
    ASSERT_TRUE(from_gene.ok) << from_gene.message;
    EXPECT_EQ(from_gene.rna_symbols[0], "TRNF");
    const ReferenceReadResult unnamed = parse_genbank_text(edited("/gene=\"TRNF\"", "/note=\"F\""));
    ASSERT_TRUE(unnamed.ok) << unnamed.message;
    EXPECT_EQ(unnamed.rna_symbols[0], "");
    EXPECT_EQ(unnamed.rna_symbols[1], "TRNV");

    Workspace ws;
    use_reference(ws, r);
    EXPECT_EQ(ws.protein_symbols, r.protein_symbols);
    EXPECT_EQ(ws.rna_symbols[2], "TRNL1");
}
