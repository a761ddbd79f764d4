#include "core/sample_store.h"

#include <sys/mman.h>

#include <cstdlib>
#include <new>

namespace corvella::detail {

namespace {

constexpr std::size_t LARGE_PAGE = std::size_t{2} << 20;
constexpr std::size_t LARGE_BLOCK = std::size_t{8} << 20;

}  // namespace

void* allocate_items(std::size_t bytes) {
    if (bytes < LARGE_BLOCK) return ::operator new(bytes);
    const std::size_t rounded = (bytes + LARGE_PAGE - 1) / LARGE_PAGE * LARGE_PAGE;
    void* p = std::aligned_alloc(LARGE_PAGE, rounded);
    if (p == nullptr) throw std::bad_alloc();
    madvise(p, rounded, MADV_HUGEPAGE);  // a hint: without large pages the block works the same
    return p;
}

void free_items(void* p, std::size_t bytes) {
    if (bytes < LARGE_BLOCK)
        ::operator delete(p);
    else
        std::free(p);
}

}  // namespace corvella::detail
