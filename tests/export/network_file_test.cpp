#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "export/network_file.h"
#include "export/variable_sites.h"
#include "output/file_names.h"
#include "output/text_writer.h"

using namespace corvella;

namespace {

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    std::istringstream in(text);
    while (std::getline(in, line)) lines.push_back(line);
    return lines;
}

std::string repeat(const std::string& s, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += s;
    return out;
}

// The file built line by line, one membership scan per cell, as the format
// is defined; build_network_text must give the same bytes.
std::string plain_network_text(const std::vector<std::vector<int32_t>>& positions,
                               const std::vector<std::string>& bases, const VariantTally& tally) {
    std::vector<std::string> lines(6, std::string(7, ' '));
    for (size_t k = 1; k <= positions.size(); ++k) lines.push_back(make_sequence_name(static_cast<int64_t>(k)));
    lines.emplace_back();
    lines.emplace_back();
    const size_t n = positions.size();
    int c = 0;
    for (const auto& [key, count] : tally) {
        ++c;
        std::string t = std::to_string(key.position) + (key.base == 'Z' ? ' ' : key.base) + "      ";
        for (int r = 0; r < 6; ++r) lines[r] += t[r];
        for (size_t i = 0; i < n; ++i) {
            bool holds = false;
            for (size_t j = 0; j < positions[i].size(); ++j)
                holds = holds || (positions[i][j] == key.position && bases[i][j] == key.base);
            lines[i + 6] += holds ? '1' : '0';
        }
        lines[n + 7] += c % 125 == 0 ? "10\n" : "10";
    }
    for (size_t i = 0; i < n; ++i) lines[i + 6] += "  1";
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

}  // namespace

TEST(NetworkFile, TwoSampleExampleByteForByte) {
    const std::vector<std::vector<int32_t>> positions = {{73, 263}, {263, 16519}};
    const std::vector<std::string> bases = {"GG", "GZ"};
    const VariantTally tally = build_variable_tally(positions, bases);
    const std::string expected =
        "       71\n"
        "       36\n"
        "       G5\n"
        "        1\n"
        "        9\n"
        "         \n"
        "s1     10  1\n"
        "s2     01  1\n"
        "\n"
        "1010\n";
    const std::string text = build_network_text(positions, bases, tally);
    EXPECT_EQ(text, expected);

    // On disk every line ends with CR LF, as network software expects.
    const std::string path = ensure_extension(std::string(CORVELLA_BINARY_DIR) + "/two_samples", ".rdf");
    ASSERT_TRUE(write_text_file(path, text).ok);
    std::ifstream in(path, std::ios::binary);
    const std::string on_disk((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string expected_crlf;
    for (char c : expected) expected_crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_EQ(on_disk, expected_crlf);
    std::remove(path.c_str());
}

TEST(NetworkFile, OneSequenceAndNoSequences) {
    const std::string blanks7 = "       \n";
    EXPECT_EQ(build_network_text({{73}}, {"G"}, {}), repeat(blanks7, 6) + "s1       1\n\n\n");
    EXPECT_EQ(build_network_text({}, {}, {}), repeat(blanks7, 6) + "\n\n");
}

TEST(NetworkFile, WeightsBreakAfterEvery125) {
    for (int v : {1, 124, 125, 126, 250, 251}) {
        VariantTally tally;
        std::vector<int32_t> held;
        for (int p = 1; p <= v; ++p) {
            tally[{p, 'A'}] = 1;
            held.push_back(p);
        }
        const std::vector<std::string> lines =
            lines_of(build_network_text({held, {}}, {std::string(held.size(), 'A'), ""}, tally));
        // 6 header lines, 2 sequences, the empty line, then the weights.
        std::vector<std::string> weights(lines.begin() + 9, lines.end());
        std::vector<std::string> expected;
        for (int left = v; left > 0; left -= 125) expected.push_back(repeat("10", std::min(left, 125)));
        if (v % 125 == 0) expected.emplace_back();  // the file ends with an empty line
        EXPECT_EQ(weights, expected) << v << " variants";
        EXPECT_EQ(lines[6], "s1     " + std::string(static_cast<size_t>(v), '1') + "  1");
        EXPECT_EQ(lines[7], "s2     " + std::string(static_cast<size_t>(v), '0') + "  1");
    }
}

TEST(NetworkFile, SequenceNames) {
    EXPECT_EQ(make_sequence_name(1), "s1     ");
    EXPECT_EQ(make_sequence_name(12), "s12    ");
    EXPECT_EQ(make_sequence_name(99999), "s99999 ");
    EXPECT_EQ(make_sequence_name(100000), "s100000");
    EXPECT_EQ(make_sequence_name(1000000), "s1000000");
}

TEST(NetworkFile, HeaderColumns) {
    std::array<std::string, NETWORK_HEADER_LINES> header;
    convert_pos(123456, 'A', header);  // six digits fill the column; no base letter
    convert_pos(16519, ' ', header);
    convert_pos(9, 'T', header);
    convert_pos(1234567, 'C', header);  // only the first six digits show
    const std::array<std::string, NETWORK_HEADER_LINES> expected = {"1191", "26T2", "35 3",
                                                                    "41 4", "59 5", "6  6"};
    EXPECT_EQ(header, expected);

    const std::vector<std::string> lines = lines_of(build_network_text({{123456}, {}}, {"A", ""}, {{{123456, 'A'}, 1}}));
    for (int r = 0; r < 6; ++r) EXPECT_EQ(lines[r], std::string(7, ' ') + static_cast<char>('1' + r)) << r;
}

TEST(NetworkFile, SameTextAsTheCellByCellDefinition) {
    std::mt19937 rng(7);
    const std::string letters = "ACGTZ";
    for (int round = 0; round < 100; ++round) {
        const size_t entries = rng() % 9;
        std::vector<std::vector<int32_t>> positions(entries);
        std::vector<std::string> bases(entries);
        for (size_t i = 0; i < entries; ++i) {
            for (size_t j = rng() % 12; j > 0; --j) {
                positions[i].push_back(1 + static_cast<int32_t>(rng() % 300) * 37);
                bases[i] += letters[rng() % letters.size()];
            }
        }
        // The rebuilt tally, and sometimes a tally that also holds variants
        // every entry carries or none does (as after an ordinary list read).
        VariantTally tally = build_variable_tally(positions, bases);
        if (round % 3 == 0) tally[{5, 'C'}] = 1;
        if (round % 4 == 0 && entries > 0 && !positions[0].empty()) tally[{positions[0][0], bases[0][0]}] = 1;
        ASSERT_EQ(build_network_text(positions, bases, tally), plain_network_text(positions, bases, tally))
            << "round " << round;
    }
}
