#include "Outcome.h"

namespace {

constexpr std::string_view kOutcomeTexts[kOutcomeCount] = {
    "",          "2枚チェリー", "4枚チェリーA", "4枚チェリーB", "非出現チェリー",
    "プラム",    "ベル",        "リプレイ",     "純ハズレ",     "777",
    "REG",       "JAC",         "JACハズレ",    "JAC-IN",
};

constexpr std::string_view kRtCancelTexts[kRtCancelCauseCount] = {
    "", "規定RT消化", "2枚チェリー", "4枚チェリーB1", "4枚チェリーB2", "純ハズレ", "1G連", "3G連",
};

}  // namespace

std::string_view OutcomeText(int32_t code) {
  return IsKnownOutcome(code) ? kOutcomeTexts[code] : std::string_view();
}

std::string_view RtCancelCauseText(int32_t code) {
  return IsKnownRtCancelCause(code) ? kRtCancelTexts[code] : std::string_view();
}
