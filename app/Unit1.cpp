#include "Unit1.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <new>

#include "AboutBox.h"
#include "ChartData.h"
#include "Dialogs.h"
#include "EstimateBox.h"
#include "ExpectedLineSwitch.h"
#include "FileDrops.h"
#include "JobService.h"
#include "LongRunGuard.h"
#include "ManualLocation.h"
#include "Messages.h"
#include "QtText.h"
#include "RecentFilesMenu.h"
#include "ResultCharts.h"
#include "ResultListViewData.h"
#include "Shell.h"
#include "StatusPanels.h"
#include "ToolCommands.h"
#include "WindowTexts.h"

namespace sorimu {

namespace {

// What the window spends per row on showing a run besides the row itself:
// its list texts and its chart points (measured: about 60 bytes).
constexpr size_t kDisplayBytesPerRow = 64;

// The status line's text for what the session says; `before` for Keep.
QString StatusLineText(StatusLine line, const std::string& detail, const QString& before) {
  switch (line) {
    case StatusLine::Keep: return before;
    case StatusLine::Clear: return QString();
    case StatusLine::Running: return Text(kRunningStatus);
    case StatusLine::Done: return Text(kDoneStatus);
    case StatusLine::Cancelled: return Text(kRunCancelledStatus);
    case StatusLine::OutOfMemory: return Text(kOutOfMemoryMessage);
    case StatusLine::BatchSaving: return Text(kBatchSavingStatus + detail);
    case StatusLine::BatchDone: return Text(kBatchDoneStatus);
    case StatusLine::BatchError: return Text(kBatchErrorStatus);
    case StatusLine::Reading: return Text(kReadingStatus);
    case StatusLine::ReadDone: return Text(kReadDoneStatus);
    case StatusLine::ReadBrokenOff: return Text(kReadBrokenOffStatus);
    case StatusLine::SaveDone: return Text(kSaveDoneStatus);
  }
  return before;
}

}  // namespace

TMainForm::TMainForm(const WindowServices& services, QWidget* parent)
    : QMainWindow(parent),
      dialogs_(services.dialogs),
      shell_(services.shell),
      ownJobs_(services.jobs == nullptr ? std::make_unique<JobService>() : nullptr),
      jobs_(services.jobs != nullptr ? *services.jobs : *ownJobs_),
      session_(services.seed),
      openDialogName_(Text(wintext::kInitialSimName)),
      saveDialogName_(Text(wintext::kInitialSimName)),
      settings_(services.settings),
      sourceTree_(services.sourceTree.value_or(BuildSourceTree())) {
  resultListModel_ = new ResultListViewData(resultTexts_, this);
  SetupLayout(this, resultListModel_);
  longRun_ = new LongRunGuard(this, CancelButton, services.longRunAfter,
                              [this](int position) { SetProgress(position); });
  expectedLine_ = std::make_unique<ExpectedLineSwitch>(ExpectedCheckBox, *charts_);
  tools_ =
      std::make_unique<ToolCommands>(this, dialogs_, jobs_, session_, *charts_, services.settings,
                                     [this](const QString& text) { SetStatusText(text); });
  ConnectCommands();

  aboutBox_ = new TAboutBox(shell_, this);
  aboutBox_->hide();

  session_.SetDisplayBytesPerRow(kDisplayBytesPerRow);
  session_.SetHooks(Hooks());
  SetupDesktop(services);
}

TMainForm::~TMainForm() = default;

SessionHooks TMainForm::Hooks() {
  SessionHooks hooks;
  hooks.report = [this](StatusLine line, const std::string& detail, int progress) {
    SetStatusText(StatusLineText(line, detail, StatusText()));
    if (progress >= 0) SetProgress(progress);
  };
  hooks.messagePoint = [this](bool hiddenLevel) {
    ShowHint(hiddenLevel ? Text(wintext::kHiddenFlevelNote) : QString());
    // The only moment of a run at which the window repaints and takes input;
    // the session ignores commands that arrive meanwhile, and the window
    // has disabled them.
    QCoreApplication::processEvents();
  };
  hooks.askBatchPath = [this]() -> std::optional<std::string> {
    const std::optional<QString> path = dialogs_.AskSavePath(this, saveDialogName_);
    if (!path) return std::nullopt;
    saveDialogName_ = *path;
    return LocalPath(*path);
  };
  hooks.stateChanged = [this] { UpdateCommands(); };
  hooks.runProgress = [this](const RunProgressInfo& progress) {
    return longRun_->Progressed(progress);
  };
  return hooks;
}

bool TMainForm::LongRun() const { return longRun_->Active(); }

void TMainForm::CancelRun() { longRun_->Cancel(); }

void TMainForm::ConnectCommands() {
  const std::pair<QAction*, void (TMainForm::*)()> entries[] = {
      {FileOpenMenu, &TMainForm::FileOpenMenuClick},
      {FileSaveMenu, &TMainForm::FileSaveMenuClick},
      {FileStartMenu, &TMainForm::FileStartMenuClick},
      {FileExitMenu, &TMainForm::FileExitMenuClick},
      {HelpAboutMenu, &TMainForm::HelpAboutMenuClick},
      {HelpManMenu, &TMainForm::HelpManMenuClick},
      {JWord1, &TMainForm::JWord1Click},
      {N3, &TMainForm::N3Click},
      {N4, &TMainForm::N4Click},
      {ToolAnalysisMenu, &TMainForm::ToolAnalysisMenuClick},
      {ToolFigureSheetMenu, &TMainForm::ToolFigureSheetMenuClick},
      {ToolEstimateMenu, &TMainForm::ToolEstimateMenuClick},
      {ToolCsvMenu, &TMainForm::ToolCsvMenuClick},
      {ToolImageMenu, &TMainForm::ToolImageMenuClick},
  };
  for (const auto& [action, command] : entries) {
    connect(action, &QAction::triggered, this, [this, command = command] { Dispatch(command); });
  }
  connect(StartButton, &QPushButton::clicked, this,
          [this] { Dispatch(&TMainForm::StartButtonClic); });
  connect(FlevelButton, &QPushButton::clicked, this,
          [this] { Dispatch(&TMainForm::FlevelButtonClick); });
  connect(Timer1, &QTimer::timeout, this, [this] { Dispatch(&TMainForm::Timer1Timer); });

  const std::pair<QCheckBox*, void (TMainForm::*)()> boxes[] = {
      {BIGCheckBox, &TMainForm::BIGCheckBoxClick},
      {REGCheckBox, &TMainForm::REGCheckBoxClick},
      {Cherry2CheckBox, &TMainForm::Cherry2CheckBoxClick},
      {Cherry4aCheckBox, &TMainForm::Cherry4aCheckBoxClick},
      {Cherry4bCheckBox, &TMainForm::Cherry4bCheckBoxClick},
      {CherryNCheckBox, &TMainForm::CherryNCheckBoxClick},
      {PlumCheckBox, &TMainForm::PlumCheckBoxClick},
      {BellCheckBox, &TMainForm::BellCheckBoxClick},
      {HazureCheckBox, &TMainForm::HazureCheckBoxClick},
      {ExpectedCheckBox, &TMainForm::ExpectedCheckBoxClick},
  };
  for (const auto& [box, command] : boxes) {
    connect(box, &QCheckBox::toggled, this, [this, command = command] { Dispatch(command); });
  }
}

void TMainForm::Dispatch(void (TMainForm::*command)()) {
  Dispatch([this, command] { (this->*command)(); });
}

void TMainForm::Dispatch(const std::function<void()>& command) {
  // An error escaping a command is shown, and the program goes on.
  try {
    command();
  } catch (const std::bad_alloc&) {
    dialogs_.ApplicationError(this, Text(kOutOfMemoryMessage));
  } catch (const std::exception& error) {
    dialogs_.ApplicationError(this, QString::fromLocal8Bit(error.what()));
  }
}

void TMainForm::Show(const CommandOutcome& outcome, const QString& statusBefore) {
  if (outcome.notify) {
    const QString message = Text(outcome.status.Message);
    if (outcome.status.Kind == StatusKind::NotInteger) {
      dialogs_.ApplicationError(this, message);
    } else {
      dialogs_.Error(this, message);
    }
  }
  if (outcome.display) DisplayResults();
  if (const std::optional<SimFileHeader>& header = outcome.shownHeader) {
    FlevelComboBox->setEditText(QString::number(header->Flevel));
    PlayNumEdit->setText(QString::number(header->Games));
    BigStockEdit->setText(QString::number(header->BigStock));
    RegStockEdit->setText(QString::number(header->RegStock));
  }
  SetStatusText(StatusLineText(outcome.line, {}, statusBefore));
}

void TMainForm::UpdateCommands() {
  // While a run, batch or file load is under way, what the window handles at
  // the run's message point must not start another run, replace the records
  // or change the inputs the run was started with.
  const bool busy = session_.Busy();
  for (QWidget* input : {static_cast<QWidget*>(PlayNumEdit), static_cast<QWidget*>(FlevelComboBox),
                         static_cast<QWidget*>(SimNumEdit), static_cast<QWidget*>(BigStockEdit),
                         static_cast<QWidget*>(RegStockEdit), static_cast<QWidget*>(FlevelButton),
                         static_cast<QWidget*>(StartButton)}) {
    input->setEnabled(!busy);
  }
  FileOpenMenu->setEnabled(!busy);
  FileStartMenu->setEnabled(!busy);
  FileSaveMenu->setEnabled(session_.CanSave());
  const bool shown = !busy && session_.Display() != DisplayState::Nothing;
  for (QAction* entry : {ToolEstimateMenu, ToolCsvMenu, ToolImageMenu}) entry->setEnabled(shown);
  // State changes reach here before the menu exists.
  if (recentMenu_ != nullptr) recentMenu_->Refresh(!busy);
}

QString TMainForm::StatusText() const { return StatusBar1->Text(0); }

void TMainForm::SetStatusText(const QString& text) { StatusBar1->SetText(0, text); }

void TMainForm::SetProgress(int position) {
  // The positions run past 100 on purpose; the bar shows them full.
  const int clamped = std::clamp(position, ProgressBar1->minimum(), ProgressBar1->maximum());
  if (ProgressBar1->value() != clamped) ProgressBar1->setValue(clamped);
}

void TMainForm::FileStartMenuClick() {
  if (session_.Busy()) return;
  StartTexts texts;
  texts.PlayNum = PlayNumEdit->text().toStdString();
  texts.Flevel = FlevelComboBox->currentText().toStdString();
  texts.SimNum = SimNumEdit->text().toStdString();
  texts.BigStock = BigStockEdit->text().toStdString();
  texts.RegStock = RegStockEdit->text().toStdString();
  const QString statusBefore = StatusText();
  const int progressBefore = ProgressBar1->value();
  longRun_->Start();
  const CommandOutcome outcome = session_.Start(texts);
  longRun_->End();
  // A stopped run leaves everything as it was but the status text.
  if (outcome.status.Kind == StatusKind::Cancelled) SetProgress(progressBefore);
  Show(outcome, statusBefore);
}

void TMainForm::StartButtonClic() { FileStartMenuClick(); }

void TMainForm::FileOpenMenuClick() {
  if (session_.Busy()) return;
  const std::optional<QString> path = dialogs_.AskOpenPath(this, openDialogName_);
  if (path) OpenPath(*path);
}

void TMainForm::FileSaveMenuClick() {
  if (!session_.CanSave()) return;
  const std::optional<QString> path = dialogs_.AskSavePath(this, saveDialogName_);
  if (!path) return;
  saveDialogName_ = *path;
  const QString statusBefore = StatusText();
  const CommandOutcome outcome = session_.Save(LocalPath(*path));
  Show(outcome, statusBefore);
  if (outcome.status.Ok()) recentMenu_->Add(*path);
}

void TMainForm::FlevelButtonClick() {
  if (const std::optional<int32_t> level = session_.SettingCheck()) {
    FlevelComboBox->setEditText(QString::number(*level));
  }
  expectedLine_->Refresh(session_.Shown());
}

void TMainForm::FileExitMenuClick() { close(); }

void TMainForm::HelpAboutMenuClick() { dialogs_.ShowModal(*aboutBox_); }

void TMainForm::JWord1Click() {
  shell_.OpenFile(ExecutableFolder() + QString::fromLatin1(kInstallerFileName),
                  kInstallerArguments);
}

void TMainForm::N3Click() { shell_.OpenUrl(HomePageUrl()); }

void TMainForm::ToolAnalysisMenuClick() { tools_->Analysis(); }
void TMainForm::ToolFigureSheetMenuClick() { tools_->FigureSheet(); }
void TMainForm::ToolEstimateMenuClick() { tools_->Estimate(); }
void TMainForm::ToolCsvMenuClick() { tools_->Csv(); }
void TMainForm::ToolImageMenuClick() { tools_->Image(); }

void TMainForm::N4Click() { shell_.OpenUrl(AdPageUrl()); }

void TMainForm::Timer1Timer() {
  StatusBar1->SetText(2, ClockText(QDateTime::currentDateTime(), QLocale::system()));
}

void TMainForm::SetMarker(int markerSeries, const QCheckBox* box) {
  charts_->SetMarkerActive(markerSeries, box->isChecked());
}

void TMainForm::BIGCheckBoxClick() { SetMarker(kMarkerBIG, BIGCheckBox); }
void TMainForm::REGCheckBoxClick() { SetMarker(kMarkerREG, REGCheckBox); }
void TMainForm::Cherry2CheckBoxClick() { SetMarker(kMarkerCherry2, Cherry2CheckBox); }
void TMainForm::Cherry4aCheckBoxClick() { SetMarker(kMarkerCherry4A, Cherry4aCheckBox); }
void TMainForm::Cherry4bCheckBoxClick() { SetMarker(kMarkerCherry4B, Cherry4bCheckBox); }
void TMainForm::CherryNCheckBoxClick() { SetMarker(kMarkerNCherry, CherryNCheckBox); }
void TMainForm::PlumCheckBoxClick() { SetMarker(kMarkerPlum, PlumCheckBox); }
void TMainForm::BellCheckBoxClick() { SetMarker(kMarkerBell, BellCheckBox); }
void TMainForm::HazureCheckBoxClick() { SetMarker(kMarkerHazure, HazureCheckBox); }
void TMainForm::ExpectedCheckBoxClick() { expectedLine_->Switched(); }

}  // namespace sorimu
