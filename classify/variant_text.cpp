#include "classify/variant_text.h"

#include "classify/genetic_code.h"

namespace corvella {

std::string variant_text(const Workspace& ws, const VariantKey& key) {
    std::string text = std::to_string(key.position);
    if (pos_is_transversion(ws, key.position, key.base)) text += key.base;
    return text;
}

char reference_letter_or_z(const Workspace& ws, int32_t p) {
    if (p < 1 || p > ws.reference_length()) return 'Z';
    return ws.reference_letter(p);
}

std::string base_change_text(const Workspace& ws, const VariantKey& key) {
    return std::string{reference_letter_or_z(ws, key.position), '-', key.base};
}

}  // namespace corvella
