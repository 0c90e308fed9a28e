// Draws the pictures of the user's manual into a folder, or those of the
// README into its docs folder:
//   manual_screenshots FOLDER
//   manual_screenshots --readme DOCS
// Every picture comes from the real window, driven through its controls with
// a fixed seed; boxes and file dialogs are answered without being shown, and
// the clock is stopped at a fixed time, so that the pictures change only
// when the window does.
#include <qcustomplot.h>
#include <sys/time.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>
#include <vector>

#include "AboutBox.h"
#include "AnalysisDialog.h"
#include "AnalysisFanView.h"
#include "EstimateBox.h"
#include "FigureSheetDialog.h"
#include "HallDataBox.h"
#include "JobService.h"
#include "Named.h"
#include "NextGamesPanel.h"
#include "QtTranslations.h"
#include "ResultCharts.h"
#include "SimWriter.h"
#include "StatusPanels.h"
#include "Unit1.h"
#include "WindowFont.h"
#include "desktop/Dialogs.h"
#include "desktop/Shell.h"

using namespace sorimu;

namespace {

constexpr uint32_t kWindowSeed = 20240601;
constexpr uint32_t kAnalysisSeed = 20261209;
constexpr uint32_t kNextGamesSeed = 20261210;
// A hall that sets its machines low: the mix a player might assume.
const QString kHallPrior = QStringLiteral("35,30,15,10,5,5");

// Modal boxes would block offscreen; they are kept to be drawn instead.
class QuietDialogs final : public Dialogs {
 public:
  void Error(QWidget*, const QString& message) override { errors << message; }
  void ApplicationError(QWidget*, const QString& message) override { errors << message; }
  std::optional<QString> AskOpenPath(QWidget*, const QString&) override { return std::nullopt; }
  std::optional<QString> AskSavePath(QWidget*, const QString&) override { return std::nullopt; }
  void ShowModal(QDialog& dialog) override { modal.push_back(&dialog); }

  QStringList errors;
  std::vector<QDialog*> modal;
};

class QuietShell final : public Shell {
 public:
  void OpenFile(const QString&, const QStringList&) override {}
  bool OpenUrl(const QUrl&) override { return true; }
};

// The plots redraw on a queued request; they must have done so before a grab.
void Settle() {
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

class Shots {
 public:
  explicit Shots(const QString& folder) : folder_(folder) {}

  bool Save(QWidget* widget, const QString& name) {
    Settle();
    return Save(widget->grab(), name);
  }

  bool Save(const QPixmap& picture, const QString& name) {
    const QString path = QDir(folder_).filePath(name);
    const QImage image = picture.toImage().convertToFormat(QImage::Format_RGB32);
    if (!image.save(path, "PNG", 0)) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
      failed_ = true;
      return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
  }

  bool Failed() const { return failed_; }

 private:
  QString folder_;
  bool failed_ = false;
};

// A control of the main window by its object name.
template <typename T>
T* Find(QMainWindow& form, const char* name) {
  T* found = FindNamed<T>(form, name);
  if (found == nullptr) qFatal("no control named %s", name);
  return found;
}

// The run a click started is played and shown as a job; the pictures wait for it.
void WaitIdle(const TMainForm& form) {
  while (form.Presenter().Busy()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void StopClock(TMainForm& form) {
  Find<QTimer>(form, "Timer1")->stop();
  const QDateTime fixed(QDate(2026, 12, 9), QTime(10, 30, 0));
  Find<StatusPanels>(form, "StatusBar1")
      ->SetText(2, ClockText(fixed, QLocale(QLocale::Japanese, QLocale::Japan)));
}

void SetInputs(TMainForm& form, const QString& play, const QString& flevel) {
  Find<QLineEdit>(form, "PlayNumEdit")->setText(play);
  Find<QComboBox>(form, "FlevelComboBox")->setEditText(flevel);
  Find<QLineEdit>(form, "SimNumEdit")->setText(QStringLiteral("1"));
  Find<QLineEdit>(form, "BigStockEdit")->setText(QStringLiteral("255"));
  Find<QLineEdit>(form, "RegStockEdit")->setText(QStringLiteral("255"));
}

// The window's own error box as it looks, shown without a modal loop.
QPixmap ErrorBoxPicture(const QString& message) {
  QMessageBox box(QMessageBox::Critical, QStringLiteral("エラー"), message, QMessageBox::Ok);
  box.show();
  Settle();
  return box.grab();
}

void WindowShots(Shots& shots) {
  QuietDialogs dialogs;
  QuietShell shell;
  TMainForm form(WindowServices{dialogs, shell, kWindowSeed});
  form.show();
  StopClock(form);
  shots.Save(&form, QStringLiteral("window-start.png"));

  // A Start check that fails, then the run itself.
  SetInputs(form, QStringLiteral("0"), QStringLiteral("1"));
  Find<QPushButton>(form, "StartButton")->click();
  WaitIdle(form);
  if (!dialogs.errors.isEmpty())
    shots.Save(ErrorBoxPicture(dialogs.errors.constLast()), QStringLiteral("start-error.png"));

  SetInputs(form, QStringLiteral("8000"), QStringLiteral("?"));
  Find<QPushButton>(form, "StartButton")->click();
  WaitIdle(form);
  Find<QCheckBox>(form, "BIGCheckBox")->setChecked(true);
  Find<QCheckBox>(form, "PlumCheckBox")->setChecked(true);
  StopClock(form);
  shots.Save(&form, QStringLiteral("window-run.png"));

  QMenu* tools = Find<QMenu>(form, "ToolMenu");
  tools->popup(form.mapToGlobal(QPoint(0, 0)));
  shots.Save(tools, QStringLiteral("menu-tools.png"));
  tools->hide();

  const std::pair<int, const char*> pages[] = {{1, "page-bonus.png"},
                                               {2, "page-ren3.png"},
                                               {3, "page-ren.png"},
                                               {4, "page-koyaku.png"},
                                               {5, "page-rtcancel.png"}};
  for (const auto& [page, name] : pages) {
    Find<QTabWidget>(form, "PageControl1")->setCurrentIndex(page);
    shots.Save(Find<QTabWidget>(form, "PageControl1"), QString::fromLatin1(name));
  }
  Find<QTabWidget>(form, "PageControl1")->setCurrentIndex(0);

  // A quarter of the run, as a dragged rectangle leaves the slump graph.
  if (auto* slump = qobject_cast<QCustomPlot*>(form.Charts().SlumpChart())) {
    slump->xAxis->setRange(2000, 4000);
    slump->yAxis->setRange(-1000, 1000);
    slump->replot();
    shots.Save(slump, QStringLiteral("slump-zoomed.png"));
  }

  Find<QAction>(form, "ToolEstimateMenu")->trigger();
  if (auto* box = form.findChild<TEstimateBox*>()) {
    while (box->Reading()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    box->PriorEdit->setText(kHallPrior);
    box->show();
    shots.Save(box, QStringLiteral("estimate.png"));
    // The next 3000 games, and their fan beside the run.
    NextGamesPanel& next = *box->NextGames;
    box->Pages->setCurrentWidget(&next);
    next.GamesEdit->setText(QStringLiteral("3000"));
    next.SeedEdit->setText(QString::number(kNextGamesSeed));
    QEventLoop wait;
    QObject::connect(&next, &NextGamesPanel::Ended, &wait, &QEventLoop::quit);
    next.StartClick();
    if (next.Running()) wait.exec();
    next.FanCheckBox->setChecked(true);
    shots.Save(box, QStringLiteral("estimate-next.png"));
    box->hide();
    shots.Save(form.centralWidget()->grab(QRect(0, 428, 606, 275)),
               QStringLiteral("slump-forecast.png"));
    next.FanCheckBox->setChecked(false);
    box->Pages->setCurrentIndex(0);
  }

  // A day's data counter typed in, with the prior typed above.
  Find<QAction>(form, "ToolHallMenu")->trigger();
  if (auto* hall = form.findChild<THallDataBox*>()) {
    HallTexts day;
    day.History = "BIG\t152\nREG\t488\nBIG\t2\nBIG\t61\nREG\t903\nBIG\t240\nREG\t35\n-\t620\n";
    hall->SetTexts(day);
    hall->ForecastClick();
    while (hall->Working() || hall->Forecasting()) {
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    const std::pair<int, const char*> hallPages[] = {
        {0, "hall.png"}, {1, "hall-since.png"}, {2, "hall-quit.png"}};
    for (const auto& [page, name] : hallPages) {
      hall->Pages->setCurrentIndex(page);
      Settle();
      shots.Save(hall, QString::fromLatin1(name));
    }
    hall->hide();
  }

  // The setting check reveals the level the "?" run drew, and with it the
  // expected-balance line.
  Find<QPushButton>(form, "FlevelButton")->click();
  Settle();
  shots.Save(form.centralWidget()->grab(QRect(0, 0, 340, 76)), QStringLiteral("setting-check.png"));
  Find<QCheckBox>(form, "BIGCheckBox")->setChecked(false);
  Find<QCheckBox>(form, "PlumCheckBox")->setChecked(false);
  Find<QCheckBox>(form, "ExpectedCheckBox")->setChecked(true);
  if (auto* slump = qobject_cast<QCustomPlot*>(form.Charts().SlumpChart())) {
    slump->xAxis->setRange(1, 8000);  // the whole run again, after the zoom above
  }
  Settle();
  shots.Save(form.centralWidget()->grab(QRect(0, 428, 606, 275)),
             QStringLiteral("slump-expected.png"));
}

void SheetShots(Shots& shots, const QString& name, const QString& firstHitsName) {
  QuietDialogs dialogs;
  FigureSheetDialog dialog(dialogs);
  dialog.show();
  shots.Save(&dialog, name);
  if (firstHitsName.isEmpty()) return;
  dialog.FirstHitsButton->click();
  shots.Save(dialog.TailPlot, firstHitsName);
}

// The analysis dialog after its default analysis, and its fan page for one
// setting when `fanName` is given.
void AnalysisShot(Shots& shots, const QString& name, const QString& fanName, int fanSetting) {
  QuietDialogs dialogs;
  JobService jobs;
  AnalysisDialog dialog(dialogs, jobs, kAnalysisSeed);
  dialog.show();
  QEventLoop wait;
  QObject::connect(&dialog, &AnalysisDialog::Ended, &wait, &QEventLoop::quit);
  dialog.StartClick();
  if (dialog.Running()) wait.exec();
  if (!name.isEmpty()) shots.Save(&dialog, name);
  if (fanName.isEmpty()) return;
  dialog.ChartPages->setCurrentWidget(dialog.FanView);
  dialog.FanView->SettingComboBox->setCurrentIndex(fanSetting - 1);
  shots.Save(dialog.ChartPages, fanName);
}

// The README's pictures: the window after an 8000-game "?" run with every
// marker on, the About box, a file dialog, and a run of a million games with
// its expected line (the analysis dialog and the figure sheet follow).
void ReadmeShots(Shots& shots) {
  QuietDialogs dialogs;
  QuietShell shell;
  TMainForm form(WindowServices{dialogs, shell, kWindowSeed});
  form.show();
  SetInputs(form, QStringLiteral("8000"), QStringLiteral("?"));
  Find<QPushButton>(form, "StartButton")->click();
  WaitIdle(form);
  for (QCheckBox* box : Find<QGroupBox>(form, "GroupBox1")->findChildren<QCheckBox*>())
    box->setChecked(true);
  StopClock(form);
  shots.Save(&form, QStringLiteral("screenshot-window.png"));

  Find<QAction>(form, "HelpAboutMenu")->trigger();
  if (!dialogs.modal.empty()) {
    QDialog* about = dialogs.modal.back();
    about->show();
    shots.Save(about, QStringLiteral("screenshot-about.png"));
    about->hide();
  }

  // The dialog the Open command shows, in a folder of saved runs and one
  // folder, with fixed names and fixed times, so that the picture changes
  // only with Qt.
  QDir runs(QDir::temp().filePath(QStringLiteral("sorimu-runs")));
  runs.removeRecursively();
  runs.mkpath(QStringLiteral("以前の結果"));
  const QDateTime saved(QDate(2026, 12, 9), QTime(10, 30, 0));
  const timeval folderTime[2] = {{saved.toSecsSinceEpoch(), 0}, {saved.toSecsSinceEpoch(), 0}};
  ::utimes(QFile::encodeName(runs.filePath(QStringLiteral("以前の結果"))).constData(), folderTime);
  for (const char* name : {"sorimu1_8000_1.sim", "sorimu1_8000_2.sim", "sorimu1_8000_3.sim"}) {
    const QString path = runs.filePath(QString::fromLatin1(name));
    SaveSimFile(QFile::encodeName(path).toStdString(), form.Presenter().CurrentSession().Header(),
                form.Presenter().CurrentSession().Records());
    QFile file(path);
    if (file.open(QIODevice::ReadWrite)) file.setFileTime(saved, QFileDevice::FileModificationTime);
  }
  QFileDialog open(&form);
  open.setAcceptMode(QFileDialog::AcceptOpen);
  open.setNameFilter(QStringLiteral("Sorimuファイル (*.sim)"));
  open.setViewMode(QFileDialog::Detail);
  open.setDirectory(runs.path());
  PrepareFileDialog(open);
  open.show();
  // The dialog lists the folder in the background.
  if (auto* model = open.findChild<QFileSystemModel*>()) {
    QEventLoop loaded;
    QObject::connect(model, &QFileSystemModel::directoryLoaded, &loaded, &QEventLoop::quit);
    QTimer::singleShot(2000, &loaded, &QEventLoop::quit);
    if (model->rowCount(model->index(runs.path())) < 4) loaded.exec();
  }
  shots.Save(&open, QStringLiteral("screenshot-filedialog.png"));
  open.hide();
  runs.removeRecursively();

  // A long run draws as quickly, and reads the same; beside it the line it
  // tends to at its level.
  for (QCheckBox* box : Find<QGroupBox>(form, "GroupBox1")->findChildren<QCheckBox*>())
    box->setChecked(false);
  Find<QCheckBox>(form, "ExpectedCheckBox")->setChecked(true);
  SetInputs(form, QStringLiteral("1000000"), QStringLiteral("3"));
  Find<QPushButton>(form, "StartButton")->click();
  WaitIdle(form);
  StopClock(form);
  shots.Save(&form, QStringLiteral("screenshot-1m.png"));
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Sorimu"));
  UseWindowFace();
  InstallQtTranslations(app);
  const bool readme = argc == 3 && QString::fromLatin1(argv[1]) == QStringLiteral("--readme");
  if (argc != 2 && !readme) {
    std::fprintf(stderr, "usage: manual_screenshots FOLDER | --readme DOCS\n");
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[argc - 1]);
  if (!QDir().mkpath(folder)) {
    std::fprintf(stderr, "cannot create %s\n", argv[argc - 1]);
    return 1;
  }
  Shots shots(folder);
  if (readme) {
    ReadmeShots(shots);
    AnalysisShot(shots, QStringLiteral("screenshot-analysis.png"),
                 QStringLiteral("screenshot-fan.png"), 6);
    SheetShots(shots, QStringLiteral("screenshot-sheet.png"), QString());
  } else {
    WindowShots(shots);
    AnalysisShot(shots, QStringLiteral("analysis.png"), QStringLiteral("analysis-fan.png"), 1);
    SheetShots(shots, QStringLiteral("figure-sheet.png"), QStringLiteral("sheet-first-hits.png"));
  }
  return shots.Failed() ? 1 : 0;
}
