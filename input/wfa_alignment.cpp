#include "input/wfa_alignment.h"

#include <bindings/cpp/WFAligner.hpp>

#include <string>

namespace corvella {

GlobalAligner::GlobalAligner(int32_t max_score)
    : aligner_(std::make_unique<wfa::WFAlignerGapAffine>(WFA_MISMATCH, WFA_GAP_OPENING, WFA_GAP_EXTENSION,
                                                         wfa::WFAligner::Alignment,
                                                         wfa::WFAligner::MemoryUltralow)) {
    aligner_->setHeuristicNone();
    aligner_->setMaxAlignmentScore(max_score);
}

GlobalAligner::~GlobalAligner() = default;

bool GlobalAligner::align(std::string_view reference, std::string_view sample, PairwiseRows& rows) {
    rows.reference.clear();
    rows.sample.clear();
    // The reference is the pattern, the sample the text: "I" is a sample
    // letter the reference lacks, "D" a reference letter the sample lacks.
    const auto status = aligner_->alignEnd2End(reference.data(), static_cast<int>(reference.size()), sample.data(),
                                               static_cast<int>(sample.size()));
    if (status != wfa::WFAligner::StatusSuccessful) return false;
    score_ = -aligner_->getAlignmentScore();
    char* ops = nullptr;
    int length = 0;
    aligner_->getAlignmentCigar(&ops, &length);
    rows.reference.reserve(static_cast<size_t>(length));
    rows.sample.reserve(static_cast<size_t>(length));
    size_t r = 0, s = 0;
    bool fits = true;
    for (int i = 0; i < length && fits; ++i) {
        const char op = ops[i];
        const bool takes_reference = op == 'M' || op == 'X' || op == 'D';
        const bool takes_sample = op == 'M' || op == 'X' || op == 'I';
        if ((!takes_reference && !takes_sample) || (takes_reference && r >= reference.size()) ||
            (takes_sample && s >= sample.size()))
            fits = false;
        if (!fits) break;
        rows.reference += takes_reference ? reference[r++] : '-';
        rows.sample += takes_sample ? sample[s++] : '-';
    }
    // An operation list that does not spell out both sequences is no alignment.
    if (!fits || r != reference.size() || s != sample.size()) {
        rows.reference.clear();
        rows.sample.clear();
        return false;
    }
    return true;
}

}  // namespace corvella
