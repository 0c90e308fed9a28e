// What `sorimu` does with its arguments: the reading itself, and the
// program answering --help, --version and mistakes without a display.
#include <QProcess>
#include <QProcessEnvironment>

#include "CommandLine.h"
#include "WindowTestSupport.h"

using namespace sorimu;
using Action = LaunchRequest::Action;

Q_DECLARE_METATYPE(LaunchRequest::Action)

class CommandLineTest : public QObject {
  Q_OBJECT

 private slots:
  void readCommandLine_data();
  void readCommandLine();
  void programAnswersWithoutADisplay_data();
  void programAnswersWithoutADisplay();
};

void CommandLineTest::readCommandLine_data() {
  QTest::addColumn<QStringList>("arguments");
  QTest::addColumn<Action>("action");
  QTest::addColumn<QString>("file");
  QTest::addColumn<QString>("problem");

  const QString unknown = QStringLiteral("sorimu: 不明なオプションです: ");
  const QString extra = QStringLiteral("sorimu: 開けるファイルは1つだけです。余分な引数: ");
  QTest::newRow("nothing") << QStringList{} << Action::OpenWindow << ""
                           << "";
  QTest::newRow("a file") << QStringList{"run.sim"} << Action::OpenWindow << "run.sim"
                          << "";
  QTest::newRow("help") << QStringList{"--help"} << Action::ShowHelp << ""
                        << "";
  QTest::newRow("version") << QStringList{"--version"} << Action::ShowVersion << ""
                           << "";
  QTest::newRow("the first of two answers")
      << QStringList{"--version", "--help"} << Action::ShowVersion << ""
      << "";
  QTest::newRow("unknown option") << QStringList{"--bogus", "run.sim"} << Action::BadUsage << ""
                                  << unknown + "--bogus";
  QTest::newRow("mistake before help")
      << QStringList{"--bogus", "--help"} << Action::BadUsage << "" << unknown + "--bogus";
  QTest::newRow("two files") << QStringList{"a.sim", "b.sim"} << Action::BadUsage << ""
                             << extra + "b.sim";

  // Qt's own options and their values are Qt's, not files.
  QTest::newRow("-platform NAME") << QStringList{"-platform", "offscreen", "run.sim"}
                                  << Action::OpenWindow << "run.sim"
                                  << "";
  QTest::newRow("--platform NAME")
      << QStringList{"--platform", "offscreen", "run.sim"} << Action::OpenWindow << "run.sim"
      << "";
  QTest::newRow("value after the file")
      << QStringList{"run.sim", "-style", "Fusion"} << Action::OpenWindow << "run.sim"
      << "";
  QTest::newRow("-style=NAME") << QStringList{"-style=Fusion", "run.sim"} << Action::OpenWindow
                               << "run.sim"
                               << "";
  QTest::newRow("a value missing at the end")
      << QStringList{"-platform"} << Action::OpenWindow << ""
      << "";

  // After "--" a name that looks like an option is a file's.
  QTest::newRow("-- --help") << QStringList{"--", "--help"} << Action::OpenWindow << "--help"
                             << "";
  QTest::newRow("a lone dash") << QStringList{"-"} << Action::OpenWindow << "-"
                               << "";
}

void CommandLineTest::readCommandLine() {
  QFETCH(QStringList, arguments);
  QFETCH(Action, action);
  QFETCH(QString, file);
  QFETCH(QString, problem);
  const LaunchRequest request = ReadCommandLine(arguments);
  QCOMPARE(request.action, action);
  QCOMPARE(request.file, file);
  QCOMPARE(request.problem, problem);
}

void CommandLineTest::programAnswersWithoutADisplay_data() {
  QTest::addColumn<QStringList>("arguments");
  QTest::addColumn<int>("exitCode");
  QTest::addColumn<QString>("out");
  QTest::addColumn<QString>("err");

  const QString usage = UsageText();
  QTest::newRow("version") << QStringList{"--version"} << 0
                           << QStringLiteral("sorimu " SORIMU_VERSION "\n") << "";
  QTest::newRow("help") << QStringList{"--help"} << 0 << HelpText() << "";
  QTest::newRow("-h among Qt's options")
      << QStringList{"-style", "Fusion", "-h"} << 0 << HelpText() << "";
  QTest::newRow("unknown option") << QStringList{"--bogus"} << 2 << ""
                                  << QStringLiteral("sorimu: 不明なオプションです: --bogus\n") +
                                         usage;
  QTest::newRow("two files") << QStringList{"a.sim", "b.sim"} << 2 << ""
                             << QStringLiteral(
                                    "sorimu: 開けるファイルは1つだけです。余分な引数: b.sim\n") +
                                    usage;
}

void CommandLineTest::programAnswersWithoutADisplay() {
  QFETCH(QStringList, arguments);
  QFETCH(int, exitCode);
  QFETCH(QString, out);
  QFETCH(QString, err);
  QVERIFY(HelpText().contains("--version") && HelpText().startsWith(UsageText()));

  // No display and no platform: a program that started Qt would abort.
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    environment.remove(QString::fromLatin1(name));
  }
  QProcess program;
  program.setProcessEnvironment(environment);
  program.start(QStringLiteral(SORIMU_APP_PATH), arguments);
  QVERIFY(program.waitForFinished(60000));
  QCOMPARE(program.exitStatus(), QProcess::NormalExit);
  QCOMPARE(program.exitCode(), exitCode);
  QCOMPARE(QString::fromUtf8(program.readAllStandardOutput()), out);
  QCOMPARE(QString::fromUtf8(program.readAllStandardError()), err);
}

SORIMU_WINDOW_TEST_MAIN(CommandLineTest)
#include "CommandLineTest.moc"
