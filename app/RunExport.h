#pragma once

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

class QWidget;

namespace sorimu {

class RunRecords;

// Both exports write a pair of files named after the one name the user
// chose: its folder and its name without the extension, then a suffix each.
// They write all or nothing: when one file fails, those written before it
// by the same export are removed again.
struct ExportResult {
  QString Error;        // the message to show; empty on success
  QStringList Written;  // the files written, in order
};

QString ExportPath(const QString& chosen, const QString& suffix);

inline constexpr const char* kGamesCsvSuffix = "_games.csv";
inline constexpr const char* kBonusesCsvSuffix = "_bonuses.csv";

// The per-game list and the bonus list, UTF-8 with a BOM.
ExportResult ExportRunCsv(const QString& chosen, const RunRecords& records);

// Each chart as the plot draws itself at its present size. `charts` pairs a
// suffix ("_slump.png") with a plot widget.
ExportResult ExportChartImages(const QString& chosen,
                               const std::vector<std::pair<QString, QWidget*>>& charts);

}  // namespace sorimu
