#include "EstimateBox.h"

#include <qcustomplot.h>

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "QtText.h"
#include "WindowTexts.h"

namespace sorimu {

TEstimateBox::TEstimateBox(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("EstimateBox"));
  setWindowTitle(Text(wintext::kEstimateTitle));

  EstimateChart = new QCustomPlot(this);
  EstimateChart->setObjectName(QStringLiteral("EstimateChart"));
  EstimateChart->setMinimumSize(300, 180);
  QSharedPointer<QCPAxisTickerText> ticker(new QCPAxisTickerText);
  for (int s = 1; s <= 6; ++s) ticker->addTick(s, Text(wintext::kSettingColumn).arg(s));
  EstimateChart->xAxis->setTicker(ticker);
  EstimateChart->xAxis->setRange(0.4, 6.6);
  EstimateChart->yAxis->setRange(0, 100);
  EstimateChart->yAxis->setLabel(Text(wintext::kEstimateAxis));
  auto* bars = new QCPBars(EstimateChart->xAxis, EstimateChart->yAxis);
  bars->setWidth(0.6);
  bars->setPen(QPen(QColor(40, 80, 160)));
  bars->setBrush(QColor(90, 140, 220));

  EstimateTable = new QTableWidget(6, 2, this);
  EstimateTable->setObjectName(QStringLiteral("EstimateTable"));
  EstimateTable->setHorizontalHeaderLabels(
      {Text(wintext::kEstimateSettingHeader), Text(wintext::kEstimateProbabilityHeader)});
  EstimateTable->verticalHeader()->hide();
  EstimateTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
  EstimateTable->setSelectionMode(QAbstractItemView::NoSelection);
  EstimateTable->setFocusPolicy(Qt::NoFocus);
  EstimateTable->horizontalHeader()->setStretchLastSection(true);
  EstimateTable->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
  EstimateTable->setFixedHeight(EstimateTable->horizontalHeader()->sizeHint().height() +
                                6 * EstimateTable->verticalHeader()->defaultSectionSize() + 4);

  NoteLabel = new QLabel(this);
  NoteLabel->setObjectName(QStringLiteral("NoteLabel"));
  NoteLabel->setWordWrap(true);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(EstimateChart, 1);
  layout->addWidget(EstimateTable);
  layout->addWidget(NoteLabel);
  layout->addWidget(buttons);
  resize(380, 480);
}

void TEstimateBox::Fill(const SettingEstimate& estimate) {
  QVector<double> keys, percents;
  for (int s = 0; s < 6; ++s) {
    const double percent = estimate.Probability[s] * 100.0;
    keys << s + 1;
    percents << percent;
    auto* setting = new QTableWidgetItem(QString::number(s + 1));
    auto* probability = new QTableWidgetItem(QStringLiteral("%1 %").arg(percent, 0, 'f', 1));
    setting->setTextAlignment(Qt::AlignCenter);
    probability->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    EstimateTable->setItem(s, 0, setting);
    EstimateTable->setItem(s, 1, probability);
  }
  qobject_cast<QCPBars*>(EstimateChart->plottable(0))->setData(keys, percents, true);
  EstimateChart->replot();

  // Which rows carried the estimate, so that an even spread is understood.
  QString note = estimate.UsedStretches == 0
                     ? Text(wintext::kEstimateNoStretch)
                     : Text(wintext::kEstimateUsed).arg(estimate.UsedStretches);
  if (estimate.SkippedStretches > 0) {
    note += Text(wintext::kEstimateSkipped).arg(estimate.SkippedStretches);
  }
  note += Text(wintext::kEstimateMethod);
  NoteLabel->setText(note);
}

}  // namespace sorimu
