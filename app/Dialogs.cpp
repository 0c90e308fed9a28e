#include "Dialogs.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>

#include "WindowTexts.h"

namespace sorimu {

namespace {

void ShowErrorBox(QWidget* parent, const QString& caption, const QString& message) {
  QMessageBox box(QMessageBox::Critical, caption, message, QMessageBox::Ok, parent);
  box.exec();
}

// Both dialogs take any name as typed: no default extension is added, an
// existing file is replaced without asking, and a name that does not exist
// fails later, when the file is opened.
std::optional<QString> AskPath(QWidget* parent, const QString& offered,
                               QFileDialog::AcceptMode mode,
                               const QString& filter = QString::fromUtf8(wintext::kSimFileFilter)) {
  QFileDialog dialog(parent);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(filter);
  dialog.setDefaultSuffix(QString());
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  dialog.selectFile(offered);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().constFirst();
}

}  // namespace

void QtDialogs::Error(QWidget* parent, const QString& message) {
  ShowErrorBox(parent, QString::fromUtf8(wintext::kErrorCaption), message);
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

std::optional<QString> QtDialogs::AskExportPath(QWidget* parent, const QString& offered,
                                                const QString& filter) {
  return AskPath(parent, offered, QFileDialog::AcceptSave, filter);
}

void QtDialogs::ShowModal(QDialog& dialog) { dialog.exec(); }

}  // namespace sorimu
