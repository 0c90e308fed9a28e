#pragma once

#include <cstddef>
#include <memory>

#include "Job.h"
#include "MainPresenter.h"
#include "RunSnapshot.h"

class QLabel;
class QTableView;
class QTreeWidget;

namespace sorimu {

// What the window spends per row on showing a run besides the row itself
// (measured: 30 bytes, most of them the slump line's points and the list
// view's row table; the list reads the rows themselves).
inline constexpr size_t kDisplayBytesPerRow = 32;

class ResultCharts;
class ResultListViewData;

// What shows one run in the main window: the per-game list, the bonus list,
// the four tables with their pies, the charts and the summary. Their
// contents are made from the run's snapshot as a job, off the window's
// thread (plain passes over its rows), and go into the views at once.
class RunDisplay {
 public:
  struct Views {
    QTableView* list;
    ResultListViewData* listModel;
    QTreeWidget* bonuses;
    QTreeWidget* ren3;
    QTreeWidget* ren;
    QTreeWidget* koyaku;
    QTreeWidget* rtCancel;
    QLabel* summary;
    ResultCharts* charts;
  };

  explicit RunDisplay(const Views& views) : views_(views) {}

  // On the job's thread: everything the views need; null once the job is cancelled.
  static std::shared_ptr<PreparedShow> Prepare(const RunRef& run, Job& job);
  // On the window's thread: the run goes in, in place of the one before.
  void Show(const RunRef& run, PreparedShow& prepared);

 private:
  Views views_;
};

}  // namespace sorimu
