#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "AnalysisInputs.h"
#include "ChartData.h"
#include "StartChecks.h"

namespace sorimu {

// What the estimate keeps of its inputs: the prior as typed and the next
// games' count and draws. Its seed is not kept (see below).
struct EstimateTexts {
  std::string Prior = "1,1,1,1,1,1";
  std::string NextGames = "1000";
  std::string NextDraws = "10000";
};

// What the 実戦データ box keeps: the exchange rate's preset by name, and the
// history as its text (empty for none). Its prior is the estimate's.
struct HallTexts {
  std::string Rate = "等価";
  std::string History;
};

// What a window session keeps for the next one, as values: the main
// window's inputs as typed, its marker boxes and 期待差枚, the analysis dialog's
// counts, stocks and setting, the estimate's texts. The seeds are not kept:
// each session starts from a fresh one, so that two analyses are not the
// same runs unless the user types the seed again.
struct RememberedInputs {
  StartTexts Start;
  std::array<bool, kMarkerSeriesCount> Markers{};
  bool ExpectedLineWanted = false;  // the 期待差枚 box, as the user left it
  AnalysisTexts Analysis;
  EstimateTexts Estimate;
  HallTexts Hall;
};

// One kept text: its key, where its value lives, and whether the window
// would take a stored text there. `Set` takes only such a text.
struct TextSetting {
  const char* Key;
  std::string (*Get)(const RememberedInputs& inputs);
  bool (*Set)(RememberedInputs& inputs, const std::string& text);
  size_t Longest;  // a longer stored text is not read
};

// Every kept text, with its key and default (the defaults of the structs above).
extern const std::array<TextSetting, 15> kTextSettings;

// The key of marker box `m` ("markers/<box name>").
std::string MarkerKey(int m);
// The 期待差枚 box's, beside them.
inline constexpr const char* kExpectedLineKey = "markers/ExpectedCheckBox";

}  // namespace sorimu
