#include "ResultTexts.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
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

// A figure as the lists write it, and one with one decimal, both without the
// locale, which could make the point a comma. The browser's C++ library has
// no floating-point from_chars or to_chars; its C library knows no locale.
bool ReadFigure(std::string_view figure, double& value) {
#if defined(__EMSCRIPTEN__)
  if (figure.empty() || figure.front() == ' ') return false;
  const std::string copy(figure);
  char* end = nullptr;
  value = std::strtod(copy.c_str(), &end);
  return end == copy.c_str() + copy.size();
#else
  const auto [end, error] = std::from_chars(figure.data(), figure.data() + figure.size(), value);
  return error == std::errc() && end == figure.data() + figure.size();
#endif
}

std::string OneDecimal(double value) {
  char digits[64];
#if defined(__EMSCRIPTEN__)
  const int length = std::snprintf(digits, sizeof digits, "%.1f", value);
  return length > 0 && static_cast<size_t>(length) < sizeof digits
             ? std::string(digits, static_cast<size_t>(length))
             : std::string();
#else
  const auto written =
      std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 1);
  return written.ec == std::errc() ? std::string(digits, written.ptr) : std::string();
#endif
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
  if (!ReadFigure(figure, value) || !std::isfinite(value)) return text;
  const std::string number = OneDecimal(form == CellForm::Share ? value * 100 : value);
  if (number.empty()) return text;
  return form == CellForm::Share ? number + " %" : "1/" + number;
}

}  // namespace sorimu
