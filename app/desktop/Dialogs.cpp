#include "desktop/Dialogs.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileDialog>
#include <QHeaderView>
#include <QLocale>
#include <QMessageBox>
#include <QTreeView>
#include <algorithm>

#include "FileListTexts.h"
#include "HallTexts.h"
#include "WindowFont.h"
#include "WindowTexts.h"

namespace sorimu {

namespace {

void ShowErrorBox(QWidget* parent, const QString& caption, const QString& message) {
  QMessageBox box(QMessageBox::Critical, caption, message, QMessageBox::Ok, parent);
  box.setFont(WindowFont());
  box.setTextInteractionFlags(Qt::TextSelectableByMouse);  // a path in it can be copied
  box.exec();
}

// Both dialogs take any name as typed: no default extension is added, an
// existing file is replaced without asking, and a name that does not exist
// fails later, when the file is opened.
// `chosenFilter`, when given, learns which of the filters the user chose.
std::optional<QString> AskPath(QWidget* parent, const QString& offered,
                               QFileDialog::AcceptMode mode,
                               const QString& filter = QString::fromUtf8(wintext::kSimFileFilter),
                               QString* chosenFilter = nullptr) {
  QFileDialog dialog(parent);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters(filter.split(QStringLiteral(";;")));
  dialog.setDefaultSuffix(QString());
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  dialog.selectFile(offered);
  PrepareFileDialog(dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  if (chosenFilter != nullptr) *chosenFilter = dialog.selectedNameFilter();
  return dialog.selectedFiles().constFirst();
}

}  // namespace

void PrepareFileDialog(QFileDialog& dialog) {
  dialog.setFont(WindowFont());
  dialog.setProxyModel(new FileListTexts(&dialog));
  // Qt's widths for the size, type and date columns suit a narrower face; in
  // the window's they would show "429…KB", "So…イル" and "2026/1… 10:30".
  auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
  if (view == nullptr) return;
  const QFontMetrics metrics(view->font());
  constexpr int kRoom = 24;  // the cell's margins and the sort arrow
  const QDateTime widestTime(QDate(2088, 12, 28), QTime(20, 58));
  int widestSize = 0;
  for (qint64 bytes : {qint64{1023}, qint64{1048575}}) {  // "1,023 バイト", "1,024.0 KB"
    widestSize = std::max(widestSize, metrics.horizontalAdvance(FileSizeText(bytes)));
  }
  QHeaderView* header = view->header();
  header->resizeSection(1, widestSize + kRoom);
  header->resizeSection(
      2, std::max(header->sectionSize(2),
                  metrics.horizontalAdvance(QString::fromUtf8(wintext::kSimFileType)) + kRoom));
  header->resizeSection(
      3, metrics.horizontalAdvance(QLocale().toString(widestTime, QLocale::ShortFormat)) + kRoom);
}

void QtDialogs::Error(QWidget* parent, const QString& message) {
  ShowErrorBox(parent, QString::fromUtf8(wintext::kErrorCaption), message);
}

bool QtDialogs::Confirm(QWidget* parent, const QString& question) {
  QMessageBox box(QMessageBox::Question, QCoreApplication::applicationName(), question,
                  QMessageBox::Yes | QMessageBox::No, parent);
  box.setDefaultButton(QMessageBox::No);
  box.setFont(WindowFont());
  return box.exec() == QMessageBox::Yes;
}

void QtDialogs::ApplicationError(QWidget* parent, const QString& message) {
  ShowErrorBox(parent, QCoreApplication::applicationName(), message);
}

std::optional<QString> QtDialogs::AskOpenPath(QWidget* parent, const QString& offered) {
  return AskPath(parent, offered, QFileDialog::AcceptOpen);
}

std::optional<QString> QtDialogs::AskSavePath(QWidget* parent, const QString& offered) {
  return AskPath(parent, offered, QFileDialog::AcceptSave);
}

std::optional<QString> QtDialogs::AskHistoryPath(QWidget* parent, const QString& offered) {
  return AskPath(parent, offered, QFileDialog::AcceptOpen,
                 QString::fromUtf8(halltext::kHistoryFileFilter));
}

std::optional<QString> QtDialogs::AskExportPath(QWidget* parent, const QString& offered,
                                                const QString& filter) {
  return AskPath(parent, offered, QFileDialog::AcceptSave, filter);
}

std::optional<Dialogs::ImageChoice> Dialogs::AskImagePath(QWidget* parent, const QString& offered) {
  const std::optional<QString> path =
      AskExportPath(parent, offered, QString::fromUtf8(wintext::kImageFilter));
  if (!path) return std::nullopt;
  return ImageChoice{*path, 1};
}

std::optional<Dialogs::ImageChoice> QtDialogs::AskImagePath(QWidget* parent,
                                                            const QString& offered) {
  const QString twice = QString::fromUtf8(wintext::kImageFilterTwice);
  QString chosen;
  const std::optional<QString> path =
      AskPath(parent, offered, QFileDialog::AcceptSave,
              QString::fromUtf8(wintext::kImageFilter) + QStringLiteral(";;") + twice, &chosen);
  if (!path) return std::nullopt;
  return ImageChoice{*path, chosen == twice ? 2 : 1};
}

void QtDialogs::ShowModal(QDialog& dialog) { dialog.exec(); }

void ShowFailure(Dialogs& dialogs, QWidget* parent, const Status& status) {
  const QString message = QString::fromStdString(status.Message);
  if (status.Kind == StatusKind::NotInteger) {
    dialogs.ApplicationError(parent, message);
  } else {
    dialogs.Error(parent, message);
  }
}

}  // namespace sorimu
