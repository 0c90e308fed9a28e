// DisplayResults: every view rebuilt from the current records.
#include <QAction>
#include <QLabel>
#include <QProgressBar>
#include <QTableView>
#include <QTreeWidget>
#include <cassert>

#include "ExpectedLineSwitch.h"
#include "ResultCharts.h"
#include "ResultListViewData.h"
#include "ResultLists.h"
#include "ResultStats.h"
#include "Unit1.h"

namespace sorimu {

namespace {

// (i + 1) / totalGames × 100, truncated; rows include bonus games, so this
// passes 100 before the last row. A foreign file may hold no normal game.
int DisplayProgress(size_t row, int32_t totalGames) {
  if (totalGames <= 0) return 100;
  const double position = static_cast<double>(row + 1) / totalGames * 100.0;
  return position >= 100.0 ? 100 : static_cast<int>(position);
}

}  // namespace

void TMainForm::DisplayResults() {
  const RunRecords& records = session_.Records();
  assert(records.RowCount() > 0);

  // 1. Empty the views. The per-game list is told first, so that it asks
  //    for no row while its texts are rebuilt.
  charts_->ClearSeries();
  for (QTreeWidget* list :
       {BListView, RenListView, KoyakuListView, RTCancelListView, Ren3ListView}) {
    list->clear();
  }
  resultListModel_->BeginRebuild();
  resultTexts_.Clear();
  ResultLabel->clear();

  // 2. The slump graph's bottom axis runs to the last row's normal games.
  charts_->SetSlumpAxis(records.LastRow().PlayCount);

  // 3.
  const ResultStats stats = ComputeResultStats(records);

  // 4. Chart points, list texts and bonus items of every row.
  charts_->AddRunPoints(records);
  FillResultTexts(stats.TotalGames);
  resultListModel_->EndRebuild();
  // A new run is read from its first game, wherever the last one was left.
  ResultListView->scrollToTop();
  FillBonusList(BListView, session_.Records());

  // 5. The expected line follows the slump line, for the run now shown.
  charts_->AddSlumpLine(records);
  expectedLine_->Displayed(session_.Shown());

  // 6. The summary tables, each pie right after its list.
  FillList(Ren3ListView, Ren3Rows(stats));
  charts_->FillRen3Pie(stats);
  FillList(RenListView, RenRows(stats));
  charts_->FillRenPie(stats);
  FillList(KoyakuListView, KoyakuRows(stats));
  charts_->FillKoyakuPie(stats);
  FillList(RTCancelListView, RTCancelRows(stats));
  charts_->FillRTCancelPie(stats);

  // 7., 8. Save and the tools follow the session's state.
  ResultLabel->setText(QString::fromStdString(SummaryText(stats)));
  UpdateCommands();
}

void TMainForm::FillResultTexts(int32_t totalGames) {
  size_t index = 0;
  bool complete = true;
  session_.Records().ForEachRowSpan([&](const RunRow* rows, size_t count) {
    for (size_t i = 0; i < count && complete; ++i, ++index) {
      // Out of memory the list shows the rows it has; its count follows the texts.
      complete = resultTexts_.Append(rows[i]);
      SetProgress(DisplayProgress(index, totalGames));
    }
  });
}

}  // namespace sorimu
