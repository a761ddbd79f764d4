#include "output/report.h"

#include <cmath>

namespace corvella {

int progress_percent(int64_t k, int64_t n) {
    if (n <= 0) return 100;
    return static_cast<int>(std::ceil(static_cast<double>(k) / static_cast<double>(n) * 100.0));
}

}  // namespace corvella
