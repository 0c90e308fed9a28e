#pragma once

#include <cstddef>

namespace sorimu {

// Large zero-filled blocks straight from the system, marked for huge pages
// where the system offers them. nullptr when memory runs out.
void* AllocatePages(size_t bytes);
void FreePages(void* memory, size_t bytes);

// Memory the system can give without swapping (MemAvailable), or the
// physical memory where the system does not say.
size_t AvailableMemoryBytes();

}  // namespace sorimu
