#pragma once

#include <QString>
#include <array>
#include <memory>

#include "ChartData.h"

class QAbstractItemModel;
class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMainWindow;
class QMenu;
class QMenuBar;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTableView;
class QTimer;
class QTreeWidget;
class QWidget;

namespace sorimu {

class HintLabel;
class ResultCharts;
class StatusPanels;

// The main window's controls under the names of its layout table, placed at
// their fixed pixel positions in a client area of 606 × 724, with their
// captions and first values (the labels, separators and frames that no code
// touches are only named). TMainForm holds them privately, as a Qt form's
// generated Ui class is held, and binds them to its presenter; tests and
// tools find a control by its object name.
class MainFormLayout {
 public:
  static constexpr int kClientWidth = 606;
  static constexpr int kClientHeight = 724;

  MainFormLayout();
  ~MainFormLayout();
  MainFormLayout(const MainFormLayout&) = delete;
  MainFormLayout& operator=(const MainFormLayout&) = delete;

  // Makes `window` the main window: its caption, face, border, size and
  // place on the screen, and every control; the per-game list shows `listModel`.
  void SetupLayout(QMainWindow* window, QAbstractItemModel* listModel);

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
  QAction* N3 = nullptr;
  QAction* N4 = nullptr;
  QMenu* ToolMenu = nullptr;
  QAction* ToolAnalysisMenu = nullptr;
  QAction* ToolFigureSheetMenu = nullptr;
  QAction* ToolEstimateMenu = nullptr;
  QAction* ToolHallMenu = nullptr;
  QAction* ToolCsvMenu = nullptr;
  QAction* ToolImageMenu = nullptr;

  QLineEdit* PlayNumEdit = nullptr;
  QComboBox* FlevelComboBox = nullptr;
  HintLabel* Label3 = nullptr;  // the red note under the setting box
  QPushButton* FlevelButton = nullptr;
  QLineEdit* SimNumEdit = nullptr;
  QPushButton* StartButton = nullptr;
  QPushButton* CancelButton = nullptr;
  QLineEdit* BigStockEdit = nullptr;
  QLineEdit* RegStockEdit = nullptr;
  QLabel* ResultLabel = nullptr;
  QTabWidget* PageControl1 = nullptr;
  QTableView* ResultListView = nullptr;
  QTreeWidget* BListView = nullptr;
  QTreeWidget* Ren3ListView = nullptr;
  QTreeWidget* RenListView = nullptr;
  QTreeWidget* KoyakuListView = nullptr;
  QTreeWidget* RTCancelListView = nullptr;
  // The nine marker boxes in the order of the marker series (kMarkerBIG ...).
  std::array<QCheckBox*, kMarkerSeriesCount> MarkerBoxes{};
  QCheckBox* ExpectedCheckBox = nullptr;  // the expected-balance line, after the markers
  StatusPanels* StatusBar1 = nullptr;
  QProgressBar* ProgressBar1 = nullptr;
  QTimer* Timer1 = nullptr;

  // The six charts; their widgets sit on the client area and the pages.
  std::unique_ptr<ResultCharts> Charts;

 private:
  void BuildMenu(QMainWindow* window);
  void BuildInputs(QWidget* client);
  void BuildPages(QWidget* client, QAbstractItemModel* listModel);
  void BuildCharts(QWidget* client);
  void BuildMarkerBoxes(QWidget* client);
  void BuildStatusBar(QMainWindow* window, QWidget* client);
};

}  // namespace sorimu
