#include "classify/variant_text.h"

#include "classify/genetic_code.h"

namespace corvella {

std::string variant_text(const Workspace& ws, const VariantKey& key) {
    std::string text = std::to_string(key.position);
    if (pos_is_transversion(ws, key.position, key.base)) text += key.base;
    return text;
}

}  // namespace corvella
