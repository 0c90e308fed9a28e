#pragma once

#include <QString>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "RunExports.h"

class QWidget;

namespace sorimu {

// Each chart as the plot draws itself at its present size, `scale` times as
// many pixels each way (its layout kept), as PNG bytes, paired with its file
// suffix ("_slump.png"); nothing when a widget is not a plot that can draw
// itself.
std::optional<std::vector<ExportBytes>> ChartPictures(
    const std::vector<std::pair<std::string_view, QWidget*>>& charts, int scale = 1);

}  // namespace sorimu
