#pragma once

#include <cstddef>

namespace sorimu {

// Large zero-filled blocks straight from the system, marked for huge pages
// where the system offers them. nullptr when memory runs out.
void* AllocatePages(size_t bytes);
void FreePages(void* memory, size_t bytes);

}  // namespace sorimu
