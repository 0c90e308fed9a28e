#include "PageMemory.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace sorimu {

#ifdef __EMSCRIPTEN__
// WebAssembly has one linear memory and no pages to map: emscripten's mmap is
// a heap block that cannot be trimmed or freed in part, so the heap serves
// the block directly.
void* AllocatePages(size_t bytes) { return std::calloc(1, bytes); }

void FreePages(void* memory, size_t) { std::free(memory); }
#else
namespace {
constexpr size_t kHugePage = size_t{2} << 20;
}

void* AllocatePages(size_t bytes) {
  // Map a little more and trim it so the block starts on a huge-page boundary.
  const size_t mapped = bytes + kHugePage;
  void* raw = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (raw == MAP_FAILED) return nullptr;
  const uintptr_t start = reinterpret_cast<uintptr_t>(raw);
  const uintptr_t aligned = (start + kHugePage - 1) & ~(kHugePage - 1);
  if (aligned > start) munmap(raw, aligned - start);
  const uintptr_t end = start + mapped;
  if (end > aligned + bytes)
    munmap(reinterpret_cast<void*>(aligned + bytes), end - aligned - bytes);
  void* memory = reinterpret_cast<void*>(aligned);
#ifdef MADV_HUGEPAGE
  // Huge pages halve the cost of first touch, which dominates long runs.
  madvise(memory, bytes, MADV_HUGEPAGE);
#endif
  return memory;
}

void FreePages(void* memory, size_t bytes) {
  if (memory != nullptr) munmap(memory, bytes);
}
#endif

size_t AvailableMemoryBytes() {
  if (std::FILE* info = std::fopen("/proc/meminfo", "r")) {
    char line[256];
    unsigned long long kib = 0;
    bool found = false;
    while (!found && std::fgets(line, sizeof line, info) != nullptr) {
      found = std::sscanf(line, "MemAvailable: %llu kB", &kib) == 1;
    }
    std::fclose(info);
    if (found) return static_cast<size_t>(kib) * 1024;
  }
  const long pages = ::sysconf(_SC_PHYS_PAGES);
  const long pageSize = ::sysconf(_SC_PAGESIZE);
  if (pages <= 0 || pageSize <= 0) return SIZE_MAX;
  return static_cast<size_t>(pages) * static_cast<size_t>(pageSize);
}

}  // namespace sorimu
