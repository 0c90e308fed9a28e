#include "ResultTexts.h"

#include "Outcome.h"
#include "RoleCaptions.h"

namespace sorimu {

namespace {

std::string Decimal(int32_t value) { return std::to_string(value); }

std::string OutcomeCell(int32_t code) {
  if (!IsKnownOutcome(code)) return Decimal(code);  // only foreign files hold such codes
  return std::string(OutcomeText(code));
}

std::string RtCancelCell(int32_t code) {
  if (code == 0) return std::string();
  const std::string cause =
      IsKnownRtCancelCause(code) ? std::string(RtCancelCauseText(code)) : Decimal(code);
  return "RT解除[" + cause + "]";
}

}  // namespace

std::string ResultTexts::RowText(const RunRow& row, int column) {
  const bool inBonus = row.BonusGames != 0;
  switch (column) {
    case kPlayCount: return inBonus ? "-" : Decimal(row.PlayCount);
    case kGamesSinceBonus: return inBonus ? "-" : Decimal(row.GamesSinceBonus);
    case kOutcome: return OutcomeCell(row.LastOutcome);
    case kMedal: return Decimal(row.Medal);
    case kZt: return row.ZtCount != 0 ? "○" : "-";
    case kRtCancel: return RtCancelCell(row.RTCancel);
    case kBigStock: return Decimal(row.BigStock);
    case kRegStock: return Decimal(row.RegStock);
    default: return std::string();
  }
}

}  // namespace sorimu
