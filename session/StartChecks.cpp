#include "StartChecks.h"

#include <cstdint>

#include "InputText.h"
#include "MachineRules.h"
#include "Messages.h"
#include "Setting.h"

namespace sorimu {

namespace {

struct NumericCheck {
  const std::string StartTexts::*text;
  int32_t StartInputs::*value;
  int32_t minimum;
  int32_t maximum;
  const char* message;
};

constexpr NumericCheck kNumericChecks[] = {
    {&StartTexts::PlayNum, &StartInputs::PlayNum, 1, INT32_MAX, kPlayNumRangeMessage},
    {&StartTexts::SimNum, &StartInputs::SimNum, 1, INT32_MAX, kSimNumRangeMessage},
    {&StartTexts::BigStock, &StartInputs::BigStock, 0, kMaxStock, kBigStockRangeMessage},
    {&StartTexts::RegStock, &StartInputs::RegStock, 0, kMaxStock, kRegStockRangeMessage},
};

}  // namespace

StartCheck CheckStartInputs(const StartTexts& texts) {
  StartCheck check;
  for (const NumericCheck& rule : kNumericChecks) {
    const CountResult count =
        ParseCount(texts.*rule.text, rule.minimum, rule.maximum, rule.message);
    if (!count.status.Ok()) {
      check.status = count.status;
      return check;
    }
    check.inputs.*rule.value = count.value;
  }

  const std::optional<Setting> setting = ParseSetting(texts.Flevel);
  if (!setting) {
    check.status = Status::Fail(StatusKind::BadInput, kBadFlevelMessage);
  } else {
    check.inputs.HiddenFlevel = setting->Hidden();
    check.inputs.Flevel = setting->Level;
  }
  return check;
}

}  // namespace sorimu
