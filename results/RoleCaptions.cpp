#include "RoleCaptions.h"

namespace sorimu {

namespace {

constexpr std::string_view kOutcomeTexts[kOutcomeCount] = {
    "",       "2枚チェリー", "4枚チェリーA", "4枚チェリーB", "非出現チェリー",
    "プラム", "ベル",        "リプレイ",     "純ハズレ",     "777",
    "REG",    "JAC",         "JACハズレ",    "JAC-IN",
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

std::string_view RtCancelTableCaption(int index) {
  static constexpr std::string_view kCaptions[kRtCancelKinds] = {"規定RT消化",
                                                                 "2枚チェリー解除",
                                                                 "4枚チェリーB1解除",
                                                                 "4枚チェリーB2解除",
                                                                 "純ハズレ解除",
                                                                 "1G連",
                                                                 "3G連"};
  return index >= 0 && index < kRtCancelKinds ? kCaptions[index] : std::string_view();
}

std::string_view MarkerCaption(Outcome role) {
  switch (role) {
    case Outcome::BIG: return "BIG";
    case Outcome::REG: return "REG";
    default: return OutcomeText(Code(role));
  }
}

}  // namespace sorimu
