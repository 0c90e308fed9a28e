#include "PageMemory.h"

#include <sys/mman.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

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

namespace {

// The first number in a file, or nothing ("max", missing, unreadable).
std::optional<unsigned long long> ReadNumber(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "r");
  if (file == nullptr) return std::nullopt;
  unsigned long long value = 0;
  const bool read = std::fscanf(file, "%llu", &value) == 1;
  std::fclose(file);
  if (!read) return std::nullopt;
  return value;
}

// A "Key: <n> kB" line of a /proc file, in bytes.
std::optional<size_t> ProcKib(const char* path, const char* key) {
  std::FILE* file = std::fopen(path, "r");
  if (file == nullptr) return std::nullopt;
  char line[256];
  const size_t keyLength = std::strlen(key);
  std::optional<size_t> bytes;
  while (!bytes && std::fgets(line, sizeof line, file) != nullptr) {
    unsigned long long kib = 0;
    if (std::strncmp(line, key, keyLength) == 0 &&
        std::sscanf(line + keyLength, " %llu kB", &kib) == 1) {
      bytes = static_cast<size_t>(kib) * 1024;
    }
  }
  std::fclose(file);
  return bytes;
}

size_t Left(unsigned long long limit, unsigned long long used) {
  return limit > used ? static_cast<size_t>(limit - used) : 0;
}

// What a resource limit leaves, given what of it the process holds.
size_t RlimitLeft(int resource, const char* usedKey) {
  struct rlimit limit;
  if (::getrlimit(resource, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return SIZE_MAX;
  return Left(limit.rlim_cur, ProcKib("/proc/self/status", usedKey).value_or(0));
}

// The least a limit file less its usage file leaves, from `folder` up to `root`.
size_t LeftUpTo(const std::string& root, std::string folder, const char* limitFile,
                const char* usageFile) {
  size_t least = SIZE_MAX;
  for (;;) {
    const std::string here = root + folder;
    if (const std::optional<unsigned long long> limit = ReadNumber(here + "/" + limitFile)) {
      least = std::min(least, Left(*limit, ReadNumber(here + "/" + usageFile).value_or(0)));
    }
    const size_t slash = folder.rfind('/');
    if (folder.empty() || slash == std::string::npos) return least;
    folder.resize(slash);
  }
}

// Whether a comma-separated list of controllers holds `name`.
bool NamesController(std::string_view controllers, std::string_view name) {
  while (!controllers.empty()) {
    const size_t comma = controllers.find(',');
    if (controllers.substr(0, comma) == name) return true;
    if (comma == std::string_view::npos) break;
    controllers.remove_prefix(comma + 1);
  }
  return false;
}

}  // namespace

size_t CgroupMemoryLeft(std::string_view procSelfCgroup, const std::string& v2Root,
                        const std::string& v1Root) {
  size_t least = SIZE_MAX;
  while (!procSelfCgroup.empty()) {
    const size_t end = procSelfCgroup.find('\n');
    const std::string_view line = procSelfCgroup.substr(0, end);
    procSelfCgroup.remove_prefix(end == std::string_view::npos ? procSelfCgroup.size() : end + 1);
    // "<id>:<controllers>:<path>"; v2 has no controllers, v1 names them.
    const size_t first = line.find(':');
    const size_t second = first == std::string_view::npos ? first : line.find(':', first + 1);
    if (second == std::string_view::npos) continue;
    const std::string_view controllers = line.substr(first + 1, second - first - 1);
    std::string path(line.substr(second + 1));
    if (path == "/") path.clear();
    if (controllers.empty()) {
      least = std::min(least, LeftUpTo(v2Root, path, "memory.max", "memory.current"));
    } else if (NamesController(controllers, "memory")) {
      least =
          std::min(least, LeftUpTo(v1Root, path, "memory.limit_in_bytes", "memory.usage_in_bytes"));
    }
  }
  return least;
}

size_t AvailableMemoryBytes() {
  size_t available = SIZE_MAX;
  if (const std::optional<size_t> free = ProcKib("/proc/meminfo", "MemAvailable:")) {
    available = *free;
  } else {
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    if (pages > 0 && pageSize > 0)
      available = static_cast<size_t>(pages) * static_cast<size_t>(pageSize);
  }
  // A limit the process runs under fails its allocations long before the
  // system runs short.
  available = std::min(available, RlimitLeft(RLIMIT_AS, "VmSize:"));
  available = std::min(available, RlimitLeft(RLIMIT_DATA, "VmData:"));
  std::string cgroups;
  if (std::FILE* file = std::fopen("/proc/self/cgroup", "r")) {
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) cgroups.append(buffer, got);
    std::fclose(file);
  }
  for (const char* v2Root : {"/sys/fs/cgroup", "/sys/fs/cgroup/unified"}) {
    available = std::min(available, CgroupMemoryLeft(cgroups, v2Root, "/sys/fs/cgroup/memory"));
  }
  return available;
}

}  // namespace sorimu
