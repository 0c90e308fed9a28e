#include "BatchNames.h"

namespace sorimu {

std::string BatchFileName(const std::string& baseName, int32_t flevel, int32_t games,
                          int32_t repetition) {
  const std::string suffix =
      std::to_string(flevel) + "_" + std::to_string(games) + "_" + std::to_string(repetition);
  const size_t slash = baseName.rfind('/');
  const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  const size_t dot = baseName.find('.', nameStart);
  std::string name = baseName;
  name.insert(dot == std::string::npos ? nameStart : dot, suffix);
  return name;
}

int BatchProgressPosition(int32_t repetition, int32_t count) {
  return static_cast<int>(static_cast<double>(int64_t{repetition} + 1) / count * 100.0);
}

}  // namespace sorimu
