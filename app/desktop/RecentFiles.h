#pragma once

#include <QString>
#include <QStringList>

class QSettings;

namespace sorimu {

// The simulation files last opened or saved, newest first, as the ファイル
// menu lists them. Kept in the per-user settings and read afresh each time,
// so that windows of other processes add to one list instead of overwriting
// each other's; without settings the list lasts as long as the window.
class RecentFiles {
 public:
  static constexpr int kMaxFiles = 8;
  static constexpr const char* kKey = "recentFiles";

  explicit RecentFiles(QSettings* store = nullptr) : store_(store) {}

  // What is stored, less files that no longer exist.
  QStringList Existing() const;
  // Puts `path` (made absolute) first; an older entry of it goes.
  void Add(const QString& path);
  void Clear();

 private:
  // What is stored, less entries that cannot be paths of ours: anything not
  // an absolute path, doubles, and those past kMaxFiles.
  QStringList Stored() const;
  void Store(const QStringList& files);

  QSettings* store_;
  QStringList files_;  // without a store
};

}  // namespace sorimu
