#pragma once

#include <QWidget>
#include <array>
#include <memory>

#include "ChartLayer.h"
#include "Setting.h"

class QComboBox;
class QCustomPlot;
class QLabel;

namespace sorimu {

struct AnalysisResult;
class FanSeries;

// The balance against games played over the runs of one setting of an
// analysis: the 5–95 % and 25–75 % bands, the median and the exact expected
// balance over them. The settings analysed are chosen from a list; each is
// drawn in its own colour, as in the histogram.
class AnalysisFanView final : public QWidget {
  Q_OBJECT

 public:
  explicit AnalysisFanView(QWidget* parent = nullptr);
  ~AnalysisFanView() override;

  void Show(const AnalysisResult& result);
  void Clear();

  // The fan of each setting ("Fan<s>P5" ...) and its expected line ("Expected<s>").
  const FanSeries& Fan(int setting) const;
  SeriesId ExpectedLine(int setting) const;
  ChartLayer& Layer() { return layer_; }

  QComboBox* SettingComboBox = nullptr;
  QCustomPlot* FanPlot = nullptr;
  QLabel* NoteLabel = nullptr;

 private:
  void ShowSetting(int index);

  ChartLayer layer_;
  std::array<std::unique_ptr<FanSeries>, kSettingCount> fans_;
  std::array<SeriesId, kSettingCount> expected_{};
  std::array<bool, kSettingCount> hasExpected_{};
};

}  // namespace sorimu
