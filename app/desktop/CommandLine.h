#pragma once

#include <QString>
#include <QStringList>

// What `sorimu` was asked to do, decided from its arguments before any
// window exists, so that --help, --version and a wrong option work on a
// terminal without a display.
namespace sorimu {

struct LaunchRequest {
  enum class Action { OpenWindow, ShowHelp, ShowVersion, BadUsage };
  Action action = Action::OpenWindow;
  QString file;     // OpenWindow: the simulation file to open first, or empty
  QString problem;  // BadUsage: the line that says what was wrong
};

// `arguments` without the program's name. Qt's own options (-platform NAME,
// -style NAME, ...) are passed over with their values: QApplication takes
// them from the same arguments afterwards. After "--" every argument is a
// file name.
LaunchRequest ReadCommandLine(const QStringList& arguments);

// The texts printed for --help, --version and a bad usage (which the usage follows).
QString HelpText();
QString VersionText();
QString UsageText();

inline constexpr int kBadUsageExit = 2;

// Prints what a request other than OpenWindow asks for: help and the version
// on standard output (exit 0), a bad usage on standard error (exit 2).
int AnswerWithoutWindow(const LaunchRequest& request);

}  // namespace sorimu
