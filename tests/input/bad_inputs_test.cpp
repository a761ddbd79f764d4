// Hostile inputs to the readers of references, alignments and polymorphism
// lists. Each must end in a definite outcome (a code, a message, or a reading
// that says exactly what the bytes say), never a crash or a quiet misreading.
// docs/bad-inputs.md lists which test shows which kind of input.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "input/aligned_import.h"
#include "input/genbank_reader.h"
#include "core/human_reference.h"
#include "input/polymorphism_caller.h"
#include "input/polymorphism_list.h"
#include "core/temp_file.h"

using namespace corvella;
using corvella_test::TempFile;

namespace {

std::string rcrs_text() { return corvella_test::data_text("NC_012920.1.gb"); }

const std::string& human_reference() {
    static const std::string ref = [] {
        Workspace ws;
        use_human_ref_data(ws);
        return ws.ref_sequence;
    }();
    return ref;
}

// A text with every byte of the literal, NULs included.
template <size_t N>
std::string bytes(const char (&literal)[N]) {
    return std::string(literal, N - 1);
}

Workspace aligned(const std::string& text) {
    AlignedReadResult r = parse_aligned_text(text);
    EXPECT_EQ(r.code, 1);
    Workspace ws;
    ws.aligned_sequences = r.sequences;
    ws.aligned_names = r.names;
    return ws;
}

}  // namespace

TEST(BadInputs, EmptyText) {
    EXPECT_EQ(parse_genbank_text("").message, "Bad input format.");
    EXPECT_EQ(parse_aligned_text("").code, -2);
    const ListReadResult list = parse_polymorphism_list("", human_reference());
    EXPECT_EQ(list.code, 0);
    EXPECT_TRUE(list.lists.names.empty());
}

// NUL and bytes above 127 are bytes like any other: names keep them, a token
// is judged by its last character and its leading number.
TEST(BadInputs, NulAndBinaryBytesAreOrdinaryBytes) {
    const std::string list_text = bytes(">a\0\xff\xfe\n73\0G 16519 \x80\x81\n");
    const ListReadResult list = parse_polymorphism_list(list_text, human_reference());
    ASSERT_EQ(list.code, 1);
    EXPECT_EQ(list.lists.names[0], std::string(">a\0\xff\xfe", 5));
    EXPECT_EQ(list.lists.positions[0], (std::vector<int32_t>{73, 16519}));
    EXPECT_EQ(list.lists.bases[0], "GC");

    // In a sequence line a NUL is dropped like a blank; the sequence is then
    // shorter than the others, which the length report shows.
    const Workspace ws = aligned(bytes(">r\0x\nAC\0T\n>s\nACGT\n"));
    EXPECT_EQ(ws.aligned_names[0], bytes(">r\0x"));
    EXPECT_EQ(ws.aligned_sequences[0], "ACT");
    EXPECT_EQ(perform_lenght_status(ws),
              "2 sequences were retrieved.\nThe following sequences have not the same size than reference "
              "(3):\n\n>s(4)\n\nThese sequences will not be analysed.");

    std::string binary(4096, '\0');
    for (size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>(i * 131 + 7);
    EXPECT_EQ(parse_genbank_text(binary).message, "Bad input format.");
    EXPECT_EQ(parse_aligned_text(binary).code, -2);
    EXPECT_EQ(parse_polymorphism_list(binary, human_reference()).code, -2);  // variant lines, no name
}

// Only a line feed ends a line. A file with carriage returns alone is one
// long line: no reference, one record, a name and no samples.
TEST(BadInputs, CarriageReturnsAloneDoNotEndLines) {
    std::string cr_only = rcrs_text();
    for (char& c : cr_only)
        if (c == '\n') c = '\r';
    EXPECT_EQ(parse_genbank_text(cr_only).message, "Bad input format.");

    const AlignedReadResult fasta = parse_aligned_text(">r\rACGT\r>s\rACGA\r");
    ASSERT_EQ(fasta.code, 1);
    EXPECT_EQ(fasta.names, (std::vector<std::string>{">r\rACGT\r>s\rACGA"}));  // the last CR ends the text
    EXPECT_EQ(fasta.sequences, (std::vector<std::string>{""}));

    const ListReadResult list = parse_polymorphism_list(">a\r73G\r>b\r263G\r", human_reference());
    EXPECT_EQ(list.code, 0);
    EXPECT_EQ(list.lists.names.size(), 1u);
}

TEST(BadInputs, AFastaOfOneRecordGivesAListOfNoSamples) {
    Workspace ws = aligned(">only\nACGT");
    EXPECT_EQ(perform_lenght_status(ws), "1 sequences were retrieved.");
    const std::string list = build_polymorphism_list(ws);
    EXPECT_EQ(list, ">only\nNumbering Reference\n\n");
    const ListReadResult read = parse_polymorphism_list(list, human_reference());
    EXPECT_EQ(read.code, 0);
    EXPECT_EQ(read.lists.names.size(), 1u);
}

TEST(BadInputs, GapsOnly) {
    // A reference of gaps only: every letter of another sequence is inserted
    // before position 1, which no reader takes as a variant.
    const Workspace gaps = aligned(">r\n----\n>s\nAC-T\n>t\n----\n");
    const std::string list = build_polymorphism_list(gaps);
    EXPECT_EQ(list, ">r\nNumbering Reference\n\n>s\n0insACT \n\n>t\n0 \n\n");
    EXPECT_EQ(parse_polymorphism_list(list, human_reference()).lists.positions,
              (std::vector<std::vector<int32_t>>{{}, {}}));
    // A sequence of gaps only over letters: all of it is missing, said once.
    EXPECT_EQ(build_polymorphism_list(aligned(">r\nACGT\n>s\n----\n")),
              ">r\nNumbering Reference\n\n>s\n1missing4bp \n\n");
}

TEST(BadInputs, TruncatedFiles) {
    const std::string rcrs = rcrs_text();
    // Cut inside the features: no ORIGIN.
    EXPECT_EQ(parse_genbank_text(rcrs.substr(0, rcrs.size() / 4)).message, "Bad input format.");
    // Cut inside the sequence: the genes past the cut lie outside it.
    const ReferenceReadResult half = parse_genbank_text(rcrs.substr(0, rcrs.find("ORIGIN") + 12000));
    EXPECT_FALSE(half.ok);
    EXPECT_EQ(half.message, "It was not possible to extract information about COX3.");
    // An alignment cut short: the last record is shorter and passed over.
    Workspace ws = aligned(">r\nACGTACGT\n>s\nACGAACGT\n>t\nACG");
    EXPECT_EQ(perform_lenght_status(ws),
              "3 sequences were retrieved.\nThe following sequences have not the same size than reference "
              "(8):\n\n>t(3)\n\nThese sequences will not be analysed.");
    EXPECT_EQ(build_polymorphism_list(ws), ">r\nNumbering Reference\n\n>s\n4A \n\n");
    // A list cut inside its last line: the part before the cut is read.
    const ListReadResult list = parse_polymorphism_list(">a\n73 2635", human_reference());
    EXPECT_EQ(list.lists.positions, (std::vector<std::vector<int32_t>>{{73, 2635}}));
}

TEST(BadInputs, FoldersAndUnreadableFilesCannotBeOpened) {
    std::vector<std::string> paths = {CORVELLA_TEST_DATA, "/nonexistent/file.txt"};
    // Opens, but every read fails: unreadable for root too.
    if (access("/proc/self/mem", R_OK) == 0) paths.push_back("/proc/self/mem");
    TempFile locked("locked.txt", ">a\n73\n");
    if (geteuid() != 0) {
        ASSERT_EQ(chmod(locked.path().c_str(), 0), 0);
        paths.push_back(locked.path());
    }
    for (const std::string& path : paths) {
        EXPECT_EQ(extract_info_from_reference(path).message, "File cannot be opened.") << path;
        Workspace ws;
        ws.aligned_names = {">kept"};
        EXPECT_EQ(read_polymorphisms_file(ws, path), -1) << path;
        EXPECT_EQ(ws.aligned_names, (std::vector<std::string>{">kept"}));
        EXPECT_EQ(read_and_parsing_file(path, human_reference()).code, -1) << path;
    }
}

// A long first record followed by many empty ones: each record holds room
// for its own letters only, not for the first record's.
TEST(BadInputs, AlignmentMemoryFollowsTheFileNotTheLongestRecord) {
    std::string text = ">r\n" + std::string(16569, 'A') + "\n";
    for (int i = 0; i < 20000; ++i) text += ">x\n";
    const AlignedReadResult r = parse_aligned_text(text);
    ASSERT_EQ(r.sequences.size(), 20001u);
    size_t held = 0;
    for (const std::string& s : r.sequences) held += s.capacity();
    EXPECT_LE(held, 2 * text.size() + 20001 * sizeof(std::string));
}
