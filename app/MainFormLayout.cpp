// The main window's controls, placed at fixed pixel positions in a client
// area of fixed size, with their names, captions and first values.
#include "MainFormLayout.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>

#include "AboutBox.h"
#include "ChartData.h"
#include "ClassicFrames.h"
#include "ListCellDelegate.h"
#include "ListColumns.h"
#include "Named.h"
#include "QtText.h"
#include "ResultCharts.h"
#include "RoleCaptions.h"
#include "Setting.h"
#include "StatusPanels.h"
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
constexpr int kSmallestHintPixels = 9;

// Labels size themselves to their text.
QLabel* PlaceLabel(QWidget* parent, const char* name, const char* text, int left, int top) {
  auto* label = Named(new QLabel(Text(text), parent), name);
  label->move(left, top);
  label->adjustSize();
  return label;
}

QLineEdit* PlaceEdit(QWidget* parent, const char* name, const char* text, const QRect& place) {
  auto* edit = Named(new QLineEdit(Text(text), parent), name);
  edit->setGeometry(place);
  return edit;
}

QPushButton* PlaceButton(QWidget* parent, const char* name, const char* text, const QRect& place) {
  auto* button = Named(new QPushButton(Text(text), parent), name);
  button->setGeometry(place);
  return button;
}

// The summary's four lines at the pitch of the window's own face. Faces with
// a taller line (Noto's is 17 pixels at this size) would push the last line
// out of its group box.
class SummaryLabel final : public QLabel {
 public:
  using QLabel::QLabel;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const int em = QFontInfo(font()).pixelSize();
    const int pitch = em + 1;
    const QStringList lines = text().split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) painter.drawText(0, em + i * pitch, lines[i]);
  }
};

QAction* AddEntry(QMenu* menu, const char* name, const char* text) {
  return Named(menu->addAction(Text(text)), name);
}

QAction* AddSeparator(QMenu* menu, const char* name) { return Named(menu->addSeparator(), name); }

int ListWidth(const ResultList& list) {
  int width = 0;
  for (int c = 0; c < list.columnCount; ++c) width += list.columns[c].width;
  return width + 24;  // frame and a vertical scroll bar
}

QTreeWidget* MakeOwnedList(QWidget* page, const ResultList& list) {
  auto* view = Named(new QTreeWidget(page), list.listName);
  view->setRootIsDecorated(false);
  view->setItemsExpandable(false);
  view->setUniformRowHeights(true);
  view->setAllColumnsShowFocus(true);
  view->setColumnCount(list.columnCount);
  view->setItemDelegate(new ListCellDelegate(view));
  QStringList captions;
  for (int c = 0; c < list.columnCount; ++c) captions << Text(list.columns[c].caption);
  view->setHeaderLabels(captions);
  view->header()->setStretchLastSection(false);
  view->header()->setMinimumSectionSize(16);
  for (int c = 0; c < list.columnCount; ++c) view->setColumnWidth(c, list.columns[c].width);
  return view;
}

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
  N2 = AddSeparator(HelpMenu, "N2");
  N3 = AddEntry(HelpMenu, "N3", kHelpHomePage);
  N4 = AddEntry(HelpMenu, "N4", kHelpAd);

  // Before ヘルプ, where users look for tools; the other menus keep their entries.
  ToolMenu = Named(new QMenu(Text(kToolMenu), MainMenu), "ToolMenu");
  MainMenu->insertMenu(HelpMenu->menuAction(), ToolMenu);
  ToolAnalysisMenu = AddEntry(ToolMenu, "ToolAnalysisMenu", kToolAnalysis);
  ToolFigureSheetMenu = AddEntry(ToolMenu, "ToolFigureSheetMenu", kToolFigureSheet);
  ToolEstimateMenu = AddEntry(ToolMenu, "ToolEstimateMenu", kToolEstimate);
  N5 = AddSeparator(ToolMenu, "N5");
  ToolCsvMenu = AddEntry(ToolMenu, "ToolCsvMenu", kToolCsv);
  ToolImageMenu = AddEntry(ToolMenu, "ToolImageMenu", kToolImage);
  for (QAction* entry : {ToolEstimateMenu, ToolCsvMenu, ToolImageMenu}) entry->setEnabled(false);
}

void MainFormLayout::ShowHint(const QString& text) {
  // The note ends at x = 149, under the setting box. Where the face draws it
  // wider than the room from the first column to there, it takes a smaller
  // size, so that it neither runs to the window's edge nor loses its spacing.
  QFont hintFont = Label3->parentWidget()->font();
  const int room = kHintRightEdge - kLeftColumn;
  for (int pixels = QFontInfo(hintFont).pixelSize();
       pixels > kSmallestHintPixels && QFontMetrics(hintFont).horizontalAdvance(text) > room;) {
    hintFont.setPixelSize(--pixels);
  }
  Label3->setFont(hintFont);
  Label3->setText(text);
  Label3->adjustSize();
  Label3->move(std::max(0, kHintRightEdge - Label3->width()), kHintTop);
}

void MainFormLayout::BuildInputs(QWidget* client) {
  using namespace wintext;
  Label1 = PlaceLabel(client, "Label1", kPlayNumLabel, 8, 12);
  PlayNumEdit = PlaceEdit(client, "PlayNumEdit", "1", {48, 8, 73, 20});
  Label2 = PlaceLabel(client, "Label2", kFlevelLabel, 128, 12);

  FlevelComboBox = Named(new QComboBox(client), "FlevelComboBox");
  FlevelComboBox->setEditable(true);
  FlevelComboBox->setInsertPolicy(QComboBox::NoInsert);  // typing never adds to the list
  for (int s = 1; s <= kSettingCount; ++s) FlevelComboBox->addItem(QString::number(s));
  FlevelComboBox->addItem(QStringLiteral("?"));
  FlevelComboBox->setEditText(QStringLiteral("1"));
  FlevelComboBox->setGeometry(156, 8, 57, 20);

  Label3 = Named(new QLabel(client), "Label3");
  QPalette hintPalette = Label3->palette();
  hintPalette.setColor(QPalette::WindowText, Qt::red);
  Label3->setPalette(hintPalette);
  Label3->setAlignment(Qt::AlignRight | Qt::AlignTop);
  ShowHint(QString());

  FlevelButton = PlaceButton(client, "FlevelButton", kFlevelButton, {156, 32, 57, 21});
  Label6 = PlaceLabel(client, "Label6", kSimNumLabel, 224, 12);
  SimNumEdit = PlaceEdit(client, "SimNumEdit", "1", {272, 8, 61, 20});
  StartButton = PlaceButton(client, "StartButton", kStartButton, {272, 32, 63, 41});
  // Over the Start button, which a run disables; shown only while a long run
  // can be stopped.
  CancelButton = PlaceButton(client, "CancelButton", kCancelButton, {272, 32, 63, 41});
  CancelButton->hide();
  Label4 = PlaceLabel(client, "Label4", kBigStockLabel, 8, 60);
  BigStockEdit = PlaceEdit(client, "BigStockEdit", "255", {68, 56, 37, 20});
  Label7 = PlaceLabel(client, "Label7", kRegStockLabel, 112, 60);
  RegStockEdit = PlaceEdit(client, "RegStockEdit", "255", {176, 56, 37, 20});

  GroupBox2 = Named(new ClassicGroupBox(Text(kResultGroup), client), "GroupBox2");
  GroupBox2->setGeometry(340, 4, 261, 69);
  ResultLabel = Named(new SummaryLabel(GroupBox2), "ResultLabel");
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
      ResultListView = Named(new QTableView(page), list.listName);
      ResultListView->setModel(listModel);
      ResultListView->setItemDelegate(new ListCellDelegate(ResultListView));
      // A fixed row height lets the view place millions of rows without
      // measuring any of them.
      QHeaderView* rows = ResultListView->verticalHeader();
      rows->setSectionResizeMode(QHeaderView::Fixed);
      rows->setDefaultSectionSize(ResultListView->fontMetrics().height() + 2);
      rows->hide();
      QHeaderView* columns = ResultListView->horizontalHeader();
      columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
      columns->setStretchLastSection(false);
      columns->setMinimumSectionSize(16);  // "ＺＴ" is only 30 pixels wide
      for (int c = 0; c < list.columnCount; ++c) {
        ResultListView->setColumnWidth(c, list.columns[c].width);
      }
      ResultListView->setShowGrid(false);
      ResultListView->setWordWrap(false);
      ResultListView->setSelectionBehavior(QAbstractItemView::SelectRows);
      ResultListView->setSelectionMode(QAbstractItemView::SingleSelection);
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
  charts_ = std::make_unique<ResultCharts>(
      client, PageControl1->widget(kRen3Page), PageControl1->widget(kRenPage),
      PageControl1->widget(kKoyakuPage), PageControl1->widget(kRTCancelPage));
  charts_->SlumpChart2()->setGeometry(4, 284, 597, 149);
  charts_->SlumpChart()->setGeometry(4, 428, 597, 217);
  charts_->SlumpChart()->raise();
  const std::pair<int, QWidget*> pies[] = {{kRen3Page, charts_->Ren3Chart()},
                                           {kRenPage, charts_->RenChart()},
                                           {kKoyakuPage, charts_->KoyakuChart()},
                                           {kRTCancelPage, charts_->RTCancelChart()}};
  for (const auto& [page, pie] : pies) {
    PageControl1->widget(page)->layout()->addWidget(pie);
  }
}

void MainFormLayout::BuildMarkerBoxes(QWidget* client) {
  GroupBox1 = Named(new ClassicGroupBox(Text(wintext::kMarkerGroup), client), "GroupBox1");
  GroupBox1->setGeometry(4, 644, 597, 57);

  QCheckBox** boxes[kMarkerSeriesCount] = {&BIGCheckBox,      &REGCheckBox,      &Cherry2CheckBox,
                                           &Cherry4aCheckBox, &Cherry4bCheckBox, &CherryNCheckBox,
                                           &PlumCheckBox,     &BellCheckBox,     &HazureCheckBox};
  constexpr int kPerRow = 5;
  auto place = [](QCheckBox* box, int slot) {
    box->move(8 + (slot % kPerRow) * 116, 16 + (slot / kPerRow) * 19);
    box->adjustSize();
  };
  for (int m = 0; m < kMarkerSeriesCount; ++m) {
    const MarkerSeriesStyle& style = kMarkerSeriesStyles[m];
    const std::string_view caption = MarkerCaption(style.role);
    auto* box = Named(
        new QCheckBox(QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())),
                      GroupBox1),
        style.checkBoxName);
    place(box, m);
    *boxes[m] = box;
  }
  // The last place of the second row.
  ExpectedCheckBox =
      Named(new QCheckBox(Text(wintext::kExpectedBox), GroupBox1), "ExpectedCheckBox");
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
