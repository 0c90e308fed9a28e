#include "Unit1.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <algorithm>
#include <new>

#include "AboutBox.h"
#include "BatchNames.h"
#include "ChartData.h"
#include "Dialogs.h"
#include "ManualLocation.h"
#include "Messages.h"
#include "ResultCharts.h"
#include "ResultListViewData.h"
#include "Shell.h"
#include "StatusPanels.h"
#include "WindowFont.h"
#include "WindowTexts.h"

namespace sorimu {

namespace {

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }
QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

// What the window spends per row on showing a run besides the row itself:
// its list texts and its chart points (measured: about 60 bytes).
constexpr size_t kDisplayBytesPerRow = 64;

}  // namespace

TMainForm::TMainForm(const WindowServices& services, QWidget* parent)
    : QMainWindow(parent),
      dialogs_(services.dialogs),
      shell_(services.shell),
      session_(services.seed),
      longRunAfter_(services.longRunAfter),
      openDialogName_(Text(wintext::kInitialSimName)),
      saveDialogName_(Text(wintext::kInitialSimName)),
      csvDialogName_(Text(wintext::kInitialCsvName)),
      imageDialogName_(Text(wintext::kInitialImageName)),
      settings_(services.settings),
      sourceTree_(services.sourceTree.value_or(BuildSourceTree())),
      recentFiles_(services.settings) {
  setObjectName(QStringLiteral("MainForm"));
  setWindowTitle(Text(wintext::kTitle));
  setWindowIcon(QIcon(ProgramIconPixmap(32)));
  setFont(WindowFont());
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

  resultListModel_ = new ResultListViewData(resultTexts_, this);
  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("ClientArea"));
  client->setFixedSize(kClientWidth, kClientHeight);
  setCentralWidget(client);
  SetupLayout(this, client, resultListModel_);
  ConnectCommands();

  aboutBox_ = new TAboutBox(shell_, this);
  aboutBox_->hide();

  session_.SetDisplayBytesPerRow(kDisplayBytesPerRow);
  session_.SetHooks(Hooks());

  setFixedSize(client->width(), client->height() + MainMenu->sizeHint().height());
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
  SetupDesktop();
}

TMainForm::~TMainForm() = default;

SessionHooks TMainForm::Hooks() {
  SessionHooks hooks;
  hooks.report = [this](const std::string& status, int progress) {
    SetStatusText(Text(status));
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
  hooks.runProgress = [this](const RunProgressInfo& progress) { return RunProgressed(progress); };
  return hooks;
}

bool TMainForm::RunProgressed(const RunProgressInfo& progress) {
  if (!longRun_) {
    // A quick run goes on untouched, exactly as if it could not be stopped.
    if (!startClock_.isValid() || startClock_.elapsed() < longRunAfter_.count()) return true;
    longRun_ = true;
    CancelButton->setEnabled(true);
    CancelButton->show();
    CancelButton->raise();
    cancelShortcut_->setEnabled(true);
  }
  const double done = progress.GamesTotal > 0 ? static_cast<double>(progress.GamesDone) /
                                                    static_cast<double>(progress.GamesTotal)
                                              : 1.0;
  if (progress.Repetitions > 1) {
    // Between the positions the batch reports before and after this run.
    const int from = BatchProgressPosition(progress.Repetition - 1, progress.Repetitions);
    const int to = BatchProgressPosition(progress.Repetition, progress.Repetitions);
    SetProgress(from + static_cast<int>((to - from) * done));
  } else {
    SetProgress(static_cast<int>(100 * done));
  }
  // The inputs and the commands that would disturb the run are disabled, and
  // the session ignores them while busy.
  QCoreApplication::processEvents();
  return !cancelRequested_;
}

void TMainForm::CancelRun() {
  if (!longRun_) return;
  cancelRequested_ = true;
  CancelButton->setEnabled(false);  // taken: the run stops at its next report
}

void TMainForm::EndLongRun() {
  longRun_ = false;
  cancelRequested_ = false;
  startClock_.invalidate();
  cancelShortcut_->setEnabled(false);
  CancelButton->hide();
}

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
      {ToolEstimateMenu, &TMainForm::ToolEstimateMenuClick},
      {ToolCsvMenu, &TMainForm::ToolCsvMenuClick},
      {ToolImageMenu, &TMainForm::ToolImageMenuClick},
  };
  for (const auto& [action, command] : entries) {
    connect(action, &QAction::triggered, this, [this, command = command] { Dispatch(command); });
  }
  connect(StartButton, &QPushButton::clicked, this,
          [this] { Dispatch(&TMainForm::StartButtonClic); });
  connect(CancelButton, &QPushButton::clicked, this, &TMainForm::CancelRun);
  cancelShortcut_ = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  cancelShortcut_->setObjectName(QStringLiteral("CancelShortcut"));
  cancelShortcut_->setEnabled(false);
  connect(cancelShortcut_, &QShortcut::activated, this, &TMainForm::CancelRun);
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
  SetStatusText(outcome.statusText ? Text(*outcome.statusText) : statusBefore);
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
  RefreshRecentMenu();
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
  startClock_.start();
  const CommandOutcome outcome = session_.Start(texts);
  EndLongRun();
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
  if (outcome.status.Ok()) AddRecentFile(*path);
}

void TMainForm::FlevelButtonClick() {
  if (const std::optional<int32_t> level = session_.SettingCheck()) {
    FlevelComboBox->setEditText(QString::number(*level));
  }
}

void TMainForm::FileExitMenuClick() { close(); }

void TMainForm::HelpAboutMenuClick() { dialogs_.ShowModal(*aboutBox_); }

void TMainForm::JWord1Click() {
  shell_.OpenFile(ExecutableFolder() + QString::fromLatin1(kInstallerFileName),
                  kInstallerArguments);
}

void TMainForm::N3Click() { shell_.OpenUrl(HomePageUrl()); }

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

}  // namespace sorimu
