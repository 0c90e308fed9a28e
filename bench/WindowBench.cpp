// Times the Start command of the window from the click to "シミュレーション完了"
// (the run played and every list filled) and measures what the window holds
// per row afterwards; or, given files, opens each and times 設定推測 from the
// menu to its figures. Offscreen; no dialog is ever shown.
//
//   bench_window [games ...]     default: 1000000 10000000
//   bench_window --estimate FILE ...
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "Unit1.h"
#include "desktop/Dialogs.h"
#include "desktop/Shell.h"
#include "dialogs/EstimateBox.h"

using namespace sorimu;

namespace {

class NoDialogs final : public Dialogs {
 public:
  void Error(QWidget*, const QString& message) override { Fail(message); }
  void ApplicationError(QWidget*, const QString& message) override { Fail(message); }
  std::optional<QString> AskOpenPath(QWidget*, const QString&) override {
    if (openAnswers.isEmpty()) return std::nullopt;
    return openAnswers.takeFirst();
  }
  std::optional<QString> AskSavePath(QWidget*, const QString&) override { return std::nullopt; }
  void ShowModal(QDialog&) override {}

  QStringList openAnswers;

 private:
  static void Fail(const QString& message) {
    std::fprintf(stderr, "unexpected box: %s\n", qPrintable(message));
    std::exit(1);
  }
};

class NoShell final : public Shell {
 public:
  void OpenFile(const QString&, const QStringList&) override {}
  bool OpenUrl(const QUrl&) override { return true; }
};

// Resident and peak resident memory of the process, in bytes.
struct Memory {
  long long resident = 0;
  long long peak = 0;
};

Memory ReadMemory() {
  Memory memory;
  std::ifstream status("/proc/self/status");
  std::string key;
  long long kib = 0;
  while (status >> key) {
    if (key == "VmRSS:" && status >> kib) memory.resident = kib * 1024;
    if (key == "VmHWM:" && status >> kib) memory.peak = kib * 1024;
  }
  return memory;
}

void WaitIdle(const TMainForm& form) {
  while (form.Presenter().Busy()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

// Each file opened, then 設定推測 from the menu until its figures stand.
int TimeEstimates(TMainForm& form, NoDialogs& dialogs, const QStringList& files) {
  auto* estimateEntry = form.findChild<QAction*>(QStringLiteral("ToolEstimateMenu"));
  auto* openEntry = form.findChild<QAction*>(QStringLiteral("FileOpenMenu"));
  for (const QString& file : files) {
    dialogs.openAnswers = {file};
    openEntry->trigger();
    WaitIdle(form);
    if (form.Presenter().Status() != StatusLine::ReadDone) {
      std::fprintf(stderr, "could not open %s\n", qPrintable(file));
      return 1;
    }
    const auto start = std::chrono::steady_clock::now();
    estimateEntry->trigger();
    auto* box = form.findChild<TEstimateBox*>();
    while (box != nullptr && box->Reading()) {
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("設定推測 %s: %zu rows, menu to figures %.3f s\n", qPrintable(file),
                form.Presenter().CurrentSession().Records().RowCount(), seconds);
  }
  return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QStringList sizes = QCoreApplication::arguments().mid(1);
  if (sizes.isEmpty()) sizes = {"1000000", "10000000"};

  NoDialogs dialogs;
  NoShell shell;
  TMainForm form(WindowServices{dialogs, shell, 12345u});
  form.show();
  auto* playNum = form.findChild<QLineEdit*>(QStringLiteral("PlayNumEdit"));
  auto* flevel = form.findChild<QComboBox*>(QStringLiteral("FlevelComboBox"));
  auto* startButton = form.findChild<QPushButton*>(QStringLiteral("StartButton"));
  auto* list = form.findChild<QTableView*>(QStringLiteral("ResultListView"));
  QCoreApplication::processEvents();
  if (sizes.value(0) == QStringLiteral("--estimate"))
    return TimeEstimates(form, dialogs, sizes.mid(1));
  const Memory idle = ReadMemory();
  std::printf("window idle: resident %.1f MiB\n", idle.resident / 1048576.0);

  for (const QString& size : sizes) {
    playNum->setText(size);
    flevel->setEditText(QStringLiteral("?"));
    const auto start = std::chrono::steady_clock::now();
    startButton->click();
    // The run plays and is made ready to show as a job; the window takes its
    // events meanwhile and swaps the views in at the end.
    WaitIdle(form);
    const auto done = std::chrono::steady_clock::now();
    if (form.Presenter().Status() != StatusLine::Done) {
      std::fprintf(stderr, "the run did not complete\n");
      return 1;
    }
    // The first paint of the lists after the command, for the record.
    list->viewport()->repaint();
    QCoreApplication::processEvents();
    const auto painted = std::chrono::steady_clock::now();

    const Memory after = ReadMemory();
    const double rows = static_cast<double>(form.Presenter().CurrentSession().Records().RowCount());
    const double seconds = std::chrono::duration<double>(done - start).count();
    std::printf(
        "Play数 %s: %.0f rows, Start to 完了 %.3f s (+%.3f s first paint); "
        "resident +%.1f MiB over idle = %.1f B/row, peak +%.1f MiB = %.1f B/row\n",
        qPrintable(size), rows, seconds, std::chrono::duration<double>(painted - done).count(),
        (after.resident - idle.resident) / 1048576.0, (after.resident - idle.resident) / rows,
        (after.peak - idle.resident) / 1048576.0, (after.peak - idle.resident) / rows);
  }
  return 0;
}
