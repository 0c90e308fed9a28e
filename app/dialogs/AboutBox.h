#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace sorimu {

class Shell;

// The version box: created hidden with the window, shown modally on request.
class TAboutBox final : public QDialog {
  Q_OBJECT

 public:
  TAboutBox(Shell& shell, QWidget* parent = nullptr);

  void Label1Click();  // the home page
  void Label2Click();  // mail to the author

 private:
  Shell& shell_;
};

// The program's icon, drawn rather than shipped as a file.
QPixmap ProgramIconPixmap(int size);

}  // namespace sorimu
