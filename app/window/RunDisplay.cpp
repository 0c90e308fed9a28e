#include "RunDisplay.h"

#include <QLabel>
#include <QTableView>
#include <QTreeWidget>

#include "ListColumns.h"
#include "ResultCharts.h"
#include "ResultListViewData.h"
#include "ResultLists.h"
#include "ResultStats.h"

namespace sorimu {

namespace {

struct Prepared final : PreparedShow {
  ~Prepared() override { qDeleteAll(bonuses.items); }  // when never shown

  ResultStats stats;
  std::string summary;
  std::vector<TableRow> ren3, ren, koyaku, rtCancel;
  BonusItems bonuses;
  RunChartPoints points;
};

}  // namespace

std::shared_ptr<PreparedShow> RunDisplay::Prepare(const RunRef& run, Job& job) {
  auto prepared = std::make_shared<Prepared>();
  const RunRecords& records = run->Records;
  // Three passes over the rows that share nothing, side by side.
  job.ParallelFor(3, 0, [&](int64_t part) {
    switch (part) {
      case 0:
        prepared->stats = ComputeResultStats(records);
        prepared->ren3 = Ren3Rows(prepared->stats);
        prepared->ren = RenRows(prepared->stats);
        prepared->koyaku = KoyakuRows(prepared->stats);
        prepared->rtCancel = RTCancelRows(prepared->stats);
        prepared->summary = SummaryText(prepared->stats);
        break;
      case 1:
        // The slump line reads the rows of the snapshot, which it holds.
        prepared->points =
            ResultCharts::CollectPoints(std::shared_ptr<const RunRecords>(run, &run->Records));
        break;
      default: prepared->bonuses = MakeBonusList(records); break;
    }
  });
  if (job.Cancelled()) return nullptr;
  return prepared;
}

void RunDisplay::Show(const RunRef& run, PreparedShow& prepared) {
  auto& views = static_cast<Prepared&>(prepared);
  ResultCharts& charts = *views_.charts;
  charts.ClearSeries();
  for (QTreeWidget* list :
       {views_.bonuses, views_.ren, views_.koyaku, views_.rtCancel, views_.ren3}) {
    list->clear();
  }
  views_.summary->clear();

  // The slump graph's bottom axis runs to the last row's normal games.
  charts.SetSlumpAxis(run->Records.LastRow().PlayCount);
  charts.AddRunPoints(views.points);
  views_.listModel->Show(run);
  // A new run is read from its first game, wherever the last one was left.
  views_.list->scrollToTop();
  ShowBonusList(views_.bonuses, views.bonuses);
  charts.AddSlumpLine(std::move(views.points.slump));

  // The summary tables, each pie right after its list.
  FillList(views_.ren3, views.ren3, kResultLists[kRen3Page]);
  charts.FillRen3Pie(views.stats);
  FillList(views_.ren, views.ren, kResultLists[kRenPage]);
  charts.FillRenPie(views.stats);
  FillList(views_.koyaku, views.koyaku, kResultLists[kKoyakuPage]);
  charts.FillKoyakuPie(views.stats);
  FillList(views_.rtCancel, views.rtCancel, kResultLists[kRTCancelPage]);
  charts.FillRTCancelPie(views.stats);
  views_.summary->setText(QString::fromStdString(views.summary));
}

}  // namespace sorimu
