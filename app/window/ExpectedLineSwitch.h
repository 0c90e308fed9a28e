#pragma once

#include "ExpectedLine.h"
#include "ShownRun.h"

class QCheckBox;

namespace sorimu {

class ResultCharts;

// The 期待差枚 box of the marker group and the expected-balance line it
// switches on the slump graph. The box is enabled while the run on display
// gets a line (its tool tip says why not otherwise) and keeps its state
// through later displays, as the marker boxes do. The line is worked out
// only while the box is on, once per run and level.
class ExpectedLineSwitch {
 public:
  ExpectedLineSwitch(QCheckBox* box, ResultCharts& charts);

  // A run was displayed, which emptied the chart's series.
  void Displayed(const ShownRun& shown);
  // What is known of the run on display may have changed: the setting check.
  void Refresh(const ShownRun& shown);
  // The box was switched.
  void Switched();

 private:
  void Offer(const LineOffer& offer);
  void Update();

  QCheckBox* box_;
  ResultCharts& charts_;
  LineOffer offer_;
  bool drawn_ = false;  // the chart holds the line of offer_
};

}  // namespace sorimu
