#include "CommandLine.h"

#include <QSet>
#include <cstdio>

#include "QtText.h"
#include "WindowTexts.h"

namespace sorimu {

namespace {

// The options QGuiApplication, QApplication and the X11 platform take from
// the command line; Qt accepts each with one dash or two.
const QSet<QString> kQtOptionsWithValue = {"-platform",
                                           "-platformpluginpath",
                                           "-platformtheme",
                                           "-plugin",
                                           "-qwindowgeometry",
                                           "-geometry",
                                           "-qwindowtitle",
                                           "-title",
                                           "-qwindowicon",
                                           "-icon",
                                           "-session",
                                           "-display",
                                           "-name",
                                           "-style",
                                           "-stylesheet",
                                           "-visual"};
const QSet<QString> kQtFlags = {"-reverse", "-widgetcount", "-sync",
                                "-nograb",  "-dograb",      "-testability"};
const QStringList kQtOptionsWithEquals = {"-style=", "-stylesheet=", "-qmljsdebugger="};

// How many arguments a Qt option at the front takes, itself included; 0 when
// it is not one of Qt's.
int QtOptionLength(const QString& argument) {
  const QString option = argument.startsWith(QLatin1String("--")) ? argument.mid(1) : argument;
  if (kQtOptionsWithValue.contains(option)) return 2;
  if (kQtFlags.contains(option)) return 1;
  for (const QString& prefix : kQtOptionsWithEquals) {
    if (option.startsWith(prefix)) return 1;
  }
  return 0;
}

LaunchRequest Bad(const QString& problem) {
  LaunchRequest request;
  request.action = LaunchRequest::Action::BadUsage;
  request.problem = problem;
  return request;
}

}  // namespace

LaunchRequest ReadCommandLine(const QStringList& arguments) {
  QStringList files;
  bool optionsEnded = false;
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    // A lone "-" is a file name as any other (and then a missing one).
    if (optionsEnded || !argument.startsWith('-') || argument == QLatin1String("-")) {
      files << argument;
      continue;
    }
    if (argument == QLatin1String("--")) {
      optionsEnded = true;
    } else if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
      return {LaunchRequest::Action::ShowHelp, {}, {}};
    } else if (argument == QLatin1String("--version")) {
      return {LaunchRequest::Action::ShowVersion, {}, {}};
    } else if (const int length = QtOptionLength(argument); length > 0) {
      i += length - 1;  // a value missing at the end is Qt's to report
    } else {
      return Bad(Text(wintext::kUnknownOption) + argument);
    }
  }
  if (files.size() > 1) return Bad(Text(wintext::kOneFileOnly) + files[1]);
  LaunchRequest request;
  if (!files.isEmpty()) request.file = files.front();
  return request;
}

QString UsageText() { return Text(wintext::kUsage); }

QString HelpText() { return UsageText() + Text(wintext::kHelpDetails); }

QString VersionText() { return QStringLiteral("sorimu %1\n").arg(QLatin1String(SORIMU_VERSION)); }

int AnswerWithoutWindow(const LaunchRequest& request) {
  if (request.action == LaunchRequest::Action::BadUsage) {
    std::fputs((request.problem + '\n' + UsageText()).toUtf8().constData(), stderr);
    return kBadUsageExit;
  }
  const QString text =
      request.action == LaunchRequest::Action::ShowVersion ? VersionText() : HelpText();
  // Text that did not reach its reader (a full disk, a closed pipe) is a failure.
  if (std::fputs(text.toUtf8().constData(), stdout) < 0 || std::fflush(stdout) != 0) {
    std::fputs("sorimu: 標準出力に書き込めません。\n", stderr);
    return 1;
  }
  return 0;
}

}  // namespace sorimu
