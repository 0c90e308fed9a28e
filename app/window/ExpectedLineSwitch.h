#pragma once

#include "ExpectedLine.h"
#include "ShownRun.h"

class QCheckBox;

namespace sorimu {

class MainPresenter;
class ResultCharts;

// The 期待差枚 box of the marker group and the expected-balance line it
// switches on the slump graph. The box is enabled while the run on display
// gets a line (its tool tip says why not otherwise). The user's wish is the
// presenter's and lasts through later displays, as the marker boxes' does;
// the box shows it while enabled and stands unchecked while greyed, since
// no line is drawn then. The line is worked out only while it is wanted and
// offered, once per run and level.
class ExpectedLineSwitch {
 public:
  ExpectedLineSwitch(QCheckBox* box, ResultCharts& charts, MainPresenter& presenter);

  // A run was displayed, which emptied the chart's series.
  void Displayed(const ShownRun& shown);
  // What is known of the run on display may have changed: the setting check.
  void Refresh(const ShownRun& shown);
  // The box was switched: by the user, or by a program, greyed or not.
  void Switched();

 private:
  void Offer(const LineOffer& offer);
  void Update();

  QCheckBox* box_;
  ResultCharts& charts_;
  MainPresenter& presenter_;
  LineOffer offer_;
  bool drawn_ = false;  // the chart holds the line of offer_
};

}  // namespace sorimu
