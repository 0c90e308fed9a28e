#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

namespace sorimu {

// What the Help menu and the About box hand to the desktop.
class Shell {
 public:
  virtual ~Shell() = default;
  // A document opens in its viewer; with arguments the file is started as a program.
  virtual void OpenFile(const QString& path, const QStringList& arguments) = 0;
  // False when the desktop has nothing to open it with; whether the viewer
  // then shows it is not known.
  virtual bool OpenUrl(const QUrl& url) = 0;
};

class DesktopShell final : public Shell {
 public:
  void OpenFile(const QString& path, const QStringList& arguments) override;
  bool OpenUrl(const QUrl& url) override;
};

// The running executable's folder with its trailing separator; file names
// are appended to it unchanged.
QString ExecutableFolder();

QUrl HomePageUrl();
QUrl AdPageUrl();  // "ad.html" in the home page's folder
QUrl AuthorMailUrl();

inline constexpr const char* kInstallerFileName = "jwv_for_QX418207.exe";
inline const QStringList kInstallerArguments = {QStringLiteral("QX418207"), QStringLiteral("1")};

}  // namespace sorimu
