#pragma once

#include <cstdint>
#include <string>

namespace sorimu {

// The file of repetition `repetition`: "<level>_<games>_<repetition>" goes
// before the first "." of the file's own name (after the last "/"), or in
// front of that name when it has none. Folder names are never touched.
std::string BatchFileName(const std::string& baseName, int32_t flevel, int32_t games,
                          int32_t repetition);

// The progress bar after repetition i of n: (i + 1) / n × 100, truncated. It
// runs one repetition ahead and passes 100 at the end on purpose.
int BatchProgressPosition(int32_t repetition, int32_t count);

}  // namespace sorimu
