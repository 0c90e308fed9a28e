// The Open and Save commands.
#include <QComboBox>
#include <QFile>
#include <QLineEdit>

#include "Dialogs.h"
#include "SimReader.h"
#include "SimWriter.h"
#include "Unit1.h"

namespace sorimu {

namespace {

constexpr const char* kReadingStatus = "シミュレーションファイルを読み込み中・・・";
constexpr const char* kReadBrokenOffStatus = "シミュレーションファイルの読み込み中断";
constexpr const char* kReadDoneStatus = "シミュレーションファイルの読み込み完了";
constexpr const char* kSaveDoneStatus = "シミュレーションファイルに保存完了";

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

void TMainForm::FileSaveMenuClick() {
  if (busy_ || !saveAvailable_) return;
  const std::optional<QString> path = dialogs_.AskSavePath(this, saveDialogName_);
  if (!path) return;
  saveDialogName_ = *path;

  // The file is replaced only once it was written in full, so a failure
  // leaves an earlier file of that name as it was.
  if (!SaveSimFile(LocalPath(*path), HeaderFor(slot_, records_), records_)) {
    dialogs_.Error(this, QString::fromUtf8(kSaveFailedMessage));
    return;
  }
  SetStatusText(QString::fromUtf8(kSaveDoneStatus));
}

void TMainForm::FileOpenMenuClick() {
  if (busy_) return;
  const std::optional<QString> path = dialogs_.AskOpenPath(this, openDialogName_);
  if (!path) return;
  openDialogName_ = *path;

  const QString statusBefore = StatusText();
  WorkScope scope(*this);
  SetStatusText(QString::fromUtf8(kReadingStatus));
  const SimReadResult result = ReadSimFile(LocalPath(*path), records_);
  if (result.status == SimReadStatus::CannotOpen) {
    SetStatusText(statusBefore);  // a file that cannot be opened ends the command silently
    return;
  }
  recordsShown_ = false;  // the rows are emptied or replaced; DisplayResults says which
  if (result.status != SimReadStatus::Ok) {
    // The records are empty now; the views keep showing the run shown before.
    dialogs_.Error(this, QString::fromUtf8(SimReadMessage(result.status)));
    SetStatusText(QString::fromUtf8(kReadBrokenOffStatus));
    return;
  }

  const SimFileHeader& header = result.header;
  FlevelComboBox->setEditText(QString::number(header.Flevel));
  PlayNumEdit->setText(QString::number(header.Games));
  BigStockEdit->setText(QString::number(header.BigStock));
  RegStockEdit->setText(QString::number(header.RegStock));
  // Set directly, without a reset, so that a later save writes the same header.
  slot_.Flevel = header.Flevel;
  slot_.PlayCount = header.Games;
  records_.SetStartStocks(header.BigStock, header.RegStock);

  DisplayResults();
  SetStatusText(QString::fromUtf8(kReadDoneStatus));
}

}  // namespace sorimu
