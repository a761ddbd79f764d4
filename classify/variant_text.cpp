#include "classify/variant_text.h"

#include "classify/genetic_code.h"

namespace corvella {

char reference_letter_or_z(const Workspace& ws, int32_t p) {
    if (p < 1 || p > ws.reference_length()) return 'Z';
    return ws.reference_letter(p);
}

std::string variant_text(const Workspace& ws, int32_t p, char base) {
    std::string text = std::to_string(p);
    if (pos_is_transversion(ws, p, base)) text += base;
    return text;
}

std::string base_change_text(const Workspace& ws, int32_t p, char base) {
    return std::string{reference_letter_or_z(ws, p), '-', base};
}

}  // namespace corvella
