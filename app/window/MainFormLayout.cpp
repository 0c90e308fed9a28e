// The main window's controls, placed at fixed pixel positions in a client
// area of fixed size, with their names, captions and first values.
#include "MainFormLayout.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QTreeWidget>

#include "AboutBox.h"
#include "ChartData.h"
#include "ClassicFrames.h"
#include "HallTexts.h"
#include "ListColumns.h"
#include "Named.h"
#include "QtText.h"
#include "ResultCharts.h"
#include "RoleCaptions.h"
#include "Setting.h"
#include "StatusPanels.h"
#include "WindowControls.h"
#include "WindowFont.h"
#include "WindowTexts.h"

namespace sorimu {

namespace {

constexpr int kClientWidth = MainFormLayout::kClientWidth;
constexpr int kClientHeight = MainFormLayout::kClientHeight;
constexpr int kTimerPeriodMs = 100;
constexpr int kHintRightEdge = 149;
constexpr int kHintTop = 36;
constexpr int kLeftColumn = 8;  // where the labels of the first column start

}  // namespace

MainFormLayout::MainFormLayout() = default;
MainFormLayout::~MainFormLayout() = default;

void MainFormLayout::SetupLayout(QMainWindow* window, QAbstractItemModel* listModel) {
  window->setObjectName(QStringLiteral("MainForm"));
  window->setWindowTitle(Text(wintext::kTitle));
  window->setWindowIcon(QIcon(ProgramIconPixmap(32)));
  window->setFont(WindowFont());
  // A single fixed border with a system menu and a minimize box, no maximize box.
  window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                         Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  auto* client = new QWidget(window);
  client->setObjectName(QStringLiteral("ClientArea"));
  client->setFixedSize(kClientWidth, kClientHeight);
  window->setCentralWidget(client);

  BuildMenu(window);
  BuildInputs(client);
  BuildPages(client, listModel);
  BuildCharts(client);
  BuildMarkerBoxes(client);
  BuildStatusBar(window, client);

  window->setFixedSize(kClientWidth, kClientHeight + MainMenu->sizeHint().height());
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    window->move(screen->availableGeometry().center() - window->rect().center());
  }
}

void MainFormLayout::BuildMenu(QMainWindow* window) {
  using namespace wintext;
  MainMenu = Named(new QMenuBar(window), "MainMenu");
  window->setMenuBar(MainMenu);

  FileMenu = Named(MainMenu->addMenu(Text(kFileMenu)), "FileMenu");
  FileOpenMenu = AddEntry(FileMenu, "FileOpenMenu", kFileOpen);
  FileSaveMenu = AddEntry(FileMenu, "FileSaveMenu", kFileSave);
  FileSaveMenu->setEnabled(false);
  N1 = AddSeparator(FileMenu, "N1");
  FileStartMenu = AddEntry(FileMenu, "FileStartMenu", kFileStart);
  FileExitMenu = AddEntry(FileMenu, "FileExitMenu", kFileExit);

  HelpMenu = Named(MainMenu->addMenu(Text(kHelpMenu)), "HelpMenu");
  HelpAboutMenu = AddEntry(HelpMenu, "HelpAboutMenu", kHelpAbout);
  HelpManMenu = AddEntry(HelpMenu, "HelpManMenu", kHelpManual);
  JWord1 = AddEntry(HelpMenu, "JWord1", kHelpJWord);
  QAction* n2 = AddSeparator(HelpMenu, "N2");
  N3 = AddEntry(HelpMenu, "N3", kHelpHomePage);
  N4 = AddEntry(HelpMenu, "N4", kHelpAd);
  // The home page and its advertisement page have no address yet, and the
  // installer is a Windows program: hidden, and disabled so that no shortcut
  // or trigger reaches them.
  const auto unoffer = [](QAction* entry) {
    entry->setVisible(false);
    entry->setEnabled(false);
  };
  for (QAction* entry : {n2, N3, N4}) unoffer(entry);
#ifndef Q_OS_WIN
  unoffer(JWord1);
#endif

  // Before ヘルプ, where users look for tools; the other menus keep their entries.
  ToolMenu = Named(new QMenu(Text(kToolMenu), MainMenu), "ToolMenu");
  MainMenu->insertMenu(HelpMenu->menuAction(), ToolMenu);
  ToolAnalysisMenu = AddEntry(ToolMenu, "ToolAnalysisMenu", kToolAnalysis);
  ToolFigureSheetMenu = AddEntry(ToolMenu, "ToolFigureSheetMenu", kToolFigureSheet);
  ToolEstimateMenu = AddEntry(ToolMenu, "ToolEstimateMenu", kToolEstimate);
  ToolHallMenu = AddEntry(ToolMenu, "ToolHallMenu", halltext::kToolHall);
  AddSeparator(ToolMenu, "N5");
  ToolCsvMenu = AddEntry(ToolMenu, "ToolCsvMenu", kToolCsv);
  ToolImageMenu = AddEntry(ToolMenu, "ToolImageMenu", kToolImage);
  for (QAction* entry : {ToolEstimateMenu, ToolCsvMenu, ToolImageMenu}) entry->setEnabled(false);
}

void MainFormLayout::BuildInputs(QWidget* client) {
  using namespace wintext;
  PlaceLabel(client, "Label1", kPlayNumLabel, 8, 12);
  PlayNumEdit = PlaceEdit(client, "PlayNumEdit", "1", {48, 8, 73, 20});
  PlaceLabel(client, "Label2", kFlevelLabel, 128, 12);

  FlevelComboBox = Named(new QComboBox(client), "FlevelComboBox");
  FlevelComboBox->setEditable(true);
  FlevelComboBox->setInsertPolicy(QComboBox::NoInsert);  // typing never adds to the list
  for (int s = 1; s <= kSettingCount; ++s) FlevelComboBox->addItem(QString::number(s));
  FlevelComboBox->addItem(QStringLiteral("?"));
  FlevelComboBox->setEditText(QStringLiteral("1"));
  FlevelComboBox->setGeometry(156, 8, 57, 20);

  // The note ends at x = 149, under the setting box.
  Label3 = Named(new HintLabel(client, kLeftColumn, kHintRightEdge, kHintTop), "Label3");

  FlevelButton = PlaceButton(client, "FlevelButton", kFlevelButton, {156, 32, 57, 21});
  PlaceLabel(client, "Label6", kSimNumLabel, 224, 12);
  SimNumEdit = PlaceEdit(client, "SimNumEdit", "1", {272, 8, 61, 20});
  StartButton = PlaceButton(client, "StartButton", kStartButton, {272, 32, 63, 41});
  // Over the Start button, which a run disables; shown only while a long run
  // can be stopped.
  CancelButton = PlaceButton(client, "CancelButton", kCancelButton, {272, 32, 63, 41});
  CancelButton->hide();
  PlaceLabel(client, "Label4", kBigStockLabel, 8, 60);
  BigStockEdit = PlaceEdit(client, "BigStockEdit", "255", {68, 56, 37, 20});
  PlaceLabel(client, "Label7", kRegStockLabel, 112, 60);
  RegStockEdit = PlaceEdit(client, "RegStockEdit", "255", {176, 56, 37, 20});

  auto* results = Named(new ClassicGroupBox(Text(kResultGroup), client), "GroupBox2");
  results->setGeometry(340, 4, 261, 69);
  ResultLabel = Named(new SummaryLabel(results), "ResultLabel");
  ResultLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  ResultLabel->setGeometry(8, 12, 261 - 8 - 2, 69 - 12 - 2);
}

void MainFormLayout::BuildPages(QWidget* client, QAbstractItemModel* listModel) {
  PageControl1 = Named(new QTabWidget(client), "PageControl1");
  PageControl1->setGeometry(4, 76, 597, 209);

  for (size_t p = 0; p < kResultLists.size(); ++p) {
    const ResultList& list = kResultLists[p];
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet%1").arg(p + 1));
    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(4);
    PageControl1->addTab(page, Text(list.pageCaption));

    if (p == kPlayInfoPage) {
      ResultListView = MakeGameList(page, list, listModel);
      layout->addWidget(ResultListView);
      continue;
    }

    QTreeWidget* view = MakeOwnedList(page, list);
    layout->addWidget(view);
    switch (p) {
      case kBonusPage: BListView = view; break;
      case kRen3Page: Ren3ListView = view; break;
      case kRenPage: RenListView = view; break;
      case kKoyakuPage: KoyakuListView = view; break;
      case kRTCancelPage: RTCancelListView = view; break;
      default: break;
    }
    if (p != kBonusPage) view->setFixedWidth(ListWidth(list));  // the pie takes the rest
  }
  PageControl1->setCurrentIndex(0);
}

void MainFormLayout::BuildCharts(QWidget* client) {
  Charts = std::make_unique<ResultCharts>(
      client, PageControl1->widget(kRen3Page), PageControl1->widget(kRenPage),
      PageControl1->widget(kKoyakuPage), PageControl1->widget(kRTCancelPage));
  Charts->SlumpChart2()->setGeometry(4, 284, 597, 149);
  Charts->SlumpChart()->setGeometry(4, 428, 597, 217);
  Charts->SlumpChart()->raise();
  const std::pair<int, QWidget*> pies[] = {{kRen3Page, Charts->Ren3Chart()},
                                           {kRenPage, Charts->RenChart()},
                                           {kKoyakuPage, Charts->KoyakuChart()},
                                           {kRTCancelPage, Charts->RTCancelChart()}};
  for (const auto& [page, pie] : pies) {
    PageControl1->widget(page)->layout()->addWidget(pie);
  }
}

void MainFormLayout::BuildMarkerBoxes(QWidget* client) {
  auto* group = Named(new ClassicGroupBox(Text(wintext::kMarkerGroup), client), "GroupBox1");
  group->setGeometry(4, 644, 597, 57);
  constexpr int kPerRow = 5;
  auto place = [](QCheckBox* box, int slot) {
    box->move(8 + (slot % kPerRow) * 116, 16 + (slot / kPerRow) * 19);
    box->adjustSize();
  };
  for (int m = 0; m < kMarkerSeriesCount; ++m) {
    const MarkerSeriesStyle& style = kMarkerSeriesStyles[static_cast<size_t>(m)];
    const std::string_view caption = MarkerCaption(style.role);
    auto* box =
        Named(new QCheckBox(
                  QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())), group),
              style.checkBoxName);
    place(box, m);
    MarkerBoxes[static_cast<size_t>(m)] = box;
  }
  // The last place of the second row.
  ExpectedCheckBox = Named(new QCheckBox(Text(wintext::kExpectedBox), group), "ExpectedCheckBox");
  place(ExpectedCheckBox, kMarkerSeriesCount);
}

void MainFormLayout::BuildStatusBar(QMainWindow* window, QWidget* client) {
  StatusBar1 = Named(new StatusPanels(client), "StatusBar1");
  StatusBar1->setGeometry(0, kClientHeight - StatusPanels::kHeight, kClientWidth,
                          StatusPanels::kHeight);

  ProgressBar1 = Named(new QProgressBar(client), "ProgressBar1");
  ProgressBar1->setRange(0, 100);
  ProgressBar1->setValue(0);
  ProgressBar1->setTextVisible(false);
  ProgressBar1->setGeometry(352, 704, 137, 21);
  ProgressBar1->raise();

  Timer1 = Named(new QTimer(window), "Timer1");
  Timer1->setInterval(kTimerPeriodMs);
  Timer1->start();
}

}  // namespace sorimu
