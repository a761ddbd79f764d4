// An alignment imported, called, written as a list with CR LF line ends and
// read back as a polymorphism list against the built-in reference.
#include <gtest/gtest.h>

#include <string>

#include "input/aligned_import.h"
#include "core/human_reference.h"
#include "input/polymorphism_caller.h"
#include "input/polymorphism_list.h"
#include "core/temp_file.h"

using namespace corvella;
using corvella_test::data_path;
using corvella_test::TempFile;

TEST(VariantInputRoundTrip, AlignedFileToListAndBack) {
    Workspace ws;
    ASSERT_EQ(read_polymorphisms_file(ws, data_path("aligned-3.fasta")), 1);
    EXPECT_EQ(perform_lenght_status(ws), "3 sequences were retrieved.");
    ASSERT_EQ(ws.aligned_names[1], "HM625681.1 Homo sapiens isolate Lab004 mitochondrion, complete genome");

    const std::string list = build_polymorphism_list(ws);
    const std::string first_block =
        ">rCRS\nNumbering Reference\n\n"
        ">HM625681.1 Homo sapiens isolate Lab004 mitochondrion, complete genome\n"
        "263 310insC 750 1041 1438 4769 8860 9410 12358 13656 15326 16189 16192 16519 \n\n";
    EXPECT_EQ(list.substr(0, first_block.size()), first_block);
    EXPECT_NE(list.find("15940delT 16182-16183M 16223 16260 16311 16519Y \n\n"), std::string::npos);

    std::string crlf;
    for (char c : list) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    TempFile saved("round_trip.txt", crlf);
    use_human_ref_data(ws);
    ASSERT_EQ(load_polymorphism_list(ws, saved.path()), 2);
    EXPECT_EQ(sample_name(ws, 0), ">HM625681.1 Homo sapiens isolate Lab004 mitochondrion, complete genome");
    EXPECT_EQ(sample_name(ws, 1), ">L3i2*2");
    EXPECT_EQ(ws.sample_positions[0].size(), 13u);  // every token but the insertion
    EXPECT_EQ(ws.variant_tally.at(VariantKey{263, 'G'}), 2);
    EXPECT_EQ(ws.variant_tally.at(VariantKey{16519, 'C'}), 1);  // 16519Y is ambiguous
    EXPECT_EQ(ws.variant_tally.count(VariantKey{15940, 'T'}), 0u);  // 15940delT is skipped
}
