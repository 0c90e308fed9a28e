#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ManyRunAnalysis.h"
#include "Status.h"

namespace sorimu {

// A choice of one setting or all of them, as the command line's --setting
// and the kept inputs write it: a level (ParseSetting, "?" refused) or "all"
// (kAllSettings); nothing for any other text.
std::optional<int32_t> ParseSettingChoice(std::string_view text);
// Its text: the level's digits, or "all".
std::string SettingChoiceText(int32_t setting);

// The texts of an analysis as the dialog's boxes or the command line's
// options hold them; the setting is chosen from a list, not typed.
struct AnalysisTexts {
  std::string Games = "8000";
  std::string Trials = "1000";
  std::string BigStock = "255";
  std::string RegStock = "255";
  std::string Seed = "0";
  int32_t Setting = kAllSettings;
  int Jobs = 0;
};

// Ok with the request, or the first problem and the field it is in (so a
// window can put the cursor there): the four counts are converted first,
// in their order, then checked against their ranges, then the seed.
struct AnalysisRequestRead {
  Status status;
  AnalysisField field = AnalysisField::None;
  AnalysisRequest request;
};
AnalysisRequestRead ReadAnalysisRequest(const AnalysisTexts& texts);

}  // namespace sorimu
