#include "ResultStats.h"

#include "MachineRules.h"
#include "NumberFormat.h"
#include "Outcome.h"

namespace sorimu {

namespace {

// Counts over int32 fields wrap instead of overflowing; only foreign files
// with absurd row counts could get there.
void Add(int32_t& count) { count = static_cast<int32_t>(static_cast<uint32_t>(count) + 1u); }

// A real division shown with FormatReal; "0" where the divisor is 0.
std::string Ratio(int32_t count, int32_t divisor) {
  if (divisor == 0) return "0";
  return FormatReal(static_cast<double>(count) / divisor);
}

float GamesPer(int32_t games, int32_t count) {
  if (count == 0) return 0;
  if (games == INT32_MIN && count == -1) return static_cast<float>(games);  // cannot overflow
  return static_cast<float>(games / count);
}

}  // namespace

ResultStats ComputeResultStats(const RunRecords& records) {
  ResultStats stats;
  records.ForEachRowSpan([&stats](const RunRow* rows, size_t count) {
    for (size_t i = 0; i < count; ++i) {
      const RunRow& row = rows[i];
      if (IsNormalGameRow(row)) {
        const int32_t outcome = row.LastOutcome;
        const int32_t cause = row.RTCancel;
        if (outcome >= Code(KoyakuRole(0)) && outcome <= Code(KoyakuRole(kKoyakuCount - 1))) {
          Add(stats.KoyakuCount[static_cast<size_t>(outcome - Code(KoyakuRole(0)))]);
        } else if (IsBonusOutcome(outcome)) {
          const bool big = outcome == Code(Outcome::BIG);
          Add(big ? stats.BigCount : stats.RegCount);
          if (IsFirstHit(cause)) Add(big ? stats.BigFirstCount : stats.RegFirstCount);
          if (cause >= 1 && cause <= kRtCancelKinds) {
            Add(stats.RTCancelCount[static_cast<size_t>(cause - 1)]);
          }
          Add(stats.RTCancelTotal);
          if (cause == Code(RtCancelCause::Ren3G)) {
            Add(big ? stats.Ren3BigCount : stats.Ren3RegCount);
            Add(stats.Ren3Total);
          }
        }
      } else {
        if (row.RenCause == Code(RenCauseCode::Hazure)) Add(stats.RenHazureCount);
        if (row.RenCause == Code(RenCauseCode::JacHazure)) Add(stats.RenJacHazureCount);
        if (row.RenCause != 0) Add(stats.RenTotal);
        if (row.Punk == 1) Add(stats.RenPunkCount);
        if (row.Punk != 0) Add(stats.RenTotal);
      }
    }
  });
  if (records.RowCount() > 0) {
    stats.TotalGames = records.LastRow().PlayCount;
    stats.FinalMedal = records.LastRow().Medal;
  }
  return stats;
}

float BigRate(const ResultStats& stats) { return GamesPer(stats.TotalGames, stats.BigCount); }
float RegRate(const ResultStats& stats) { return GamesPer(stats.TotalGames, stats.RegCount); }

int32_t BalanceYen(const ResultStats& stats) {
  return static_cast<int32_t>(static_cast<uint32_t>(stats.FinalMedal) * 20u);
}

std::string SummaryText(const ResultStats& stats) {
  return "BIG回数:" + FormatInt(stats.BigCount) + "\u3000" +
         "REG回数:" + FormatInt(stats.RegCount) + "\n" +
         "BIG初当り回数:" + FormatInt(stats.BigFirstCount) + "  " +
         "REG初当り回数:" + FormatInt(stats.RegFirstCount) + "\n" + "BIG確率:1/" +
         FormatReal(BigRate(stats)) + "  " + "REG確率:1/" + FormatReal(RegRate(stats)) + "\n" +
         "収支:" + FormatInt(BalanceYen(stats)) + "円";
}

std::vector<TableRow> KoyakuRows(const ResultStats& stats) {
  std::vector<TableRow> rows;
  for (size_t k = 0; k < stats.KoyakuCount.size(); ++k) {
    const int32_t c = stats.KoyakuCount[k];
    // TotalGames is at least 1 for every run; a foreign file may hold 0 there.
    rows.push_back({std::string(OutcomeText(Code(KoyakuRole(static_cast<int>(k))))), FormatInt(c),
                    Ratio(c, stats.TotalGames),
                    c == 0 || stats.TotalGames == 0 ? "0" : "1/" + Ratio(stats.TotalGames, c)});
  }
  return rows;
}

std::vector<TableRow> Ren3Rows(const ResultStats& stats) {
  // Both rates are per BIG: a 3G連 is drawn only when a BIG ends.
  return {
      {"BIG", FormatInt(stats.Ren3BigCount), Ratio(stats.Ren3BigCount, stats.BigCount),
       Ratio(stats.Ren3BigCount, stats.Ren3Total)},
      {"REG", FormatInt(stats.Ren3RegCount), Ratio(stats.Ren3RegCount, stats.BigCount),
       Ratio(stats.Ren3RegCount, stats.Ren3Total)},
  };
}

std::vector<TableRow> RenRows(const ResultStats& stats) {
  const int32_t counts[] = {stats.RenHazureCount, stats.RenJacHazureCount, stats.RenPunkCount};
  std::vector<TableRow> rows;
  for (size_t i = 0; i < kRenCaptions.size(); ++i) {
    rows.push_back(
        {std::string(kRenCaptions[i]), FormatInt(counts[i]), Ratio(counts[i], stats.RenTotal)});
  }
  return rows;
}

std::vector<TableRow> RTCancelRows(const ResultStats& stats) {
  std::vector<TableRow> rows;
  for (size_t k = 0; k < stats.RTCancelCount.size(); ++k) {
    rows.push_back({std::string(RtCancelTableCaption(static_cast<int>(k))),
                    FormatInt(stats.RTCancelCount[k]),
                    Ratio(stats.RTCancelCount[k], stats.RTCancelTotal)});
  }
  return rows;
}

}  // namespace sorimu
