#include "classify/variant_text.h"

#include "classify/genetic_code.h"

namespace corvella {

std::string variant_text(const Workspace& ws, const VariantKey& key) {
    std::string text = std::to_string(key.position);
    if (pos_is_transversion(ws, key.position, key.base)) text += key.base;
    return text;
}

std::string base_change_text(const Workspace& ws, const VariantKey& key) {
    const int32_t p = key.position;
    const bool inside = 1 <= p && p <= ws.reference_length();
    return std::string{inside ? ws.reference_letter(p) : '?', '-', key.base};
}

}  // namespace corvella
