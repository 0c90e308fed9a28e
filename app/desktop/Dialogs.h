#pragma once

#include <QString>
#include <optional>

#include "Status.h"

class QDialog;
class QFileDialog;
class QWidget;

namespace sorimu {

// Every modal box and file dialog of the window goes through here, so that
// tests can answer them: a real QMessageBox::exec() blocks even offscreen.
class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // The window's error box: error icon, caption "エラー", one OK button.
  virtual void Error(QWidget* parent, const QString& message) = 0;
  // The application's standard error box, captioned with the application's title.
  virtual void ApplicationError(QWidget* parent, const QString& message) = 0;

  // The chosen path, or nothing when the user cancelled. `offered` is the
  // name the dialog shows first (the caller remembers the last choice).
  virtual std::optional<QString> AskOpenPath(QWidget* parent, const QString& offered) = 0;
  virtual std::optional<QString> AskSavePath(QWidget* parent, const QString& offered) = 0;
  // The same for files other than simulation files, offered under `filter`
  // ("CSVファイル (*.csv)"). A fake that does not care takes the plain one.
  virtual std::optional<QString> AskExportPath(QWidget* parent, const QString& offered,
                                               const QString& filter) {
    (void)filter;
    return AskSavePath(parent, offered);
  }

  // A bonus history to read: a text, a bonus list CSV or a simulation file.
  // The plain one asks AskOpenPath.
  virtual std::optional<QString> AskHistoryPath(QWidget* parent, const QString& offered) {
    return AskOpenPath(parent, offered);
  }

  // A picture's path and the scale it is drawn at: 1 as on the screen, 2
  // with twice the pixels each way. The plain one asks AskExportPath.
  struct ImageChoice {
    QString path;
    int scale = 1;
  };
  virtual std::optional<ImageChoice> AskImagePath(QWidget* parent, const QString& offered);

  virtual void ShowModal(QDialog& dialog) = 0;

  // A question with はい and いいえ; true for はい. One that never asks
  // anything (a fake) answers はい.
  virtual bool Confirm(QWidget* parent, const QString& question) {
    (void)parent;
    (void)question;
    return true;
  }
};

// What every file dialog of the program gets before it is shown: the
// window's face, the sizes and folders of its list as a Japanese user reads
// them (FileListTexts), and size and date columns wide enough for them.
void PrepareFileDialog(QFileDialog& dialog);

// The real boxes and dialogs.
class QtDialogs final : public Dialogs {
 public:
  void Error(QWidget* parent, const QString& message) override;
  void ApplicationError(QWidget* parent, const QString& message) override;
  std::optional<QString> AskOpenPath(QWidget* parent, const QString& offered) override;
  std::optional<QString> AskSavePath(QWidget* parent, const QString& offered) override;
  std::optional<QString> AskExportPath(QWidget* parent, const QString& offered,
                                       const QString& filter) override;
  std::optional<QString> AskHistoryPath(QWidget* parent, const QString& offered) override;
  std::optional<ImageChoice> AskImagePath(QWidget* parent, const QString& offered) override;
  void ShowModal(QDialog& dialog) override;
  bool Confirm(QWidget* parent, const QString& question) override;
};

// A failure in the box its kind asks for: the application's own for a text
// that is no integer, the "エラー" box for the rest.
void ShowFailure(Dialogs& dialogs, QWidget* parent, const Status& status);

}  // namespace sorimu
