#include "EstimateBars.h"

#include <qcustomplot.h>

#include <algorithm>
#include <cmath>

#include "HallTexts.h"
#include "Named.h"
#include "QtText.h"
#include "WindowTexts.h"

namespace sorimu {

namespace {

QCPBars* NewBars(QCustomPlot* plot, const char* name, QColor pen, QColor brush) {
  auto* bars = new QCPBars(plot->xAxis, plot->yAxis);
  bars->setName(Text(name));
  bars->setWidth(0.36);
  bars->setPen(QPen(pen));
  bars->setBrush(brush);
  return bars;
}

QVector<double> Percents(const SettingWeights& shares) {
  QVector<double> values;
  for (double share : shares) values << share * 100.0;
  return values;
}

}  // namespace

QCustomPlot* NewEstimateChart(QWidget* parent, const char* name) {
  auto* chart = Named(new QCustomPlot(parent), name);
  chart->setMinimumSize(300, 200);
  QSharedPointer<QCPAxisTickerText> ticker(new QCPAxisTickerText);
  for (int s = 1; s <= kSettingCount; ++s) ticker->addTick(s, Text(wintext::kSettingColumn).arg(s));
  chart->xAxis->setTicker(ticker);
  chart->xAxis->setRange(0.4, kSettingCount + 0.6);
  chart->yAxis->setRange(0, 100);
  chart->yAxis->setLabel(Text(wintext::kEstimateAxis));
  auto* group = new QCPBarsGroup(chart);
  for (QCPBars* bars :
       {NewBars(chart, wintext::kPriorSeries, QColor(110, 110, 110), QColor(190, 190, 190)),
        NewBars(chart, wintext::kPosteriorSeries, QColor(40, 80, 160), QColor(90, 140, 220)),
        NewBars(chart, halltext::kHistoryOnlySeries, QColor(170, 90, 20), QColor(240, 170, 90))}) {
    bars->setBarsGroup(group);
  }
  qobject_cast<QCPBars*>(chart->plottable(2))->setBarsGroup(nullptr);
  chart->plottable(2)->setVisible(false);
  chart->plottable(2)->removeFromLegend();
  chart->legend->setVisible(true);
  chart->axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignTop | Qt::AlignRight);
  return chart;
}

void ShowEstimateBars(QCustomPlot* chart, const SettingEstimate& estimate,
                      const SettingEstimate* second) {
  QVector<double> keys;
  for (int s = 1; s <= kSettingCount; ++s) keys << s;
  const QVector<double> prior = Percents(estimate.Prior);
  const QVector<double> posterior = Percents(estimate.Probability);
  const QVector<double> other = second != nullptr ? Percents(second->Probability) : prior;
  qobject_cast<QCPBars*>(chart->plottable(0))->setData(keys, prior, true);
  qobject_cast<QCPBars*>(chart->plottable(1))->setData(keys, posterior, true);
  auto* bars = qobject_cast<QCPBars*>(chart->plottable(2));
  if (second != nullptr) {
    bars->setData(keys, other, true);
  } else {
    bars->data()->clear();
  }
  bars->setVisible(second != nullptr);
  // A group spaces every bar it holds, shown or not.
  bars->setBarsGroup(second != nullptr ? qobject_cast<QCPBars*>(chart->plottable(0))->barsGroup()
                                       : nullptr);
  for (int series = 0; series < 3; ++series) {
    qobject_cast<QCPBars*>(chart->plottable(series))->setWidth(second != nullptr ? 0.26 : 0.36);
  }
  if (second != nullptr) {
    bars->addToLegend();
  } else {
    bars->removeFromLegend();
  }
  // Room above the tallest bar for the legend, in steps of ten.
  double tallest = 0;
  for (const QVector<double>* values : {&prior, &posterior, &other}) {
    tallest = std::max(tallest, *std::max_element(values->begin(), values->end()));
  }
  chart->yAxis->setRange(0, std::min(100.0, 10.0 * std::ceil(tallest * 1.3 / 10.0)));
  chart->replot();
}

}  // namespace sorimu
