#include "RememberedInputs.h"

#include <optional>

#include "HallData.h"
#include "HistoryText.h"
#include "InputText.h"
#include "NextGames.h"

namespace sorimu {

namespace {

// Longer than any number the boxes accept.
constexpr size_t kLongestNumber = 64;
// Six weights with their commas and spaces; room for long decimals.
constexpr size_t kLongestPrior = 256;
// A day's history typed by hand is a few hundred lines; a longer one came
// from a file and is read from there again.
constexpr size_t kLongestHistory = 32768;

// Whether Start would take `text` in `Field`, the others as they start.
template <std::string StartTexts::*Field>
bool StartAccepts(const std::string& text) {
  StartTexts texts;
  texts.*Field = text;
  return CheckStartInputs(texts).status.Ok();
}

template <std::string AnalysisTexts::*Field>
bool AnalysisAccepts(const std::string& text) {
  AnalysisTexts texts;
  texts.*Field = text;
  return ReadAnalysisRequest(texts).status.Ok();
}

template <int32_t Maximum>
bool CountAccepts(const std::string& text) {
  return ParseCount(text, 1, Maximum, "").status.Ok();
}

bool PriorAccepts(const std::string& text) { return ParsePrior(text).has_value(); }
bool RateAccepts(const std::string& text) { return RateIndex(text).has_value(); }
// A longer history is not kept: the settings file is no place for it.
bool HistoryAccepts(const std::string& text) {
  return text.size() <= kLongestHistory && ParseHistoryText(text).status.Ok();
}

// A kept text at `Field` of the part `Where` of the inputs, taken back only
// where `Accepts` says the window would take it.
template <typename Part, Part RememberedInputs::*Where, std::string Part::*Field,
          bool (*Accepts)(const std::string&)>
TextSetting Kept(const char* key, size_t longest = kLongestNumber) {
  return {key, [](const RememberedInputs& in) { return in.*Where.*Field; },
          [](RememberedInputs& in, const std::string& text) {
            if (!Accepts(text)) return false;
            in.*Where.*Field = text;
            return true;
          },
          longest};
}

template <std::string StartTexts::*Field>
TextSetting StartText(const char* key) {
  return Kept<StartTexts, &RememberedInputs::Start, Field, StartAccepts<Field>>(key);
}

template <std::string AnalysisTexts::*Field>
TextSetting AnalysisText(const char* key) {
  return Kept<AnalysisTexts, &RememberedInputs::Analysis, Field, AnalysisAccepts<Field>>(key);
}

std::string AnalysisSettingText(const RememberedInputs& in) {
  return SettingChoiceText(in.Analysis.Setting);
}

bool SetAnalysisSetting(RememberedInputs& in, const std::string& text) {
  const std::optional<int32_t> setting = ParseSettingChoice(text);
  if (!setting) return false;
  in.Analysis.Setting = *setting;
  return true;
}

}  // namespace

const std::array<TextSetting, 15> kTextSettings = {
    StartText<&StartTexts::PlayNum>("inputs/playNum"),
    StartText<&StartTexts::SimNum>("inputs/simNum"),
    StartText<&StartTexts::BigStock>("inputs/bigStock"),
    StartText<&StartTexts::RegStock>("inputs/regStock"),
    StartText<&StartTexts::Flevel>("inputs/setting"),
    AnalysisText<&AnalysisTexts::Games>("analysis/games"),
    AnalysisText<&AnalysisTexts::Trials>("analysis/trials"),
    AnalysisText<&AnalysisTexts::BigStock>("analysis/bigStock"),
    AnalysisText<&AnalysisTexts::RegStock>("analysis/regStock"),
    TextSetting{"analysis/setting", AnalysisSettingText, SetAnalysisSetting, kLongestNumber},
    Kept<EstimateTexts, &RememberedInputs::Estimate, &EstimateTexts::Prior, PriorAccepts>(
        "estimate/prior", kLongestPrior),
    Kept<EstimateTexts, &RememberedInputs::Estimate, &EstimateTexts::NextGames,
         CountAccepts<kMaxNextGames>>("estimate/nextGames"),
    Kept<EstimateTexts, &RememberedInputs::Estimate, &EstimateTexts::NextDraws,
         CountAccepts<kMaxNextDraws>>("estimate/nextDraws"),
    Kept<HallTexts, &RememberedInputs::Hall, &HallTexts::Rate, RateAccepts>("hall/rate"),
    Kept<HallTexts, &RememberedInputs::Hall, &HallTexts::History, HistoryAccepts>("hall/history",
                                                                                  kLongestHistory),
};

std::string MarkerKey(int m) {
  return std::string("markers/") + kMarkerSeriesStyles[static_cast<size_t>(m)].checkBoxName;
}

}  // namespace sorimu
