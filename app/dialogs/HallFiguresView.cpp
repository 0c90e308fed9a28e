#include "HallFiguresView.h"

#include <qcustomplot.h>

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>
#include <iterator>

#include "CountTicker.h"
#include "HallData.h"
#include "HallText.h"
#include "HallTexts.h"
#include "Named.h"
#include "QtText.h"
#include "ResultLists.h"
#include "SettingColours.h"
#include "WindowTexts.h"

namespace sorimu {

namespace {

QTableWidget* NewFigureTable(QWidget* parent, const char* name) {
  auto* table = Named(new QTableWidget(parent), name);
  table->verticalHeader()->hide();
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setWordWrap(false);
  table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 4);
  return table;
}

}  // namespace

HallFiguresView::HallFiguresView(QWidget* parent) : QObject(parent) {
  SincePage = new QWidget(parent);
  SinceCaptionLabel = Named(new QLabel(SincePage), "SinceCaptionLabel");
  RateCombo = Named(new QComboBox(SincePage), "RateComboBox");
  for (const theory::ExchangeRate& rate : theory::kExchangeRates)
    RateCombo->addItem(Text(rate.Name));
  RateLabel = Named(new QLabel(SincePage), "RateLabel");
  auto* rateRow = new QHBoxLayout;
  rateRow->addWidget(SinceCaptionLabel, 1);
  rateRow->addWidget(new QLabel(Text(halltext::kRateLabel), SincePage));
  rateRow->addWidget(RateCombo);
  rateRow->addWidget(RateLabel);
  SinceTable = NewFigureTable(SincePage, "SinceTable");
  auto* sinceLayout = new QVBoxLayout(SincePage);
  sinceLayout->addLayout(rateRow);
  sinceLayout->addWidget(SinceTable, 1);

  QuitPage = new QWidget(parent);
  QuitCaptionLabel = Named(new QLabel(QuitPage), "QuitCaptionLabel");
  QuitPlot = Named(new QCustomPlot(QuitPage), "QuitPlot");
  QuitPlot->setMinimumSize(360, 220);
  QuitPlot->xAxis->setLabel(Text(halltext::kQuitXAxis));
  QuitPlot->yAxis->setLabel(Text(halltext::kQuitYAxis));
  UseCountTicks(QuitPlot->xAxis);
  UseCountTicks(QuitPlot->yAxis);
  for (int s = 1; s <= theory::kSettingCount; ++s) {
    QCPGraph* graph = QuitPlot->addGraph();
    graph->setName(Text(wintext::kSettingColumn).arg(s));
    graph->setPen(QPen(SettingColour(s), 2));
  }
  QCPGraph* mix = QuitPlot->addGraph();
  mix->setName(Text(halltext::kMixSeries));
  mix->setPen(QPen(Qt::black, 2, Qt::DashLine));
  QuitPlot->legend->setVisible(true);
  QuitPlot->axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignTop | Qt::AlignLeft);
  QuitTable = NewFigureTable(QuitPage, "QuitTable");
  auto* quitLayout = new QVBoxLayout(QuitPage);
  quitLayout->addWidget(QuitCaptionLabel);
  quitLayout->addWidget(QuitPlot, 3);
  quitLayout->addWidget(QuitTable, 2);

  connect(RateCombo, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (index >= 0) SetRate(static_cast<size_t>(index));
  });
  Refill();
}

void HallFiguresView::SetRate(size_t rate) {
  if (rate >= std::size(theory::kExchangeRates)) return;
  rate_ = rate;
  if (RateCombo->currentIndex() != static_cast<int>(rate)) {
    RateCombo->setCurrentIndex(static_cast<int>(rate));
  }
  Refill();
}

void HallFiguresView::Show(const HallFigures* figures, int32_t since) {
  figures_ = figures;
  since_ = since;
  Refill();
  FillQuitPlot();
}

void HallFiguresView::Refill() {
  const theory::ExchangeRate& rate = theory::kExchangeRates[rate_];
  // Every yen figure is shown with the rate it was priced at.
  RateLabel->setText(Text(theory::RateCaption(rate)));
  if (figures_ == nullptr) {
    SinceCaptionLabel->setText(Text(halltext::kWorking));
    QuitCaptionLabel->setText(Text(halltext::kWorking));
    SinceTable->clear();
    SinceTable->setRowCount(0);
    QuitTable->clear();
    QuitTable->setRowCount(0);
    return;
  }
  const HallFigures& f = *figures_;
  SinceCaptionLabel->setText(Text(theory::SinceCaption(since_, f.After)));
  FillTable(SinceTable, theory::SinceTableRows(f.Dry, f.Mix.Weights, since_, f.Mix.Caption, rate));
  SinceTable->resizeColumnsToContents();
  QuitCaptionLabel->setText(Text(theory::QuitCaption(f.QuitAfter)));
  FillTable(QuitTable, theory::QuitTableRows(f.Quit, f.Mix.Caption));
  QuitTable->resizeColumnsToContents();
}

void HallFiguresView::FillQuitPlot() {
  const int graphs = QuitPlot->graphCount();
  if (figures_ == nullptr) {
    for (int g = 0; g < graphs; ++g) QuitPlot->graph(g)->data()->clear();
    QuitPlot->replot();
    return;
  }
  const theory::QuitCurve& curve = figures_->Quit;
  auto fill = [&](QCPGraph* graph, const std::vector<theory::Real>& balance) {
    QVector<double> games, values;
    for (size_t k = 0; k < balance.size(); ++k) {
      games << static_cast<double>(k + 1);
      values << static_cast<double>(balance[k]);
    }
    graph->setData(games, values, true);
  };
  for (size_t s = 0; s < curve.Balance.size(); ++s) {
    fill(QuitPlot->graph(static_cast<int>(s)), curve.Balance[s]);
  }
  QCPGraph* mix = QuitPlot->graph(graphs - 1);
  fill(mix, curve.Mix);
  mix->setVisible(!figures_->Mix.Caption.empty());
  mix->setName(Text(figures_->Mix.Caption));
  QuitPlot->xAxis->setRange(0, curve.Games);
  QuitPlot->yAxis->rescale();
  QuitPlot->yAxis->scaleRange(1.1);
  QuitPlot->replot();
}

}  // namespace sorimu
