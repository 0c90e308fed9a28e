#pragma once

#include "SettingEstimate.h"

class QCustomPlot;
class QWidget;

namespace sorimu {

// The bars of a setting estimate: the prior in grey beside the estimate in
// colour, and, where asked, a second estimate of the same run beside them
// (the one from its bonus list alone). Series 0 is the prior, 1 the
// estimate, 2 the second estimate.
QCustomPlot* NewEstimateChart(QWidget* parent, const char* name);
// `second` null: its bars and their legend entry go.
void ShowEstimateBars(QCustomPlot* chart, const SettingEstimate& estimate,
                      const SettingEstimate* second = nullptr);

}  // namespace sorimu
