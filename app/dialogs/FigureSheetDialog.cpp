#include "FigureSheetDialog.h"

#include <qcustomplot.h>

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "ChartPictures.h"
#include "CountTicker.h"
#include "HallText.h"
#include "HallTexts.h"
#include "Messages.h"
#include "Named.h"
#include "QtText.h"
#include "ResultLists.h"
#include "RunExports.h"
#include "SettingColours.h"
#include "TheoryTable.h"
#include "WindowTexts.h"
#include "desktop/Dialogs.h"

namespace sorimu {

FigureSheetDialog::FigureSheetDialog(Dialogs& dialogs, QWidget* parent)
    : QDialog(parent),
      dialogs_(dialogs),
      figures_(theory::DefaultLongRun()),
      csvName_(Text(wintext::kInitialSheetCsvName)),
      imageName_(Text(wintext::kInitialSheetImageName)) {
  setObjectName(QStringLiteral("FigureSheetDialog"));
  setWindowTitle(Text(wintext::kSheetTitle));
  setModal(false);
  setSizeGripEnabled(true);
  for (int s = 1; s <= theory::kSettingCount; ++s) {
    tails_.push_back(theory::ComputeDryStretchTail(theory::DefaultCycleModel(s), kTailGames));
    volatility_.push_back(theory::ComputeVolatility(theory::DefaultCycleModel(s)));
  }

  SheetTable = Named(new QTableWidget(this), "SheetTable");
  SheetTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
  SheetTable->verticalHeader()->hide();
  SheetTable->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
  SheetTable->setWordWrap(false);
  // Taking the focus on opening, it would mark its first cell as current.
  SheetTable->setFocusPolicy(Qt::ClickFocus);
  VolatilityTable = Named(new QTableWidget(this), "VolatilityTable");
  VolatilityTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
  VolatilityTable->verticalHeader()->hide();
  VolatilityTable->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
  VolatilityTable->setWordWrap(false);
  VolatilityTable->setFocusPolicy(Qt::ClickFocus);
  FillTable();

  BonusesButton =
      Named(new QRadioButton(Text(wintext::kSheetBetweenBonuses), this), "BonusesButton");
  FirstHitsButton =
      Named(new QRadioButton(Text(wintext::kSheetBetweenFirstHits), this), "FirstHitsButton");
  auto* stretches = new QButtonGroup(this);
  stretches->addButton(BonusesButton);
  stretches->addButton(FirstHitsButton);
  BonusesButton->setChecked(true);
  BuildPlot();

  auto* switches = new QHBoxLayout;
  switches->addWidget(BonusesButton);
  switches->addWidget(FirstHitsButton);
  switches->addStretch();
  auto* plotSide = new QWidget(this);
  auto* plotLayout = new QVBoxLayout(plotSide);
  plotLayout->setContentsMargins(0, 0, 0, 0);
  plotLayout->addLayout(switches);
  plotLayout->addWidget(TailPlot, 1);

  auto* tableSide = new QWidget(this);
  auto* tableLayout = new QVBoxLayout(tableSide);
  tableLayout->setContentsMargins(0, 0, 0, 0);
  tableLayout->addWidget(SheetTable, 1);
  tableLayout->addWidget(new QLabel(Text(halltext::kVolatilityLabel), tableSide));
  tableLayout->addWidget(VolatilityTable);
  auto* splitter = new QSplitter(Qt::Horizontal, this);
  splitter->addWidget(tableSide);
  splitter->addWidget(plotSide);
  splitter->setStretchFactor(0, 0);
  splitter->setStretchFactor(1, 1);

  auto* note = Named(new QLabel(Text(wintext::kSheetNote), this), "NoteLabel");
  StatusLabel = Named(new QLabel(this), "StatusLabel");
  CsvButton = Named(new QPushButton(Text(wintext::kSheetCsv), this), "CsvButton");
  ImageButton = Named(new QPushButton(Text(wintext::kSheetImage), this), "ImageButton");
  CloseButton = Named(new QPushButton(Text(wintext::kSheetClose), this), "CloseButton");
  CloseButton->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(StatusLabel, 1);
  buttons->addWidget(CsvButton);
  buttons->addWidget(ImageButton);
  buttons->addWidget(CloseButton);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(splitter, 1);
  layout->addWidget(note);
  layout->addLayout(buttons);

  // The table takes the width of its columns, the plot the rest.
  int tableWidth = 0;
  for (QTableWidget* table : {SheetTable, VolatilityTable}) {
    int width = 2 * table->frameWidth() + 4;
    for (int c = 0; c < table->columnCount(); ++c) width += table->columnWidth(c);
    tableWidth = std::max(tableWidth, width);
  }
  SheetTable->setMinimumWidth(tableWidth);
  VolatilityTable->setMinimumWidth(tableWidth);
  FitTableHeight(VolatilityTable);
  resize(tableWidth + 560, 420 + VolatilityTable->height());
  splitter->setSizes({tableWidth, 540});

  connect(FirstHitsButton, &QRadioButton::toggled, this, &FigureSheetDialog::ShowStretches);
  connect(CsvButton, &QPushButton::clicked, this, &FigureSheetDialog::CsvClick);
  connect(ImageButton, &QPushButton::clicked, this, &FigureSheetDialog::ImageClick);
  connect(CloseButton, &QPushButton::clicked, this, &QDialog::close);
}

FigureSheetDialog::~FigureSheetDialog() = default;

void FigureSheetDialog::FillTable() {
  sorimu::FillTable(SheetTable, theory::SpecSheetRows(figures_));
  SheetTable->resizeColumnsToContents();
  sorimu::FillTable(VolatilityTable, theory::VolatilityRows(volatility_));
  VolatilityTable->resizeColumnsToContents();
}

void FigureSheetDialog::BuildPlot() {
  TailPlot = Named(new QCustomPlot(this), "TailPlot");
  TailPlot->setMinimumSize(420, 320);
  TailPlot->plotLayout()->insertRow(0);
  auto* title = new QCPTextElement(TailPlot, QString(), QFont(font().family(), 10));
  title->setObjectName(QStringLiteral("TailTitle"));
  TailPlot->plotLayout()->addElement(0, 0, title);
  TailPlot->xAxis->setLabel(Text(wintext::kSheetTailXAxis));
  TailPlot->yAxis->setLabel(Text(wintext::kSheetTailYAxis));
  TailPlot->xAxis->setRange(0, kTailGames);
  TailPlot->yAxis->setRange(0, 100);
  UseCountTicks(TailPlot->xAxis);
  UseCountTicks(TailPlot->yAxis);
  for (const theory::DryStretchTail& tail : tails_) {
    QCPGraph* graph = TailPlot->addGraph();
    graph->setName(Text(wintext::kSettingColumn).arg(tail.Setting));
    graph->setPen(QPen(SettingColour(tail.Setting), 2));
  }
  TailPlot->legend->setVisible(true);
  TailPlot->axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignTop | Qt::AlignRight);
  ShowStretches(false);
}

void FigureSheetDialog::ShowStretches(bool betweenFirstHits) {
  firstHits_ = betweenFirstHits;
  for (size_t s = 0; s < tails_.size(); ++s) {
    QVector<double> games, percent;
    games.reserve(kTailGames + 1);
    percent.reserve(kTailGames + 1);
    for (int32_t n = 0; n <= kTailGames; ++n) {
      const theory::Real chance = betweenFirstHits ? tails_[s].BetweenFirstHitsAtLeast(n)
                                                   : tails_[s].BetweenBonusesAtLeast(n);
      games << n;
      percent << static_cast<double>(100 * chance);
    }
    TailPlot->graph(static_cast<int>(s))->setData(games, percent, true);
  }
  auto* title = qobject_cast<QCPTextElement*>(TailPlot->plotLayout()->element(0, 0));
  title->setText(
      Text(wintext::kSheetTailTitle) + QStringLiteral(" (") +
      Text(betweenFirstHits ? wintext::kSheetBetweenFirstHits : wintext::kSheetBetweenBonuses) +
      QStringLiteral(")"));
  TailPlot->replot();
}

void FigureSheetDialog::CsvClick() {
  const std::optional<QString> path =
      dialogs_.AskExportPath(this, csvName_, Text(wintext::kCsvFilter));
  if (!path) return;
  csvName_ = *path;
  const ExportResult result = ExportCsvTables(
      LocalPath(*path), {{kSheetCsvSuffix, theory::SpecSheetRows(figures_)},
                         {kTailCsvSuffix, theory::TailCurveRows(tails_, kTailGames)}});
  if (!result.status.Ok()) {
    StatusLabel->clear();
    dialogs_.Error(this, QString::fromStdString(result.status.Message));
    return;
  }
  StatusLabel->setText(Text(wintext::kCsvDoneStatus));
}

void FigureSheetDialog::ImageClick() {
  const std::optional<Dialogs::ImageChoice> choice = dialogs_.AskImagePath(this, imageName_);
  if (!choice) return;
  imageName_ = choice->path;
  const std::optional<std::vector<ExportBytes>> pictures =
      ChartPictures({{kPngSuffix, TailPlot}}, choice->scale);
  if (!pictures) {
    dialogs_.Error(this, Text(wintext::kChartNotDrawable));
    return;
  }
  const ExportResult result =
      ExportFiles(LocalPath(choice->path), *pictures, kImageSaveFailedMessage);
  if (!result.status.Ok()) {
    StatusLabel->clear();
    dialogs_.Error(this, QString::fromStdString(result.status.Message));
    return;
  }
  StatusLabel->setText(Text(wintext::kImageDoneStatus));
}

}  // namespace sorimu
