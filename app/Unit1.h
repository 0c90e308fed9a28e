#pragma once

#include <QMainWindow>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "MainFormLayout.h"
#include "ResultTexts.h"
#include "Session.h"
#include "ToolCommands.h"
#include "WindowServices.h"

namespace sorimu {

class AnalysisDialog;
class ExpectedLineSwitch;
class FigureSheetDialog;
class FileDrops;
class JobService;
class LongRunGuard;
class RecentFilesMenu;
class Dialogs;
class ResultCharts;
class ResultListViewData;
class Shell;
class TAboutBox;
class TEstimateBox;

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
  void ExpectedCheckBoxClick();
  void BellCheckBoxClick();
  void Cherry4bCheckBoxClick();
  void CherryNCheckBoxClick();
  void N3Click();
  void N4Click();

  // The ツール menu (ToolCommands): analyses of many runs and what can be
  // taken from the run on display.
  void ToolAnalysisMenuClick();
  void ToolFigureSheetMenuClick();
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
  // ファイル → 最近使ったファイル and its entry that clears the list.
  QMenu* FileRecentMenu = nullptr;
  QAction* RecentClearMenu() const;

  const Session& CurrentSession() const { return session_; }
  const Slot& Machine() const { return session_.Machine(); }
  const RunRecords& Records() const { return session_.Records(); }
  const ResultTexts& Texts() const { return resultTexts_; }
  ResultListViewData& ResultListModel() const { return *resultListModel_; }
  ResultCharts& Charts() const { return *charts_; }
  TAboutBox& AboutBox() const { return *aboutBox_; }
  // Made on first use; null before.
  AnalysisDialog* AnalysisWindow() const { return tools_->AnalysisWindow(); }
  FigureSheetDialog* FigureSheetWindow() const { return tools_->FigureSheetWindow(); }
  TEstimateBox* EstimateBox() const { return tools_->EstimateBox(); }
  QString StatusText() const;
  // True from the start of a run, batch or file load to its end.
  bool Busy() const { return session_.Busy(); }
  // True while a run that went past the long-run time can be stopped.
  bool LongRun() const;
  // The cancel button and Esc: the run stops at its next progress report.
  void CancelRun();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void ConnectCommands();
  void Dispatch(void (TMainForm::*command)());
  void Dispatch(const std::function<void()>& command);
  void SetupDesktop(const WindowServices& services);
  void OpenDropped(const QStringList& files);
  SessionHooks Hooks();
  // Shows what a command returned: its box, the records, the inputs, the status.
  void Show(const CommandOutcome& outcome, const QString& statusBefore);
  void UpdateCommands();
  void SetStatusText(const QString& text);
  void SetProgress(int position);
  void SetMarker(int markerSeries, const QCheckBox* box);
  void FillResultTexts(int32_t totalGames);

  Dialogs& dialogs_;
  Shell& shell_;
  std::unique_ptr<JobService> ownJobs_;  // when the program gave none
  JobService& jobs_;
  Session session_;
  ResultTexts resultTexts_;
  ResultListViewData* resultListModel_ = nullptr;
  TAboutBox* aboutBox_ = nullptr;
  std::unique_ptr<ExpectedLineSwitch> expectedLine_;
  std::unique_ptr<ToolCommands> tools_;
  LongRunGuard* longRun_ = nullptr;
  FileDrops* drops_ = nullptr;
  RecentFilesMenu* recentMenu_ = nullptr;
  QString openDialogName_;  // each file dialog offers its last choice again
  QString saveDialogName_;
  QSettings* settings_ = nullptr;
  QString sourceTree_;
};

}  // namespace sorimu
