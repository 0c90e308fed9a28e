#include "AnalysisFanView.h"

#include <qcustomplot.h>

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <cmath>

#include "FanSeries.h"
#include "ManyRunAnalysis.h"
#include "QtText.h"
#include "Setting.h"
#include "SettingColours.h"
#include "WindowTexts.h"

namespace sorimu {

AnalysisFanView::AnalysisFanView(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("AnalysisFanView"));
  SettingComboBox = new QComboBox(this);
  SettingComboBox->setObjectName(QStringLiteral("FanSettingComboBox"));
  SettingComboBox->setEnabled(false);

  FanPlot = new QCustomPlot(this);
  FanPlot->setObjectName(QStringLiteral("FanPlot"));
  FanPlot->setMinimumSize(360, 260);
  FanPlot->xAxis->setLabel(Text(wintext::kFanXAxis));
  FanPlot->yAxis->setLabel(Text(wintext::kFanYAxis));
  FanPlot->plotLayout()->insertRow(0);
  FanPlot->plotLayout()->addElement(
      0, 0, new QCPTextElement(FanPlot, Text(wintext::kFanTab), QFont(font().family(), 10)));
  const FanTexts texts{Text(wintext::kFanOuter), Text(wintext::kFanInner),
                       Text(wintext::kFanMedian)};
  for (int s = 1; s <= kSettingCount; ++s) {
    const size_t i = SettingIndex(s);
    const QColor colour = SettingColour(s);
    fans_[i] =
        std::make_unique<FanSeries>(layer_, FanPlot, QStringLiteral("Fan%1").arg(s), colour, texts);
    fans_[i]->SetActive(false);
    // Black and dashed: the exact figure stands apart from what the runs did.
    expected_[i] =
        layer_.AddLegendLineSeries(FanPlot, QStringLiteral("Expected%1").arg(s),
                                   Text(wintext::kFanExpected), 0x000000, 2, Qt::DashLine);
    layer_.SetActive(expected_[i], false);
  }
  layer_.SetAxisAutomatic(FanPlot, ChartAxis::Bottom);
  layer_.SetAxisAutomatic(FanPlot, ChartAxis::Left);
  layer_.SetIntegerTicks(FanPlot, ChartAxis::Bottom);
  layer_.SetIntegerTicks(FanPlot, ChartAxis::Left);
  layer_.SetLegendInside(FanPlot, Qt::AlignTop | Qt::AlignLeft);

  NoteLabel = new QLabel(this);
  NoteLabel->setObjectName(QStringLiteral("FanNoteLabel"));
  NoteLabel->setWordWrap(true);

  auto* top = new QHBoxLayout;
  top->addWidget(new QLabel(Text(wintext::kFanSetting), this));
  top->addWidget(SettingComboBox);
  top->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 4, 0, 0);
  layout->addLayout(top);
  layout->addWidget(FanPlot, 1);
  layout->addWidget(NoteLabel);

  connect(SettingComboBox, &QComboBox::currentIndexChanged, this, &AnalysisFanView::ShowSetting);
}

AnalysisFanView::~AnalysisFanView() = default;

const FanSeries& AnalysisFanView::Fan(int setting) const {
  return *fans_[static_cast<size_t>(setting - 1)];
}

SeriesId AnalysisFanView::ExpectedLine(int setting) const {
  return expected_[static_cast<size_t>(setting - 1)];
}

void AnalysisFanView::Clear() {
  const QSignalBlocker quiet(SettingComboBox);
  SettingComboBox->clear();
  SettingComboBox->setEnabled(false);
  for (size_t i = 0; i < fans_.size(); ++i) {
    fans_[i]->Clear();
    fans_[i]->SetActive(false);
    layer_.Clear(expected_[i]);
    layer_.SetActive(expected_[i], false);
    hasExpected_[i] = false;
  }
  NoteLabel->clear();
  FanPlot->replot();
}

void AnalysisFanView::Show(const AnalysisResult& result) {
  Clear();
  const QSignalBlocker quiet(SettingComboBox);
  for (const SettingFigures& figures : result.Settings) {
    if (!IsSettingLevel(figures.Setting)) continue;
    const size_t i = SettingIndex(figures.Setting);
    // Every run starts from nothing at game 0.
    fans_[i]->Fill(figures.Fan, 0, 0);
    XYPoints line;
    line.Add(0, 0);
    for (size_t k = 0; k < figures.Fan.Games.size() && k < figures.ExpectedBalance.size(); ++k) {
      if (!std::isnan(figures.ExpectedBalance[k])) {
        line.Add(figures.Fan.Games[k], figures.ExpectedBalance[k]);
      }
    }
    hasExpected_[i] = line.Size() > 1;
    if (hasExpected_[i]) layer_.AddPoints(expected_[i], std::move(line));
    SettingComboBox->addItem(Text(wintext::kSettingColumn).arg(figures.Setting), figures.Setting);
  }
  SettingComboBox->setEnabled(SettingComboBox->count() > 1);
  ShowSetting(SettingComboBox->count() > 0 ? 0 : -1);
}

void AnalysisFanView::ShowSetting(int index) {
  const int chosen = index >= 0 ? SettingComboBox->itemData(index).toInt() : 0;
  for (int s = 1; s <= kSettingCount; ++s) {
    const size_t i = SettingIndex(s);
    fans_[i]->SetActive(s == chosen);
    layer_.SetActive(expected_[i], s == chosen && hasExpected_[i]);
  }
  const bool noLine = chosen > 0 && !hasExpected_[static_cast<size_t>(chosen - 1)];
  NoteLabel->setText(noLine ? Text(wintext::kFanNoExpected) : QString());
  FanPlot->replot();
}

}  // namespace sorimu
