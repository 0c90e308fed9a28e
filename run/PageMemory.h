#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace sorimu {

// Large zero-filled blocks straight from the system, marked for huge pages
// where the system offers them. nullptr when memory runs out.
void* AllocatePages(size_t bytes);
void FreePages(void* memory, size_t bytes);

// Memory this process can still take: the least of what the system can
// give without swapping (MemAvailable, or the physical memory where the
// system does not say), what the process's address-space and data limits
// leave (RLIMIT_AS, RLIMIT_DATA, less what it holds already) and what its
// cgroup's memory limit leaves. SIZE_MAX when nothing can be told.
size_t AvailableMemoryBytes();

// What cgroup memory limits leave: the least, over the cgroup named in
// `procSelfCgroup` (the text of /proc/self/cgroup) and those above it, of
// memory.max less memory.current under `v2Root`, or for the v1 memory
// controller memory.limit_in_bytes less memory.usage_in_bytes under
// `v1Root`. SIZE_MAX where no limit applies.
size_t CgroupMemoryLeft(std::string_view procSelfCgroup, const std::string& v2Root,
                        const std::string& v1Root);

}  // namespace sorimu
