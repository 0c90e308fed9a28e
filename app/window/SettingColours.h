#pragma once

#include <QColor>
#include <cstdint>
#include <iterator>

namespace sorimu {

// One colour per setting, the same in every plot that draws settings side by side.
inline QColor SettingColour(int32_t setting) {
  static const QColor kColours[] = {QColor(31, 119, 180),  QColor(44, 160, 44),
                                    QColor(148, 103, 189), QColor(140, 86, 75),
                                    QColor(255, 127, 14),  QColor(214, 39, 40)};
  constexpr int32_t kCount = static_cast<int32_t>(std::size(kColours));
  return kColours[(setting - 1 + kCount) % kCount];
}

}  // namespace sorimu
