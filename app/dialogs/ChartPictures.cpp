#include "ChartPictures.h"

#include <qcustomplot.h>

#include <QBuffer>
#include <QByteArray>
#include <QPixmap>

namespace sorimu {

std::optional<std::vector<ExportBytes>> ChartPictures(
    const std::vector<std::pair<std::string_view, QWidget*>>& charts, int scale) {
  // Every picture is drawn before the first file is touched, so a chart that
  // cannot be drawn leaves nothing behind.
  std::vector<ExportBytes> pictures;
  for (const auto& [suffix, widget] : charts) {
    auto* plot = qobject_cast<QCustomPlot*>(widget);
    if (plot == nullptr) return std::nullopt;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!plot->toPixmap(0, 0, scale).save(&buffer, "PNG")) return std::nullopt;
    pictures.push_back({suffix, png.toStdString()});
  }
  return pictures;
}

}  // namespace sorimu
