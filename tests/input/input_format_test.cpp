// Telling a list or an HSD file from a VCF without starting htslib: the
// look at the first bytes must never hide a file that htslib takes for VCF
// or BCF, and must spare htslib the plain texts.
#include <gtest/gtest.h>
#include <htslib/hfile.h>
#include <htslib/hts.h>

#include <string>

#include "core/temp_file.h"
#include "gzip_text.h"
#include "input/input_format.h"

using namespace corvella;
using corvella_test::TempFile;

namespace {

bool htslib_takes_for_vcf(const std::string& path) {
    hFILE* f = hopen(path.c_str(), "r");
    if (f == nullptr) return false;
    htsFormat format{};
    const bool vcf_or_bcf = hts_detect_format(f, &format) == 0 && (format.format == vcf || format.format == bcf);
    hclose_abruptly(f);
    return vcf_or_bcf;
}

const std::string VCF_TEXT = "##fileformat=VCFv4.2\n#CHROM\tPOS\tID\tREF\tALT\tQUAL\tFILTER\tINFO\n";

struct Case {
    const char* name;
    std::string bytes;
    InputFormat format;
    bool htslib_asked;  // whether the first bytes leave it to htslib
};

}  // namespace

TEST(InputFormat, FirstBytesSpareHtslibOnlyWhatItCannotTakeForVcf) {
    const Case cases[] = {
        {"list", corvella_test::data_text("cli/six_keys.txt"), InputFormat::List, false},
        {"list without names", "73 263G 16519\n", InputFormat::List, false},
        {"list after blank lines", "\r\n\n>S1\r\n73 \r\n", InputFormat::List, false},
        {"hsd", corvella_test::data_text("vcf/cohort.hsd"), InputFormat::Hsd, false},
        {"fasta", ">a\nGATCACAGGTCTATCACCC\n", InputFormat::Fasta, false},
        {"vcf", corvella_test::data_text("vcf/mutserve.vcf"), InputFormat::Vcf, true},
        {"vcf after a blank line", "\n" + VCF_TEXT, InputFormat::List, true},
        {"bgzf vcf", corvella_test::data_text("vcf/mutect2.vcf.gz"), InputFormat::Vcf, true},
        {"gzip vcf", corvella_test::gzipped(VCF_TEXT), InputFormat::Vcf, true},
        {"bcf", corvella_test::data_text("vcf/mutserve.bcf"), InputFormat::Vcf, true},
        {"gzip list", corvella_test::gzipped(">S1\n73 \n"), InputFormat::List, true},
        {"a list that begins with a comment", "# cohort 1\n>S1\n73 \n", InputFormat::List, true},
        {"a name in another alphabet", "\xc3\xa9tude 73\n", InputFormat::List, true},
        {"a name like a bzip2 stream", "BZh 73\n", InputFormat::List, true},
        {"empty", "", InputFormat::List, true},
    };
    for (const Case& c : cases) {
        TempFile file("input_format.bin", c.bytes);
        const bool htslib_vcf = htslib_takes_for_vcf(file.path());
        EXPECT_EQ(may_be_vcf(c.bytes.substr(0, 64)), c.htslib_asked) << c.name;
        if (htslib_vcf) {
            EXPECT_TRUE(may_be_vcf(c.bytes.substr(0, 64))) << c.name << ": htslib reads it as VCF";
        }
        EXPECT_EQ(htslib_vcf, c.format == InputFormat::Vcf) << c.name;
        EXPECT_EQ(detect_input_format(file.path()), c.format) << c.name;
    }
    EXPECT_EQ(detect_input_format("/nonexistent/list.txt"), InputFormat::List);
}
