#include "SessionMemory.h"

#include <QSettings>
#include <algorithm>
#include <cstdlib>
#include <string>

namespace sorimu {

namespace {

// How much of a window's top edge must lie on a screen to be taken and moved.
constexpr int kGrabWidth = 100;
constexpr int kGrabHeight = 20;
// Beyond any desktop; keeps the rectangle arithmetic below clear of overflow.
constexpr int kFarthestCorner = 1 << 20;

const QString kPositionKey = QStringLiteral("window/position");

std::optional<std::string> StoredText(const QSettings& settings, const QString& key,
                                      size_t longest) {
  const QVariant value = settings.value(key);
  if (value.typeId() != QMetaType::QString) return std::nullopt;
  const QString text = value.toString();
  if (static_cast<size_t>(text.size()) > longest) return std::nullopt;
  return text.toStdString();
}

std::optional<bool> StoredBool(const QSettings& settings, const QString& key) {
  const QVariant value = settings.value(key);
  if (value.typeId() == QMetaType::Bool) return value.toBool();
  // A settings file holds "true" and "false"; anything else means nothing.
  if (value.typeId() != QMetaType::QString) return std::nullopt;
  if (value.toString() == QLatin1String("true")) return true;
  if (value.toString() == QLatin1String("false")) return false;
  return std::nullopt;
}

}  // namespace

void RestoreInputs(const QSettings& settings, RememberedInputs& inputs) {
  for (const TextSetting& setting : kTextSettings) {
    const std::optional<std::string> text =
        StoredText(settings, QLatin1String(setting.Key), setting.Longest);
    if (text) setting.Set(inputs, *text);
  }
  for (int m = 0; m < kMarkerSeriesCount; ++m) {
    const std::optional<bool> checked = StoredBool(settings, QString::fromStdString(MarkerKey(m)));
    if (checked) inputs.Markers[static_cast<size_t>(m)] = *checked;
  }
  const std::optional<bool> wanted = StoredBool(settings, QLatin1String(kExpectedLineKey));
  if (wanted) inputs.ExpectedLineWanted = *wanted;
}

void RememberInputs(QSettings& settings, const RememberedInputs& inputs) {
  for (const TextSetting& setting : kTextSettings) {
    const std::string text = setting.Get(inputs);
    RememberedInputs scratch;
    if (setting.Set(scratch, text)) {
      settings.setValue(QLatin1String(setting.Key), QString::fromStdString(text));
    } else {
      settings.remove(QLatin1String(setting.Key));
    }
  }
  for (int m = 0; m < kMarkerSeriesCount; ++m) {
    settings.setValue(QString::fromStdString(MarkerKey(m)), inputs.Markers[static_cast<size_t>(m)]);
  }
  settings.setValue(QLatin1String(kExpectedLineKey), inputs.ExpectedLineWanted);
}

std::optional<QPoint> StoredPosition(const QSettings& settings, QSize size,
                                     const QList<QRect>& screens) {
  const QVariant value = settings.value(kPositionKey);
  if (value.typeId() != QMetaType::QPoint) return std::nullopt;
  const QPoint position = value.toPoint();
  if (std::abs(position.x()) > kFarthestCorner || std::abs(position.y()) > kFarthestCorner) {
    return std::nullopt;
  }
  const QRect titleBar(position, QSize(size.width(), kGrabHeight));
  for (const QRect& screen : screens) {
    const QRect onScreen = titleBar.intersected(screen);
    if (onScreen.width() >= std::min(kGrabWidth, size.width()) &&
        onScreen.height() >= kGrabHeight) {
      return position;
    }
  }
  return std::nullopt;
}

void RememberPosition(QSettings& settings, QPoint position) {
  settings.setValue(kPositionKey, position);
}

}  // namespace sorimu
