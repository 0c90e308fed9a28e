// The main window's controls, placed at fixed pixel positions in a client
// area of fixed size, with their names, captions and first values.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QTreeWidget>

#include "ChartData.h"
#include "ListColumns.h"
#include "ResultCharts.h"
#include "ResultListViewData.h"
#include "StatusPanels.h"
#include "Unit1.h"

namespace sorimu {

namespace {

constexpr int kClientWidth = 606;
constexpr int kClientHeight = 724;
constexpr int kTimerPeriodMs = 100;

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

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
  QStringList captions;
  for (int c = 0; c < list.columnCount; ++c) captions << Text(list.columns[c].caption);
  view->setHeaderLabels(captions);
  view->header()->setStretchLastSection(false);
  view->header()->setMinimumSectionSize(16);
  for (int c = 0; c < list.columnCount; ++c) view->setColumnWidth(c, list.columns[c].width);
  return view;
}

}  // namespace

void TMainForm::BuildMenu() {
  MainMenu = Named(new QMenuBar(this), "MainMenu");
  setMenuBar(MainMenu);

  FileMenu = Named(MainMenu->addMenu(Text("ファイル(&F)")), "FileMenu");
  FileOpenMenu = AddEntry(FileMenu, "FileOpenMenu", "開く(&O)");
  FileSaveMenu = AddEntry(FileMenu, "FileSaveMenu", "保存(&S)");
  FileSaveMenu->setEnabled(false);
  N1 = AddSeparator(FileMenu, "N1");
  FileStartMenu = AddEntry(FileMenu, "FileStartMenu", "開始(&G)");
  FileExitMenu = AddEntry(FileMenu, "FileExitMenu", "終了(&X)");

  HelpMenu = Named(MainMenu->addMenu(Text("ヘルプ(&H)")), "HelpMenu");
  HelpAboutMenu = AddEntry(HelpMenu, "HelpAboutMenu", "バージョン情報(&A)");
  HelpManMenu = AddEntry(HelpMenu, "HelpManMenu", "取扱説明書(&C)");
  JWord1 = AddEntry(HelpMenu, "JWord1", "JWordのインストール");
  N2 = AddSeparator(HelpMenu, "N2");
  N3 = AddEntry(HelpMenu, "N3", "ホームページ");
  N4 = AddEntry(HelpMenu, "N4", "広告");

  BuildToolMenu();
}

void TMainForm::BuildToolMenu() {
  // After the menus above, which keep their places and entries.
  ToolMenu = Named(MainMenu->addMenu(Text("ツール(&T)")), "ToolMenu");
  ToolAnalysisMenu = AddEntry(ToolMenu, "ToolAnalysisMenu", "複数回分析(&M)...");
  ToolEstimateMenu = AddEntry(ToolMenu, "ToolEstimateMenu", "設定推測(&E)...");
  N5 = AddSeparator(ToolMenu, "N5");
  ToolCsvMenu = AddEntry(ToolMenu, "ToolCsvMenu", "CSV出力");
  ToolImageMenu = AddEntry(ToolMenu, "ToolImageMenu", "画像保存");
  for (QAction* entry : {ToolEstimateMenu, ToolCsvMenu, ToolImageMenu}) entry->setEnabled(false);
}

void TMainForm::BuildInputs(QWidget* client) {
  Label1 = PlaceLabel(client, "Label1", "Play数", 8, 12);
  PlayNumEdit = PlaceEdit(client, "PlayNumEdit", "1", {48, 8, 73, 20});
  Label2 = PlaceLabel(client, "Label2", "設定", 128, 12);

  FlevelComboBox = Named(new QComboBox(client), "FlevelComboBox");
  FlevelComboBox->setEditable(true);
  FlevelComboBox->setInsertPolicy(QComboBox::NoInsert);  // typing never adds to the list
  FlevelComboBox->addItems({"1", "2", "3", "4", "5", "6", "?"});
  FlevelComboBox->setEditText(QStringLiteral("1"));
  FlevelComboBox->setGeometry(156, 8, 57, 20);

  Label3 = Named(new QLabel(client), "Label3");
  QPalette hintPalette = Label3->palette();
  hintPalette.setColor(QPalette::WindowText, Qt::red);
  Label3->setPalette(hintPalette);
  Label3->setAlignment(Qt::AlignRight | Qt::AlignTop);
  SetHint(QString());

  FlevelButton = PlaceButton(client, "FlevelButton", "設定確認", {156, 32, 57, 21});
  Label6 = PlaceLabel(client, "Label6", "Sim回数", 224, 12);
  SimNumEdit = PlaceEdit(client, "SimNumEdit", "1", {272, 8, 61, 20});
  StartButton = PlaceButton(client, "StartButton", "開始", {272, 32, 63, 41});
  Label4 = PlaceLabel(client, "Label4", "BIGストック", 8, 60);
  BigStockEdit = PlaceEdit(client, "BigStockEdit", "255", {68, 56, 37, 20});
  Label7 = PlaceLabel(client, "Label7", "REGストック", 112, 60);
  RegStockEdit = PlaceEdit(client, "RegStockEdit", "255", {176, 56, 37, 20});

  GroupBox2 = Named(new QGroupBox(Text("シミュレーション結果"), client), "GroupBox2");
  GroupBox2->setGeometry(340, 4, 261, 69);
  ResultLabel = Named(new SummaryLabel(GroupBox2), "ResultLabel");
  ResultLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  ResultLabel->setGeometry(8, 12, 261 - 8 - 2, 69 - 12 - 2);
}

void TMainForm::BuildPages(QWidget* client) {
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
      ResultListView->setModel(resultListModel_);
      // A fixed row height lets the view place millions of rows without
      // measuring any of them.
      QHeaderView* rows = ResultListView->verticalHeader();
      rows->setSectionResizeMode(QHeaderView::Fixed);
      rows->setDefaultSectionSize(fontMetrics().height() + 2);
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

void TMainForm::BuildCharts(QWidget* client) {
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

void TMainForm::BuildMarkerBoxes(QWidget* client) {
  GroupBox1 = Named(new QGroupBox(Text("役出現表示"), client), "GroupBox1");
  GroupBox1->setGeometry(4, 644, 597, 57);

  QCheckBox** boxes[kMarkerSeriesCount] = {&BIGCheckBox,      &REGCheckBox,      &Cherry2CheckBox,
                                           &Cherry4aCheckBox, &Cherry4bCheckBox, &CherryNCheckBox,
                                           &PlumCheckBox,     &BellCheckBox,     &HazureCheckBox};
  constexpr int kPerRow = 5;
  for (int m = 0; m < kMarkerSeriesCount; ++m) {
    const MarkerSeriesStyle& style = kMarkerSeriesStyles[m];
    const std::string_view caption = MarkerCaption(style.role);
    auto* box = Named(
        new QCheckBox(QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())),
                      GroupBox1),
        style.checkBoxName);
    box->move(8 + (m % kPerRow) * 116, 16 + (m / kPerRow) * 19);
    box->adjustSize();
    *boxes[m] = box;
  }
}

void TMainForm::BuildStatusBar(QWidget* client) {
  StatusBar1 = Named(new StatusPanels(client), "StatusBar1");
  StatusBar1->setGeometry(0, kClientHeight - StatusPanels::kHeight, kClientWidth,
                          StatusPanels::kHeight);

  ProgressBar1 = Named(new QProgressBar(client), "ProgressBar1");
  ProgressBar1->setRange(0, 100);
  ProgressBar1->setValue(0);
  ProgressBar1->setTextVisible(false);
  ProgressBar1->setGeometry(352, 704, 137, 21);
  ProgressBar1->raise();

  Timer1 = Named(new QTimer(this), "Timer1");
  Timer1->setInterval(kTimerPeriodMs);
  Timer1->start();
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

}  // namespace sorimu
