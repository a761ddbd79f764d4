// The VCF/BCF reader (plain, gzip or bgzip text, or BCF, through htslib). It
// turns the calls of every sample into the tokens of a converted polymorphism
// list; the list reader then fills the workspace from that list.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "input/converted_list.h"

struct htsThreadPool;

namespace corvella {

struct VariantReadOptions {
    // Calls at or above this level are kept; 0 <= min_level <= 1. The default
    // keeps what is the sample's own sequence and leaves heteroplasmies out.
    double min_level = 0.9;
    bool include_filtered = false;  // keep records whose FILTER is neither PASS nor missing
    // Annotating records rather than reading calls: a file without sample
    // columns is read too.
    bool records_only = false;
    // When set, one entry per record in file order: 1 when the record is
    // read, 0 when it is passed over as a whole (another contig, a REF
    // unlike the reference, a position outside it, the reference's N
    // placeholder, an empty line). FILTER and levels are about calls and do
    // not pass a record over here.
    std::vector<uint8_t>* record_use = nullptr;
};

// What the reader needs to know about the loaded reference.
struct ReferenceView {
    std::string_view letters;  // upper case; position p at index p - 1
    std::string accession;     // of a loaded GenBank reference, else empty
};

struct VariantReadResult {
    bool ok = true;
    std::string message;  // why the file is refused, when !ok
};

// Whether a CHROM names the mitochondrial contig of `reference`: chrM, M, MT,
// chrMT, NC_012920, NC_012920.1 or rCRS in any case, or the accession of a
// loaded reference with or without its version.
bool is_mitochondrial_contig(std::string_view chrom, const std::string& accession);

// Whether a VCF REF equals the reference letters from `position` (1-based)
// onwards: case is ignored and an N on either side matches any letter.
bool ref_matches_reference(std::string_view ref, int64_t position, std::string_view reference);

// Reads the VCF or BCF at `path` and appends one ConvertedSample per sample
// column to `samples`, counting into `summary`. A file of one sample column
// whose records name their sample in FORMAT/SM (the long form of merged
// call sets) gives one sample per SM value, in order of first appearance.
// On a refusal the message names the file, the line (BCF: the record) where
// there is one, and the cause; what was appended must then be dropped by
// the caller. A refused file is one that cannot be read right: empty,
// damaged, records that contradict their header or name alleles they lack,
// two mitochondrial contig names, or REFs unlike the reference in more than
// a quarter of its mitochondrial records. `pool` may be
// null; when given, compressed files decompress on its threads. `progress`,
// when set, is called now and then with the bytes of the file read so far.
VariantReadResult read_vcf_file(const std::string& path, const ReferenceView& reference,
                                const VariantReadOptions& options, htsThreadPool* pool,
                                const std::function<void(int64_t)>& progress,
                                std::vector<ConvertedSample>& samples, ImportSummary& summary);

}  // namespace corvella
