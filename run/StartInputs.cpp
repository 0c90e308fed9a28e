#include "StartInputs.h"

#include <optional>

#include "IntegerText.h"

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
    {&StartTexts::PlayNum, &StartInputs::PlayNum, 1, INT32_MAX, "Play数は、1以上にしてください。"},
    {&StartTexts::SimNum, &StartInputs::SimNum, 1, INT32_MAX, "Sim回数は、1以上にしてください。"},
    {&StartTexts::BigStock, &StartInputs::BigStock, 0, 255,
     "BIGストック数は、0～255にしてください。"},
    {&StartTexts::RegStock, &StartInputs::RegStock, 0, 255,
     "REGストック数は、0～255にしてください。"},
};

}  // namespace

StartCheck CheckStartInputs(const StartTexts& texts) {
  StartCheck check;
  for (const NumericCheck& rule : kNumericChecks) {
    const std::string& text = texts.*rule.text;
    const std::optional<int32_t> value = ParseInteger(text);
    if (!value) {
      check.failure = StartFailure::NotInteger;
      check.message = NotIntegerMessage(text);
      return check;
    }
    if (*value < rule.minimum || *value > rule.maximum) {
      check.failure = StartFailure::OutOfRange;
      check.message = rule.message;
      return check;
    }
    check.inputs.*rule.value = *value;
  }

  if (texts.Flevel == "?") {
    check.inputs.HiddenFlevel = true;
    check.inputs.Flevel = 0;
  } else if (texts.Flevel.size() == 1 && texts.Flevel[0] >= '1' && texts.Flevel[0] <= '6') {
    check.inputs.Flevel = texts.Flevel[0] - '0';
  } else {
    check.failure = StartFailure::BadFlevel;
    check.message = kBadFlevelMessage;
  }
  return check;
}

}  // namespace sorimu
