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

ResultTexts::TextRow ResultTexts::Compact(const RunRow& row) {
  return TextRow{row.PlayCount,
                 row.GamesSinceBonus,
                 row.Medal,
                 row.LastOutcome,
                 row.RTCancel,
                 row.BigStock,
                 row.RegStock,
                 static_cast<uint8_t>(row.BonusGames != 0),
                 static_cast<uint8_t>(row.ZtCount != 0)};
}

bool ResultTexts::Append(const RunRow& row) { return rows_.push_back(Compact(row)); }

std::string ResultTexts::Text(int column, size_t index) const {
  return Format(rows_[index], column);
}

std::string ResultTexts::Format(const TextRow& row, int column) {
  switch (column) {
    case kPlayCount: return row.InBonus ? "-" : Decimal(row.PlayCount);
    case kGamesSinceBonus: return row.InBonus ? "-" : Decimal(row.GamesSinceBonus);
    case kOutcome: return OutcomeCell(row.LastOutcome);
    case kMedal: return Decimal(row.Medal);
    case kZt: return row.InZt ? "○" : "-";
    case kRtCancel: return RtCancelCell(row.RTCancel);
    case kBigStock: return Decimal(row.BigStock);
    case kRegStock: return Decimal(row.RegStock);
    default: return std::string();
  }
}

std::string ResultTexts::RowText(const RunRow& row, int column) {
  return Format(Compact(row), column);
}

}  // namespace sorimu
