#include "RunExport.h"

#include <qcustomplot.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPixmap>
#include <QSaveFile>

#include "CsvExport.h"
#include "RunRecords.h"

namespace sorimu {

namespace {

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

void RemoveAll(const QStringList& paths) {
  for (const QString& path : paths) QFile::remove(path);
}

}  // namespace

QString ExportPath(const QString& chosen, const QString& suffix) {
  const QFileInfo info(chosen);
  return QDir(info.path()).filePath(info.completeBaseName() + suffix);
}

ExportResult ExportRunCsv(const QString& chosen, const RunRecords& records) {
  using Writer = void (*)(std::ostream&, const RunRecords&);
  const std::pair<const char*, Writer> files[] = {{kGamesCsvSuffix, WritePlayListCsv},
                                                  {kBonusesCsvSuffix, WriteBonusListCsv}};
  ExportResult result;
  for (const auto& [suffix, write] : files) {
    const QString path = ExportPath(chosen, QString::fromLatin1(suffix));
    const CsvSaveStatus status =
        SaveCsvFile(QFile::encodeName(path).toStdString(),
                    [&, write = write](std::ostream& out) { write(out, records); });
    if (status != CsvSaveStatus::Ok) {
      RemoveAll(result.Written);
      result.Written.clear();
      result.Error = QString::fromStdString(CsvSaveMessage(status, path.toStdString()));
      return result;
    }
    result.Written << path;
  }
  return result;
}

ExportResult ExportChartImages(const QString& chosen,
                               const std::vector<std::pair<QString, QWidget*>>& charts) {
  // Every picture is drawn before the first file is touched, so a chart that
  // cannot be drawn leaves nothing behind.
  std::vector<std::pair<QString, QPixmap>> pictures;
  for (const auto& [suffix, widget] : charts) {
    auto* plot = qobject_cast<QCustomPlot*>(widget);
    if (plot == nullptr) return {Text("グラフを画像にできません。"), {}};
    pictures.emplace_back(ExportPath(chosen, suffix), plot->toPixmap());
  }

  ExportResult result;
  for (const auto& [path, picture] : pictures) {
    // QSaveFile renames into place only after the last byte, so a failure
    // keeps an earlier file of that name as it was.
    QSaveFile file(path);
    QString error;
    if (!file.open(QIODevice::WriteOnly)) {
      error = Text("画像ファイルを作成できません: ") + path;
    } else if (!picture.save(&file, "PNG") || !file.commit()) {
      file.cancelWriting();
      error = Text("画像ファイルの書き込みに失敗しました: ") + path;
    }
    if (!error.isEmpty()) {
      RemoveAll(result.Written);
      return {error, {}};
    }
    result.Written << path;
  }
  return result;
}

}  // namespace sorimu
