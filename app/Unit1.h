#pragma once

#include <QElapsedTimer>
#include <QMainWindow>
#include <QString>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>

#include "MainFormLayout.h"
#include "RecentFiles.h"
#include "ResultTexts.h"
#include "Session.h"

class QSettings;
class QShortcut;

namespace sorimu {

class AnalysisDialog;
class Dialogs;
class ResultCharts;
class ResultListViewData;
class Shell;
class TAboutBox;
class TEstimateBox;

// What the window hands its boxes, dialogs and help commands to.
struct WindowServices {
  Dialogs& dialogs;
  Shell& shell;
  std::optional<uint32_t> seed;  // a fixed machine for tests; the clock otherwise
  // Where the session is remembered; nothing is remembered without.
  QSettings* settings = nullptr;
  // The source tree whose manual a program run from its build folder shows;
  // the one this program was built from when not given.
  std::optional<QString> sourceTree = std::nullopt;
  // How long a run goes before it shows its progress and can be stopped;
  // shorter ones look and behave as if it could not.
  std::chrono::milliseconds longRunAfter{500};
};

// The main window: its controls (MainFormLayout), bound to one Session that
// owns the machine and the records and decides what every command does. The
// window asks the user, shows what the session returns and draws the run.
class TMainForm final : public QMainWindow, public MainFormLayout {
  Q_OBJECT

 public:
  explicit TMainForm(const WindowServices& services, QWidget* parent = nullptr);
  ~TMainForm() override;

  // Commands, one per menu entry, button or check box.
  void FileStartMenuClick();
  void FileExitMenuClick();
  void HelpAboutMenuClick();
  void StartButtonClic();
  void HelpManMenuClick();
  void FlevelButtonClick();
  void FileSaveMenuClick();
  void FileOpenMenuClick();
  void Timer1Timer();
  void BIGCheckBoxClick();
  void REGCheckBoxClick();
  void Cherry2CheckBoxClick();
  void Cherry4aCheckBoxClick();
  void PlumCheckBoxClick();
  void JWord1Click();
  void HazureCheckBoxClick();
  void BellCheckBoxClick();
  void Cherry4bCheckBoxClick();
  void CherryNCheckBoxClick();
  void N3Click();
  void N4Click();

  // The ツール menu, in Unit1Tools.cpp: analyses of many runs and what can
  // be taken from the run on display.
  void ToolAnalysisMenuClick();
  void ToolEstimateMenuClick();
  void ToolCsvMenuClick();
  void ToolImageMenuClick();

  // Shows the session's records in every view; needs at least one row.
  void DisplayResults();

  // The desktop, in Unit1Desktop.cpp. Opens a file as the Open command
  // does, from the command line, a drop or the recent files.
  void OpenPath(const QString& path);
  // The same once the window has handled the events queued before, such as
  // its first showing.
  void OpenPathLater(const QString& path);
  // Lists the recent files that exist; called as the ファイル menu opens.
  void RefreshRecentMenu();
  QMenu* FileRecentMenu = nullptr;
  QAction* RecentClearMenu = nullptr;

  const Session& CurrentSession() const { return session_; }
  const Slot& Machine() const { return session_.Machine(); }
  const RunRecords& Records() const { return session_.Records(); }
  const ResultTexts& Texts() const { return resultTexts_; }
  ResultListViewData& ResultListModel() const { return *resultListModel_; }
  ResultCharts& Charts() const { return *charts_; }
  TAboutBox& AboutBox() const { return *aboutBox_; }
  // Made on first use; null before.
  AnalysisDialog* AnalysisWindow() const { return analysisDialog_; }
  TEstimateBox* EstimateBox() const { return estimateBox_; }
  QString StatusText() const;
  // True from the start of a run, batch or file load to its end.
  bool Busy() const { return session_.Busy(); }
  // True while a run that went past the long-run time can be stopped.
  bool LongRun() const { return longRun_; }
  // The cancel button and Esc: the run stops at its next progress report.
  void CancelRun();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  // File drags over the input boxes, which would take the path as text.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ConnectCommands();
  void Dispatch(void (TMainForm::*command)());
  void Dispatch(const std::function<void()>& command);
  void SetupDesktop();
  void OpenDropped(const QStringList& files);
  void AddRecentFile(const QString& path);
  SessionHooks Hooks();
  // Shows what a command returned: its box, the records, the inputs, the status.
  void Show(const CommandOutcome& outcome, const QString& statusBefore);
  void UpdateCommands();
  void SetStatusText(const QString& text);
  void SetProgress(int position);
  // The run's progress hook: past the long-run time it shows the progress,
  // offers the cancel button and lets the window handle its messages.
  bool RunProgressed(const RunProgressInfo& progress);
  void EndLongRun();
  void SetMarker(int markerSeries, const QCheckBox* box);
  void FillResultTexts(int32_t totalGames);
  void FillBonusList();
  // The estimate and the lists must describe what the views show.
  bool ShownRowsAvailable();

  Dialogs& dialogs_;
  Shell& shell_;
  Session session_;
  ResultTexts resultTexts_;
  ResultListViewData* resultListModel_ = nullptr;
  TAboutBox* aboutBox_ = nullptr;
  AnalysisDialog* analysisDialog_ = nullptr;
  TEstimateBox* estimateBox_ = nullptr;
  QShortcut* cancelShortcut_ = nullptr;
  std::chrono::milliseconds longRunAfter_;
  QElapsedTimer startClock_;  // from the Start command's first run
  bool longRun_ = false;
  bool cancelRequested_ = false;
  QString openDialogName_;  // each file dialog offers its last choice again
  QString saveDialogName_;
  QString csvDialogName_;
  QString imageDialogName_;
  QSettings* settings_ = nullptr;
  QString sourceTree_;
  RecentFiles recentFiles_;
};

}  // namespace sorimu
