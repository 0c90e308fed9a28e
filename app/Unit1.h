#pragma once

#include <QMainWindow>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

#include "ResultTexts.h"
#include "RunRecords.h"
#include "Slot.h"

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTableView;
class QTimer;
class QTreeWidget;

namespace sorimu {

class AnalysisDialog;
class Dialogs;
class ResultListViewData;
class Shell;
class StatusPanels;
class TAboutBox;
class TEstimateBox;
class ResultCharts;
struct StartInputs;

// What the window hands its boxes, dialogs and help commands to.
struct WindowServices {
  Dialogs& dialogs;
  Shell& shell;
  std::optional<uint32_t> seed;  // a fixed machine for tests; the clock otherwise
};

// The main window. It owns the one machine and the one set of run records
// for the life of the program, and carries every command.
class TMainForm final : public QMainWindow {
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

  // Shows the current records in every view; needs at least one row.
  void DisplayResults();

  const Slot& Machine() const { return slot_; }
  const RunRecords& Records() const { return records_; }
  const ResultTexts& Texts() const { return resultTexts_; }
  ResultListViewData& ResultListModel() const { return *resultListModel_; }
  ResultCharts& Charts() const { return *charts_; }
  TAboutBox& AboutBox() const { return *aboutBox_; }
  // Made on first use; null before.
  AnalysisDialog* AnalysisWindow() const { return analysisDialog_; }
  TEstimateBox* EstimateBox() const { return estimateBox_; }
  QString StatusText() const;
  // True from the start of a run, batch or file load to its end.
  bool Busy() const { return busy_; }

  QMenuBar* MainMenu = nullptr;
  QMenu* FileMenu = nullptr;
  QAction* FileOpenMenu = nullptr;
  QAction* FileSaveMenu = nullptr;
  QAction* N1 = nullptr;
  QAction* FileStartMenu = nullptr;
  QAction* FileExitMenu = nullptr;
  QMenu* HelpMenu = nullptr;
  QAction* HelpAboutMenu = nullptr;
  QAction* HelpManMenu = nullptr;
  QAction* JWord1 = nullptr;
  QAction* N2 = nullptr;
  QAction* N3 = nullptr;
  QAction* N4 = nullptr;
  QMenu* ToolMenu = nullptr;
  QAction* ToolAnalysisMenu = nullptr;
  QAction* ToolEstimateMenu = nullptr;
  QAction* N5 = nullptr;
  QAction* ToolCsvMenu = nullptr;
  QAction* ToolImageMenu = nullptr;

  QLabel* Label1 = nullptr;
  QLineEdit* PlayNumEdit = nullptr;
  QLabel* Label2 = nullptr;
  QComboBox* FlevelComboBox = nullptr;
  QLabel* Label3 = nullptr;
  QPushButton* FlevelButton = nullptr;
  QLabel* Label6 = nullptr;
  QLineEdit* SimNumEdit = nullptr;
  QPushButton* StartButton = nullptr;
  QLabel* Label4 = nullptr;
  QLineEdit* BigStockEdit = nullptr;
  QLabel* Label7 = nullptr;
  QLineEdit* RegStockEdit = nullptr;
  QGroupBox* GroupBox2 = nullptr;
  QLabel* ResultLabel = nullptr;
  QTabWidget* PageControl1 = nullptr;
  QTableView* ResultListView = nullptr;
  QTreeWidget* BListView = nullptr;
  QTreeWidget* Ren3ListView = nullptr;
  QTreeWidget* RenListView = nullptr;
  QTreeWidget* KoyakuListView = nullptr;
  QTreeWidget* RTCancelListView = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  QCheckBox* BIGCheckBox = nullptr;
  QCheckBox* REGCheckBox = nullptr;
  QCheckBox* Cherry2CheckBox = nullptr;
  QCheckBox* Cherry4aCheckBox = nullptr;
  QCheckBox* Cherry4bCheckBox = nullptr;
  QCheckBox* CherryNCheckBox = nullptr;
  QCheckBox* PlumCheckBox = nullptr;
  QCheckBox* BellCheckBox = nullptr;
  QCheckBox* HazureCheckBox = nullptr;
  StatusPanels* StatusBar1 = nullptr;
  QProgressBar* ProgressBar1 = nullptr;
  QTimer* Timer1 = nullptr;

 private:
  // While a run, batch or file load is under way, the one point at which
  // the run lets the window process its messages must not start another
  // run, replace the records or change the inputs the run was started with:
  // those commands are disabled and, should one still arrive, ignored.
  class WorkScope {
   public:
    explicit WorkScope(TMainForm& form) : form_(form) { form_.SetWorking(true); }
    ~WorkScope() { form_.SetWorking(false); }
    WorkScope(const WorkScope&) = delete;
    WorkScope& operator=(const WorkScope&) = delete;

   private:
    TMainForm& form_;
  };
  enum class BatchEnd { Completed, Stopped, Cancelled };

  // Construction, in Unit1Layout.cpp.
  void BuildMenu();
  void BuildToolMenu();
  void BuildInputs(QWidget* client);
  void BuildPages(QWidget* client);
  void BuildCharts(QWidget* client);
  void BuildMarkerBoxes(QWidget* client);
  void BuildStatusBar(QWidget* client);
  void ConnectCommands();

  // Runs, in Unit1Run.cpp.
  bool Simulate(const StartInputs& inputs);
  BatchEnd SimulateBatch(const StartInputs& inputs);
  void MessagePoint(const StartInputs& inputs);
  void SetHint(const QString& text);

  // Display, in Unit1Display.cpp.
  void FillResultTexts(int32_t totalGames);
  void FillBonusList();
  void SetProgress(int position);

  void SetStatusText(const QString& text);
  void SetMarker(int markerSeries, const QCheckBox* box);
  void SetWorking(bool working);
  void Dispatch(void (TMainForm::*command)());

  // The ツール entries that read the run on display, in Unit1Tools.cpp.
  void UpdateToolEntries();
  bool ShownRowsAvailable();

  Dialogs& dialogs_;
  Shell& shell_;
  Slot slot_;
  RunRecords records_;
  ResultTexts resultTexts_;
  ResultListViewData* resultListModel_ = nullptr;
  std::unique_ptr<ResultCharts> charts_;
  TAboutBox* aboutBox_ = nullptr;
  AnalysisDialog* analysisDialog_ = nullptr;
  TEstimateBox* estimateBox_ = nullptr;
  QString openDialogName_;  // each file dialog offers its last choice again
  QString saveDialogName_;
  QString csvDialogName_;
  QString imageDialogName_;
  bool saveAvailable_ = false;
  bool busy_ = false;
  // Something is on display, and whether the records still hold its rows:
  // a batch, a failed read or a run out of memory replaces them while the
  // views keep showing the run before.
  bool displayed_ = false;
  bool recordsShown_ = false;
};

}  // namespace sorimu
