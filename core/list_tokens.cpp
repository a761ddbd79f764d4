#include "core/list_tokens.h"

#include <limits>

namespace corvella {

std::optional<int32_t> leading_decimal(std::string_view text) {
    const detail::Decimal d = detail::scan_decimal(text);
    if (!detail::fits_int32(d.value)) return std::nullopt;
    return static_cast<int32_t>(d.value);
}

}  // namespace corvella
