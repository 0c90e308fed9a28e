#pragma once

#include <string>

#include "StartInputs.h"
#include "Status.h"

namespace sorimu {

// The texts of the window's input boxes (or the command line's options) at
// the moment Start is pressed.
struct StartTexts {
  std::string PlayNum = "1";
  std::string Flevel = "1";
  std::string SimNum = "1";
  std::string BigStock = "255";
  std::string RegStock = "255";
};

// Ok with the inputs, or the first failure: NotInteger (the application's
// error box) or BadInput (the "エラー" box, and the status text emptied).
struct StartCheck {
  Status status;
  StartInputs inputs;
};

// Play数, Sim回数, BIG and REG stock in this order, stopping at the first bad
// one; then the setting (ParseSetting: a level or "?").
StartCheck CheckStartInputs(const StartTexts& texts);

}  // namespace sorimu
