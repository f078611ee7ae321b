// Pixel storage whose start is aligned to a 64-byte cache line, so that rows of surfaces whose
// width is a multiple of 16 pixels start on cache lines too (the copy loop streams whole lines).
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <vector>

namespace gfx {

template <class T>
struct CacheLineAllocator {
  using value_type = T;
  static constexpr std::align_val_t kAlignment{64};

  CacheLineAllocator() = default;
  template <class U>
  CacheLineAllocator(const CacheLineAllocator<U>&) {}

  T* allocate(std::size_t n) { return static_cast<T*>(::operator new(n * sizeof(T), kAlignment)); }
  void deallocate(T* p, std::size_t) { ::operator delete(p, kAlignment); }

  template <class U>
  bool operator==(const CacheLineAllocator<U>&) const {
    return true;
  }
};

using PixelBuffer = std::vector<uint32_t, CacheLineAllocator<uint32_t>>;

}  // namespace gfx
