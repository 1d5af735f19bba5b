#include "app/series.h"

#include <cstdint>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace cosmology {

namespace {

#if defined(__linux__)
constexpr std::size_t kPage = 4096;
constexpr std::size_t kLargePage = std::size_t{2} << 20;

// Blocks of at least one large page are mapped directly, starting on a large-page
// boundary, and marked for large pages; the mapping ends at the last small page the
// block needs, so its partial last large page stays in small pages and costs no more
// memory than the block itself.
bool is_large(std::size_t bytes) {
    return bytes >= kLargePage;
}

std::size_t mapped_size(std::size_t bytes) {
    return (bytes + kPage - 1) / kPage * kPage;
}
#endif

}  // namespace

void* reserve_storage(std::size_t bytes) {
#if defined(__linux__)
    if (is_large(bytes)) {
        const std::size_t size = mapped_size(bytes);
        if (size > SIZE_MAX - kLargePage) throw std::bad_alloc();
        void* const map = mmap(nullptr, size + kLargePage, PROT_READ | PROT_WRITE,
                               MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (map == MAP_FAILED) throw std::bad_alloc();
        const auto start = reinterpret_cast<std::uintptr_t>(map);
        const std::uintptr_t aligned = (start + kLargePage - 1) / kLargePage * kLargePage;
        const std::size_t head = aligned - start;
        if (head > 0) munmap(map, head);
        munmap(reinterpret_cast<void*>(aligned + size), kLargePage - head);
        void* const block = reinterpret_cast<void*>(aligned);
        madvise(block, size, MADV_HUGEPAGE);  // advice only: small pages work as well
        return block;
    }
#endif
    return ::operator new(bytes);
}

void release_storage(void* block, std::size_t bytes) noexcept {
#if defined(__linux__)
    if (is_large(bytes)) {
        munmap(block, mapped_size(bytes));
        return;
    }
#endif
    ::operator delete(block);
}

}  // namespace cosmology
