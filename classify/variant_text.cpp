#include "classify/variant_text.h"

#include "classify/genetic_code.h"

namespace corvella {

std::string variant_position_text(const Workspace& ws, int32_t p, char base) {
    std::string text = std::to_string(p);
    if (pos_is_transversion(ws, p, base)) text += base;
    return text;
}

std::string base_change_text(const Workspace& ws, int32_t p, char base) {
    const bool inside = 1 <= p && p <= ws.reference_length();
    return std::string{inside ? ws.reference_letter(p) : '?', '-', base};
}

}  // namespace corvella
