#include "AnalysisInputs.h"

#include <optional>

#include "InputText.h"
#include "Messages.h"
#include "Setting.h"

namespace sorimu {

namespace {

constexpr std::string_view kAllSettingsText = "all";

}  // namespace

std::optional<int32_t> ParseSettingChoice(std::string_view text) {
  if (text == kAllSettingsText) return kAllSettings;
  const std::optional<Setting> setting = ParseSetting(text);
  if (!setting || setting->Hidden()) return std::nullopt;
  return setting->Level;
}

std::string SettingChoiceText(int32_t setting) {
  return IsSettingLevel(setting) ? std::to_string(setting) : std::string(kAllSettingsText);
}

AnalysisRequestRead ReadAnalysisRequest(const AnalysisTexts& texts) {
  AnalysisRequestRead read;
  AnalysisRequest& request = read.request;
  const struct {
    const std::string& text;
    int32_t AnalysisRequest::*value;
    AnalysisField field;
  } counts[] = {{texts.Games, &AnalysisRequest::Games, AnalysisField::Games},
                {texts.Trials, &AnalysisRequest::Trials, AnalysisField::Trials},
                {texts.BigStock, &AnalysisRequest::BigStock, AnalysisField::BigStock},
                {texts.RegStock, &AnalysisRequest::RegStock, AnalysisField::RegStock}};
  for (const auto& count : counts) {
    // A number past 32 bits is out of range where the field's range stops
    // short of that limit (10^12 trials), and no integer where it reaches
    // it (Play数), as every count box says.
    const IntegerText typed = ReadInteger(count.text);
    AnalysisRequest alone;
    if (typed.beyond != 0) alone.*count.value = typed.beyond > 0 ? INT32_MAX : INT32_MIN;
    const bool outOfRange = typed.beyond != 0 && FirstBadField(alone) == count.field;
    if (!typed.value && !outOfRange) {
      read.status = Status::Fail(StatusKind::NotInteger, NotIntegerMessage(count.text));
      read.field = count.field;
      return read;
    }
    request.*count.value = typed.value ? *typed.value : alone.*count.value;
  }
  request.Setting = texts.Setting;
  request.Jobs = texts.Jobs;
  read.status = CheckAnalysisRequest(request);
  if (!read.status.Ok()) {
    read.field = FirstBadField(request);
    return read;
  }
  const std::optional<uint32_t> seed = ParseSeed(texts.Seed);
  if (!seed) {
    read.status = Status::Fail(StatusKind::BadInput, kSeedRangeMessage);
    read.field = AnalysisField::Seed;
    return read;
  }
  request.Seed = *seed;
  return read;
}

}  // namespace sorimu
