// Each sample's variants by class: synonymous and non-synonymous changes in
// the protein genes, changes in the tRNAs, the rRNAs and the D-loop. Counted
// as the per-sample reports count them: every item of a sample's list, in
// every region that holds it (a change in the overlap of ATP8 and ATP6
// counts in both genes).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/workspace.h"

namespace corvella {

enum class SampleClass { Synonymous, NonSynonymous, Trna, Rrna, DLoop };
constexpr size_t SAMPLE_CLASS_COUNT = 5;
// "synonymous", "non-synonymous", "tRNA", "rRNA", "D-loop".
const char* sample_class_name(SampleClass c);

struct SampleClassCounts {
    std::string name;  // the sample's name line without its ">"
    std::array<int64_t, SAMPLE_CLASS_COUNT> counts{};
};

// One entry per sample of the lists, in list order.
std::vector<SampleClassCounts> sample_class_counts(const Workspace& ws);

}  // namespace corvella
