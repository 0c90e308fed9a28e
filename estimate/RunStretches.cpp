#include "RunStretches.h"

#include "FilledStretch.h"
#include "Outcome.h"

namespace sorimu {

namespace {

// Rows between two looks at the job: a few milliseconds even for rows that
// cost the filter most.
constexpr size_t kRowsPerCheck = 256;

// One stretch at a time, read by the fast sum when every RT that runs out
// must line up a bonus, and by the filter otherwise.
class StretchReader {
 public:
  explicit StretchReader(StretchRoute route) : route_(route) {}

  bool Open() const { return open_; }

  void Begin(StretchOpening opening, const RunRow& firstRow) {
    open_ = true;
    useFilter_ = route_ == StretchRoute::FilterOnly || opening == StretchOpening::ResetEmpty ||
                 firstRow.RegStock <= 0;
    if (useFilter_) {
      filter_.Begin(opening);
    } else {
      filled_.Begin(opening);
    }
  }

  void Play(const RunRow& row) {
    if (useFilter_) {
      filter_.Play(row);
    } else {
      filled_.Play(row);
    }
  }

  SettingLikelihood Release(const RunRow& row) {
    open_ = false;
    return useFilter_ ? filter_.Release(row) : filled_.Release(row);
  }

  SettingLikelihood Close() {
    open_ = false;
    return useFilter_ ? filter_.Open() : filled_.Open();
  }

 private:
  StretchRoute route_;
  StretchFilter filter_;
  FilledStretch filled_;
  bool useFilter_ = false;
  bool open_ = false;
};

}  // namespace

bool ScanStretches(const RunRecords& records,
                   const std::function<void(const SettingLikelihood&)>& add, RunEnd* end,
                   StretchRoute route, Job* job) {
  StretchReader reader(route);
  StretchOpening next = records.StartBigStock == 0 && records.StartRegStock == 0
                            ? StretchOpening::ResetEmpty
                            : StretchOpening::Reset;
  RunEnd where;
  where.opening = next;
  bool afterLineUp = false;  // a bonus was lined up; its games may follow
  bool renDue = false;
  int32_t bonusKind = 0;
  size_t index = 0;
  bool cancelled = false;
  if (job != nullptr) job->SetTotal(static_cast<int64_t>(records.RowCount()));
  records.ForEachRowSpan([&](const RunRow* rows, size_t count) {
    for (size_t i = 0; i < count && !cancelled; ++i, ++index) {
      if (job != nullptr && index % kRowsPerCheck == 0) {
        job->SetDone(static_cast<int64_t>(index));
        cancelled = job->Cancelled();
        if (cancelled) break;
      }
      const RunRow& row = rows[i];
      if (IsBonusGameRow(row)) {
        // A 1G連 is due after a pure miss or a JAC miss in the bonus, or a パンク.
        renDue = renDue || row.RenCause != 0 || row.Punk != 0;
        bonusKind = row.BonusKind;
        if (!afterLineUp) {
          afterLineUp = true;  // games of a bonus whose line-up is not in the rows
          where.firstRow = index;
        }
        continue;
      }
      if (afterLineUp) {
        afterLineUp = false;
        next = renDue                                  ? StretchOpening::Ren1G
               : bonusKind == Code(BonusKindCode::Big) ? StretchOpening::AfterBig
                                                       : StretchOpening::AfterReg;
      }
      if (!reader.Open()) {
        reader.Begin(next, row);
        where.opening = next;
        where.firstRow = index;
      }
      if (IsBonusRow(row)) {
        add(reader.Release(row));
        afterLineUp = true;
        renDue = false;
        bonusKind = row.LastOutcome == Code(Outcome::BIG) ? Code(BonusKindCode::Big)
                                                          : Code(BonusKindCode::Reg);
        where.firstRow = index;
        continue;
      }
      reader.Play(row);
    }
  });
  if (cancelled) return false;
  if (job != nullptr) job->SetDone(static_cast<int64_t>(index));
  if (reader.Open()) add(reader.Close());
  if (end == nullptr) return true;
  where.rowCount = index - where.firstRow;
  if (afterLineUp) {
    where.place = where.rowCount == 1 && IsBonusRow(records.LastRow()) ? RunEnd::Place::BonusPending
                                                                       : RunEnd::Place::InBonus;
    where.opening = renDue                                  ? StretchOpening::Ren1G
                    : bonusKind == Code(BonusKindCode::Big) ? StretchOpening::AfterBig
                                                            : StretchOpening::AfterReg;
  } else {
    where.place = RunEnd::Place::Stretch;
  }
  *end = where;
  return true;
}

}  // namespace sorimu
