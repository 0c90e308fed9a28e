#pragma once

#include <QMainWindow>
#include <QString>
#include <memory>

#include "MainFormLayout.h"
#include "MainPresenter.h"
#include "WindowServices.h"

class QShortcut;

namespace sorimu {

class Dialogs;
class ExpectedLineSwitch;
class InputBinding;
class JobService;
class JobTicker;
class ResultCharts;
class ResultListViewData;
class RunDisplay;
class Session;
class Shell;
class TAboutBox;
class ToolCommands;
class WindowDesktop;

// The main window: its controls (MainFormLayout), bound to a MainPresenter
// that holds the inputs, the status and the phase of the work and runs the
// session's commands as jobs. The window asks the user, draws what the
// presenter holds and swaps in the views of each run shown; its own thread
// never plays, reads or waits.
class TMainForm final : public QMainWindow {
  Q_OBJECT

 public:
  explicit TMainForm(const WindowServices& services, QWidget* parent = nullptr);
  ~TMainForm() override;

  // Opens a file as the Open command does, once the window has handled the
  // events queued before (its first showing): a file named on the command line.
  void OpenPathLater(const QString& path);

  // What the window draws from, and its charts, for tests and the pictures
  // of the manual; every control is found by its object name.
  const MainPresenter& Presenter() const { return *presenter_; }
  ResultCharts& Charts() const { return *ui_.Charts; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void ConnectCommands();
  void Dispatch(const std::function<void()>& command);
  PresenterHooks Hooks();
  void Draw();
  void Shown(const RunRef& run, PreparedShow& views);
  void OpenPath(const QString& path);
  void Open();
  void Save();
  void SettingCheck();

  Dialogs& dialogs_;
  Shell& shell_;
  std::unique_ptr<JobService> ownJobs_;  // when the program gave none
  JobService& jobs_;
  MainFormLayout ui_;
  std::shared_ptr<Session> session_;
  std::unique_ptr<MainPresenter> presenter_;
  ResultListViewData* listModel_ = nullptr;
  std::unique_ptr<RunDisplay> display_;
  std::unique_ptr<ExpectedLineSwitch> expectedLine_;
  std::unique_ptr<ToolCommands> tools_;
  WindowDesktop* desktop_ = nullptr;
  InputBinding* inputs_ = nullptr;
  TAboutBox* aboutBox_ = nullptr;
  QShortcut* escape_ = nullptr;
  JobTicker* ticker_ = nullptr;
  QString openDialogName_;  // each file dialog offers its last choice again
  QString saveDialogName_;
  bool closeWhenIdle_ = false;  // closed while a command worked: it stops first
};

}  // namespace sorimu
