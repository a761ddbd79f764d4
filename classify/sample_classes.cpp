#include "classify/sample_classes.h"

#include <unordered_map>

#include "classify/protein_counting.h"
#include "classify/variant_annotation.h"
#include "input/polymorphism_list.h"

namespace corvella {

const char* sample_class_name(SampleClass c) {
    switch (c) {
        case SampleClass::Synonymous: return "synonymous";
        case SampleClass::NonSynonymous: return "non-synonymous";
        case SampleClass::Trna: return "tRNA";
        case SampleClass::Rrna: return "rRNA";
        case SampleClass::DLoop: break;
    }
    return "D-loop";
}

std::vector<SampleClassCounts> sample_class_counts(const Workspace& ws) {
    using Counts = std::array<int64_t, SAMPLE_CLASS_COUNT>;
    // Each distinct change is classified once, then added per carrier.
    std::unordered_map<uint64_t, Counts> classes;
    classes.reserve(ws.variant_tally.size());
    for (const auto& [key, count] : ws.variant_tally) {
        (void)count;
        Counts c{};
        // The protein genes as the per-sample protein report classifies them.
        ProteinAnalysis analysis;
        ProteinCounts protein{};
        analyse_protein_variant(ws, key, analysis, &protein);
        for (int g = 0; g < PROTEIN_GENE_COUNT; ++g) {
            c[static_cast<size_t>(SampleClass::Synonymous)] += protein.synonymous[static_cast<size_t>(g)];
            c[static_cast<size_t>(SampleClass::NonSynonymous)] += protein.non_synonymous[static_cast<size_t>(g)];
        }
        for (const VariantAnnotation& a : annotate_variant(ws, key.position, key.base)) {
            switch (a.region.type) {
                case RegionType::Protein: break;
                case RegionType::Trna: ++c[static_cast<size_t>(SampleClass::Trna)]; break;
                case RegionType::Rrna: ++c[static_cast<size_t>(SampleClass::Rrna)]; break;
                case RegionType::DLoop: ++c[static_cast<size_t>(SampleClass::DLoop)]; break;
                case RegionType::NonCoding: break;
            }
        }
        classes.emplace((static_cast<uint64_t>(static_cast<uint32_t>(key.position)) << 8) |
                            static_cast<unsigned char>(key.base),
                        c);
    }
    std::vector<SampleClassCounts> samples(ws.sample_positions.size());
    for (size_t i = 0; i < samples.size(); ++i) {
        std::string name(sample_name(ws, i));
        if (!name.empty() && name.front() == '>') name.erase(0, 1);
        samples[i].name = std::move(name);
        const auto positions = ws.sample_positions[i];
        const auto bases = ws.sample_bases[i];
        for (size_t k = 0; k < positions.size() && k < bases.size(); ++k) {
            const auto it = classes.find((static_cast<uint64_t>(static_cast<uint32_t>(positions[k])) << 8) |
                                         static_cast<unsigned char>(bases[k]));
            if (it == classes.end()) continue;
            for (size_t c = 0; c < SAMPLE_CLASS_COUNT; ++c) samples[i].counts[c] += it->second[c];
        }
    }
    return samples;
}

}  // namespace corvella
