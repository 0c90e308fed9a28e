#include "ResultTexts.h"

#include <charconv>
#include <cmath>
#include <string_view>

#include "ListColumns.h"
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

std::string ShownCell(CellForm form, const std::string& text) {
  if (form == CellForm::Plain) return text;
  std::string_view figure(text);
  if (form == CellForm::OneIn) {
    if (figure.substr(0, 2) != "1/") return text;  // "0": never came
    figure.remove_prefix(2);
  }
  double value = 0;
  const auto [end, error] = std::from_chars(figure.data(), figure.data() + figure.size(), value);
  if (error != std::errc() || end != figure.data() + figure.size() || !std::isfinite(value)) {
    return text;
  }
  // Written without the locale, which could make the point a comma.
  char digits[64];
  const double shown = form == CellForm::Share ? value * 100 : value;
  const auto written =
      std::to_chars(digits, digits + sizeof digits, shown, std::chars_format::fixed, 1);
  if (written.ec != std::errc()) return text;
  const std::string number(digits, written.ptr);
  return form == CellForm::Share ? number + " %" : "1/" + number;
}

}  // namespace sorimu
