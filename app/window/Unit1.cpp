#include "Unit1.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDateTime>
#include <QFileInfo>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <algorithm>
#include <new>

#include "AboutBox.h"
#include "ChartData.h"
#include "ExpectedLineSwitch.h"
#include "InputBinding.h"
#include "JobService.h"
#include "ManualLocation.h"
#include "Messages.h"
#include "QtJobs.h"
#include "QtText.h"
#include "ResultCharts.h"
#include "ResultListViewData.h"
#include "RunDisplay.h"
#include "StatusLineText.h"
#include "StatusPanels.h"
#include "ToolCommands.h"
#include "WindowControls.h"
#include "WindowDesktop.h"
#include "WindowTexts.h"
#include "desktop/Dialogs.h"
#include "desktop/Shell.h"

namespace sorimu {

TMainForm::TMainForm(const WindowServices& services, QWidget* parent)
    : QMainWindow(parent),
      dialogs_(services.dialogs),
      shell_(services.shell),
      ownJobs_(services.jobs == nullptr ? std::make_unique<JobService>() : nullptr),
      jobs_(services.jobs != nullptr ? *services.jobs : *ownJobs_),
      session_(std::make_shared<Session>(services.seed)),
      presenter_(std::make_unique<MainPresenter>(session_, jobs_, PostToEventLoop(),
                                                 services.longRunAfter)),
      openDialogName_(Text(wintext::kInitialSimName)),
      saveDialogName_(Text(wintext::kInitialSimName)) {
  listModel_ = new ResultListViewData(this);
  ui_.SetupLayout(this, listModel_);
  display_ = std::make_unique<RunDisplay>(RunDisplay::Views{
      ui_.ResultListView, listModel_, ui_.BListView, ui_.Ren3ListView, ui_.RenListView,
      ui_.KoyakuListView, ui_.RTCancelListView, ui_.ResultLabel, ui_.Charts.get()});
  expectedLine_ =
      std::make_unique<ExpectedLineSwitch>(ui_.ExpectedCheckBox, *ui_.Charts, *presenter_);
  tools_ = std::make_unique<ToolCommands>(this, dialogs_, jobs_, *presenter_, *ui_.Charts);
  escape_ = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  escape_->setObjectName(QStringLiteral("CancelShortcut"));
  ticker_ = new JobTicker(this, [this] { presenter_->Tick(); });
  aboutBox_ = new TAboutBox(shell_, this);
  aboutBox_->hide();

  session_->SetDisplayBytesPerRow(kDisplayBytesPerRow);
  presenter_->SetHooks(Hooks());
  desktop_ = new WindowDesktop(WindowDesktop::Ties{
      this, ui_.FileMenu, ui_.N1, dialogs_, shell_, services.settings,
      services.sourceTree.value_or(BuildSourceTree()),
      [this] { return presenter_->Commands().open; },
      [this](const QString& path) { Dispatch([this, &path] { OpenPath(path); }); }});
  ConnectCommands();
  inputs_ = new InputBinding(this, ui_, *presenter_);
  if (const std::optional<RememberedInputs> remembered = desktop_->Restore()) {
    presenter_->Restore(*remembered);
    tools_->Restore(*remembered);
  }
  Draw();
}

// The presenter goes first: a command still running stops on its own and
// finds nobody to report to.
TMainForm::~TMainForm() { presenter_.reset(); }

PresenterHooks TMainForm::Hooks() {
  PresenterHooks hooks;
  hooks.changed = [this] { Draw(); };
  hooks.askBatchPath = [this]() -> std::optional<std::string> {
    const std::optional<QString> path = dialogs_.AskSavePath(this, saveDialogName_);
    if (!path) return std::nullopt;
    saveDialogName_ = *path;
    return LocalPath(*path);
  };
  hooks.prepare = &RunDisplay::Prepare;
  hooks.show = [this](const RunRef& run, std::shared_ptr<PreparedShow> views) {
    Shown(run, *views);
  };
  hooks.hint = [this](bool hidden) {
    ui_.Label3->Show(hidden ? Text(wintext::kHiddenFlevelNote) : QString());
  };
  hooks.notify = [this](const Status& status) { ShowFailure(dialogs_, this, status); };
  hooks.opened = [this](const std::string&) { desktop_->Used(openDialogName_); };
  return hooks;
}

void TMainForm::ConnectCommands() {
  const std::pair<QAction*, std::function<void()>> entries[] = {
      {ui_.FileOpenMenu, [this] { Open(); }},
      {ui_.FileSaveMenu, [this] { Save(); }},
      {ui_.FileStartMenu, [this] { presenter_->Start(); }},
      {ui_.FileExitMenu, [this] { close(); }},
      {ui_.HelpAboutMenu, [this] { dialogs_.ShowModal(*aboutBox_); }},
      {ui_.HelpManMenu, [this] { desktop_->ShowManual(); }},
      {ui_.JWord1,
       [this] {
         shell_.OpenFile(ExecutableFolder() + QString::fromLatin1(kInstallerFileName),
                         kInstallerArguments);
       }},
      {ui_.N3, [this] { shell_.OpenUrl(HomePageUrl()); }},
      {ui_.N4, [this] { shell_.OpenUrl(AdPageUrl()); }},
      {ui_.ToolAnalysisMenu, [this] { tools_->Analysis(); }},
      {ui_.ToolFigureSheetMenu, [this] { tools_->FigureSheet(); }},
      {ui_.ToolEstimateMenu, [this] { tools_->Estimate(); }},
      {ui_.ToolHallMenu, [this] { tools_->Hall(); }},
      {ui_.ToolCsvMenu, [this] { tools_->Csv(); }},
      {ui_.ToolImageMenu, [this] { tools_->Image(); }},
  };
  for (const auto& [action, command] : entries) {
    connect(action, &QAction::triggered, this, [this, command = command] { Dispatch(command); });
  }
  connect(ui_.StartButton, &QPushButton::clicked, this,
          [this] { Dispatch([this] { presenter_->Start(); }); });
  connect(ui_.FlevelButton, &QPushButton::clicked, this,
          [this] { Dispatch([this] { SettingCheck(); }); });
  connect(ui_.CancelButton, &QPushButton::clicked, this, [this] { presenter_->Cancel(); });
  connect(escape_, &QShortcut::activated, this, [this] { presenter_->Cancel(); });
  connect(ui_.Timer1, &QTimer::timeout, this, [this] {
    ui_.StatusBar1->SetText(2, ClockText(QDateTime::currentDateTime(), QLocale::system()));
  });
  connect(ui_.ExpectedCheckBox, &QCheckBox::toggled, this,
          [this] { Dispatch([this] { expectedLine_->Switched(); }); });
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

void TMainForm::Draw() {
  // While a command works nothing that could change it takes input (the
  // boxes: InputBinding), and the window handles every event meanwhile, so
  // nothing waits to land after it.
  const CommandStates commands = presenter_->Commands();
  ui_.StartButton->setEnabled(commands.start);
  ui_.FileStartMenu->setEnabled(commands.start);
  ui_.FileOpenMenu->setEnabled(commands.open);
  ui_.FileSaveMenu->setEnabled(commands.save);
  for (QAction* entry : {ui_.ToolEstimateMenu, ui_.ToolCsvMenu, ui_.ToolImageMenu}) {
    entry->setEnabled(commands.runTools);
  }
  desktop_->RefreshRecent(commands.open);
  // 中断 stands over the disabled 開始 from the moment a command counts as
  // long until its run is shown; once taken it stays, greyed.
  ui_.CancelButton->setVisible(presenter_->LongRun());
  if (presenter_->LongRun()) ui_.CancelButton->raise();
  ui_.CancelButton->setEnabled(commands.cancel);
  escape_->setEnabled(commands.cancel);

  ui_.StatusBar1->SetText(0, StatusLineText(presenter_->Status(), presenter_->StatusDetail()));
  // The positions run past 100 on purpose; the bar shows them full.
  QProgressBar* bar = ui_.ProgressBar1;
  const int position = std::clamp(presenter_->Progress(), bar->minimum(), bar->maximum());
  if (bar->value() != position) bar->setValue(position);

  inputs_->Draw();

  if (presenter_->Busy()) {
    ticker_->Start();
  } else {
    ticker_->Stop();
    if (closeWhenIdle_) {
      closeWhenIdle_ = false;
      QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    }
  }
}

void TMainForm::Shown(const RunRef& run, PreparedShow& views) {
  display_->Show(run, views);
  // The expected line follows the slump line, for the run now shown.
  expectedLine_->Displayed(presenter_->CurrentSession().Shown());
  tools_->RunShown(run);
}

void TMainForm::Open() {
  if (!presenter_->Commands().open) return;
  const std::optional<QString> path = dialogs_.AskOpenPath(this, openDialogName_);
  if (path) OpenPath(*path);
}

void TMainForm::OpenPath(const QString& path) {
  if (!presenter_->Commands().open) return;
  openDialogName_ = path;
  presenter_->Open(LocalPath(path));
}

void TMainForm::Save() {
  if (!presenter_->Commands().save) return;
  // After a batch the views still show the run before it.
  const Session& session = presenter_->CurrentSession();
  if (session.Display() == DisplayState::Stale) {
    const QString last = QFileInfo(QString::fromStdString(session.CurrentPath())).fileName();
    if (!dialogs_.Confirm(this, Text(kSaveLastRepetitionQuestion).arg(last))) return;
  }
  const std::optional<QString> path = dialogs_.AskSavePath(this, saveDialogName_);
  if (!path) return;
  saveDialogName_ = *path;
  const CommandOutcome outcome = presenter_->Save(LocalPath(*path));
  if (outcome.status.Ok()) desktop_->Used(*path);
}

void TMainForm::OpenPathLater(const QString& path) {
  QMetaObject::invokeMethod(
      this, [this, path] { Dispatch([this, &path] { OpenPath(path); }); }, Qt::QueuedConnection);
}

void TMainForm::closeEvent(QCloseEvent* event) {
  // Closed while a command works: it stops within moments, and the window
  // closes then; the window never waits for it.
  if (presenter_->Busy()) {
    closeWhenIdle_ = true;
    presenter_->Stop();
    event->ignore();
    return;
  }
  RememberedInputs now = presenter_->Remembered();
  tools_->Collect(now);
  desktop_->Remember(now);
  QMainWindow::closeEvent(event);
}

void TMainForm::SettingCheck() {
  presenter_->SettingCheck();
  expectedLine_->Refresh(presenter_->CurrentSession().Shown());
}

}  // namespace sorimu
