#include "Unit1.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <new>

#include "AboutBox.h"
#include "ChartData.h"
#include "Dialogs.h"
#include "ResultCharts.h"
#include "ResultListViewData.h"
#include "Shell.h"
#include "SingleRun.h"
#include "StartInputs.h"
#include "StatusPanels.h"

namespace sorimu {

namespace {

constexpr const char* kRunningStatus = "シミュレーション実行中・・・";
constexpr const char* kDoneStatus = "シミュレーション完了";
constexpr const char* kInitialDialogName = "*.sim";

Slot MakeSlot(std::optional<uint32_t> seed) { return seed ? Slot(*seed) : Slot(); }

// "ＭＳ Ｐゴシック" where it exists, a Japanese face of the same kind elsewhere.
QFont WindowFont() {
  QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
  font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("Noto Sans CJK JP")});
  font.setPointSize(9);
  return font;
}

}  // namespace

TMainForm::TMainForm(const WindowServices& services, QWidget* parent)
    : QMainWindow(parent),
      dialogs_(services.dialogs),
      shell_(services.shell),
      slot_(MakeSlot(services.seed)),
      openDialogName_(QString::fromLatin1(kInitialDialogName)),
      saveDialogName_(QString::fromLatin1(kInitialDialogName)),
      csvDialogName_(QStringLiteral("sorimu.csv")),
      imageDialogName_(QStringLiteral("sorimu.png")) {
  setObjectName(QStringLiteral("MainForm"));
  setWindowTitle(QStringLiteral("Sorimu"));
  setWindowIcon(QIcon(ProgramIconPixmap(32)));
  setFont(WindowFont());
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

  resultListModel_ = new ResultListViewData(resultTexts_, this);

  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("ClientArea"));
  client->setFixedSize(606, 724);
  setCentralWidget(client);

  BuildMenu();
  BuildInputs(client);
  BuildPages(client);
  BuildCharts(client);
  BuildMarkerBoxes(client);
  BuildStatusBar(client);
  ConnectCommands();

  aboutBox_ = new TAboutBox(shell_, this);
  aboutBox_->hide();

  setFixedSize(client->width(), client->height() + MainMenu->sizeHint().height());
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
}

TMainForm::~TMainForm() = default;

QString TMainForm::StatusText() const { return StatusBar1->Text(0); }

void TMainForm::SetStatusText(const QString& text) { StatusBar1->SetText(0, text); }

void TMainForm::SetWorking(bool working) {
  busy_ = working;
  for (QWidget* input : {static_cast<QWidget*>(PlayNumEdit), static_cast<QWidget*>(FlevelComboBox),
                         static_cast<QWidget*>(SimNumEdit), static_cast<QWidget*>(BigStockEdit),
                         static_cast<QWidget*>(RegStockEdit), static_cast<QWidget*>(FlevelButton),
                         static_cast<QWidget*>(StartButton)}) {
    input->setEnabled(!working);
  }
  FileOpenMenu->setEnabled(!working);
  FileStartMenu->setEnabled(!working);
  FileSaveMenu->setEnabled(!working && saveAvailable_);
  UpdateToolEntries();
}

void TMainForm::Dispatch(void (TMainForm::*command)()) {
  // An error escaping a command is shown, and the program goes on.
  try {
    (this->*command)();
  } catch (const std::bad_alloc&) {
    dialogs_.ApplicationError(this, QString::fromUtf8(kOutOfMemoryMessage));
  } catch (const std::exception& error) {
    dialogs_.ApplicationError(this, QString::fromLocal8Bit(error.what()));
  }
}

void TMainForm::FileStartMenuClick() {
  if (busy_) return;
  StartTexts texts;
  texts.PlayNum = PlayNumEdit->text().toStdString();
  texts.Flevel = FlevelComboBox->currentText().toStdString();
  texts.SimNum = SimNumEdit->text().toStdString();
  texts.BigStock = BigStockEdit->text().toStdString();
  texts.RegStock = RegStockEdit->text().toStdString();
  const StartCheck check = CheckStartInputs(texts);
  switch (check.failure) {
    case StartFailure::None: break;
    case StartFailure::NotInteger:
      dialogs_.ApplicationError(this, QString::fromStdString(check.message));
      return;
    case StartFailure::OutOfRange:
    case StartFailure::BadFlevel:
      dialogs_.Error(this, QString::fromStdString(check.message));
      SetStatusText(QString());
      return;
  }

  WorkScope scope(*this);
  SetStatusText(QString::fromUtf8(kRunningStatus));
  if (check.inputs.SimNum == 1) {
    if (!Simulate(check.inputs)) return;
    DisplayResults();
  } else {
    switch (SimulateBatch(check.inputs)) {
      case BatchEnd::Completed: break;
      case BatchEnd::Stopped: return;  // the batch's error text stays
      case BatchEnd::Cancelled:
        // Nothing ran: the running text would be a lie, and there is nothing to report.
        SetStatusText(QString());
        return;
    }
  }
  SetStatusText(QString::fromUtf8(kDoneStatus));
}

void TMainForm::FileExitMenuClick() { close(); }

void TMainForm::HelpAboutMenuClick() { dialogs_.ShowModal(*aboutBox_); }

void TMainForm::StartButtonClic() { FileStartMenuClick(); }

void TMainForm::HelpManMenuClick() {
  shell_.OpenFile(ExecutableFolder() + QString::fromLatin1(kHelpFileName), {});
}

void TMainForm::FlevelButtonClick() {
  if (busy_) return;  // the setting box is one of the run's inputs
  FlevelComboBox->setEditText(QString::number(slot_.GetFlevel()));
}

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
void TMainForm::PlumCheckBoxClick() { SetMarker(kMarkerPlum, PlumCheckBox); }

void TMainForm::JWord1Click() {
  shell_.OpenFile(ExecutableFolder() + QString::fromLatin1(kInstallerFileName),
                  kInstallerArguments);
}

void TMainForm::HazureCheckBoxClick() { SetMarker(kMarkerHazure, HazureCheckBox); }
void TMainForm::BellCheckBoxClick() { SetMarker(kMarkerBell, BellCheckBox); }
void TMainForm::Cherry4bCheckBoxClick() { SetMarker(kMarkerCherry4B, Cherry4bCheckBox); }
void TMainForm::CherryNCheckBoxClick() { SetMarker(kMarkerNCherry, CherryNCheckBox); }

void TMainForm::N3Click() { shell_.OpenUrl(HomePageUrl()); }

void TMainForm::N4Click() { shell_.OpenUrl(AdPageUrl()); }

}  // namespace sorimu
