#include "platform/process.h"

#if defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#endif

namespace platform {
namespace {

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kOwnAllocator = false;  // the sanitizer's allocator serves malloc
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || __has_feature(memory_sanitizer)
constexpr bool kOwnAllocator = false;
#else
constexpr bool kOwnAllocator = true;
#endif
#else
constexpr bool kOwnAllocator = true;
#endif

}  // namespace

#ifndef _WIN32
// The Windows side is in win32_process.cpp.
std::vector<std::string> ProgramArguments(int argc, char** argv) {
  return std::vector<std::string>(argv, argv + (argc > 0 ? argc : 0));
}

void PrepareConsole() {}

void UseBinaryOutput(std::FILE*) {}
#endif

void PrepareMemory() {
#if defined(__GLIBC__)
  if (!kOwnAllocator) return;
  // Sprite sheets, tilesets, the frame and the map's chunks are buffers of hundreds of KiB:
  // below this size they come from the heap, which grows this much at a time and is not given
  // back after each free. A fresh page costs far more to fault in than to fill, so touching
  // thousands of 4 KiB pages was most of the start-up.
  constexpr std::size_t kHeapStep = std::size_t{64} << 20;
  constexpr uintptr_t kHugePage = uintptr_t{2} << 20;
  mallopt(M_MMAP_THRESHOLD, static_cast<int>(kHeapStep));
  mallopt(M_TOP_PAD, static_cast<int>(kHeapStep));
  mallopt(M_TRIM_THRESHOLD, static_cast<int>(2 * kHeapStep));
  // Grow the heap once now, and ask for huge pages over it: the system backs each 2 MiB of it
  // the first time it is touched, one fault instead of 512.
  const auto before = reinterpret_cast<uintptr_t>(sbrk(0));
  // More than the heap has free, so it grows; volatile, so that the pair is not left out.
  void* volatile grown = std::malloc(kHeapStep / 4);
  const auto after = reinterpret_cast<uintptr_t>(sbrk(0));
  std::free(grown);
  const uintptr_t start = (before + kHugePage - 1) & ~(kHugePage - 1);
  if (before != static_cast<uintptr_t>(-1) && after > start) {
    madvise(reinterpret_cast<void*>(start), after - start, MADV_HUGEPAGE);
  }
#endif
}

}  // namespace platform
