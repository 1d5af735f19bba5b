// The arrays of an expansion history. Their elements are left uninitialised when a
// vector grows (the stepper writes every one of them), and large arrays are placed in
// memory that the system may back with large pages, so that the first touch of a
// history costs a few faults rather than one per 4 KiB.
#pragma once

#include <cstddef>
#include <new>
#include <type_traits>
#include <vector>

namespace cosmology {

// Raw storage of at least the given size in bytes, aligned for any type; large blocks
// start on a large-page boundary. release takes back exactly what reserve_storage gave.
void* reserve_storage(std::size_t bytes);
void release_storage(void* block, std::size_t bytes) noexcept;

// An allocator for the history arrays: storage from reserve_storage, and elements
// built without a value (resize leaves new doubles as they are).
template <class T>
struct SeriesAllocator {
    static_assert(std::is_trivially_default_constructible_v<T>);
    using value_type = T;

    SeriesAllocator() = default;
    template <class U>
    SeriesAllocator(const SeriesAllocator<U>&) noexcept {}

    T* allocate(std::size_t n) {
        if (n > static_cast<std::size_t>(-1) / sizeof(T)) throw std::bad_array_new_length();
        return static_cast<T*>(reserve_storage(n * sizeof(T)));
    }
    void deallocate(T* p, std::size_t n) noexcept { release_storage(p, n * sizeof(T)); }

    // Default-initialises: no zero fill.
    template <class U>
    void construct(U* p) noexcept {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(static_cast<Args&&>(args)...);
    }

    template <class U>
    bool operator==(const SeriesAllocator<U>&) const noexcept {
        return true;
    }
};

using Series = std::vector<double, SeriesAllocator<double>>;

}  // namespace cosmology
