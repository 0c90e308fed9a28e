#pragma once

#include <QString>
#include <memory>

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

class ResultCharts;
class StatusPanels;

// The main window's controls under the names of its layout table, placed at
// their fixed pixel positions in a client area of 606 × 724, with their
// captions and first values. TMainForm holds them privately, as a Qt form's
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

  // The red note right-aligned at x = 149 under the setting box.
  void ShowHint(const QString& text);

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
  QAction* ToolFigureSheetMenu = nullptr;
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
  QPushButton* CancelButton = nullptr;
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
