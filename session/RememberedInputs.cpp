#include "RememberedInputs.h"

#include "InputText.h"
#include "NextGames.h"

namespace sorimu {

namespace {

// Longer than any number the boxes accept.
constexpr size_t kLongestNumber = 64;
// Six weights with their commas and spaces; room for long decimals.
constexpr size_t kLongestPrior = 256;

// Whether Start would take `text` in `field`, the others as they start.
bool StartAccepts(std::string StartTexts::*field, const std::string& text) {
  StartTexts texts;
  texts.*field = text;
  return CheckStartInputs(texts).status.Ok();
}

bool AnalysisAccepts(std::string AnalysisTexts::*field, const std::string& text) {
  AnalysisTexts texts;
  texts.*field = text;
  return ReadAnalysisRequest(texts).status.Ok();
}

bool CountAccepted(const std::string& text, int32_t maximum) {
  return ParseCount(text, 1, maximum, "").status.Ok();
}

template <std::string StartTexts::*Field>
TextSetting StartText(const char* key) {
  return {key, [](const RememberedInputs& in) { return in.Start.*Field; },
          [](RememberedInputs& in, const std::string& text) {
            if (!StartAccepts(Field, text)) return false;
            in.Start.*Field = text;
            return true;
          },
          kLongestNumber};
}

template <std::string AnalysisTexts::*Field>
TextSetting AnalysisText(const char* key) {
  return {key, [](const RememberedInputs& in) { return in.Analysis.*Field; },
          [](RememberedInputs& in, const std::string& text) {
            if (!AnalysisAccepts(Field, text)) return false;
            in.Analysis.*Field = text;
            return true;
          },
          kLongestNumber};
}

template <std::string EstimateTexts::*Field, int32_t Maximum>
TextSetting NextGamesText(const char* key) {
  return {key, [](const RememberedInputs& in) { return in.Estimate.*Field; },
          [](RememberedInputs& in, const std::string& text) {
            if (!CountAccepted(text, Maximum)) return false;
            in.Estimate.*Field = text;
            return true;
          },
          kLongestNumber};
}

// The analysis's setting, chosen from a list: "1" to "6", or "all".
constexpr const char* kAllSettingsText = "all";

std::string AnalysisSettingText(const RememberedInputs& in) {
  const int32_t setting = in.Analysis.Setting;
  return setting >= 1 && setting <= 6 ? std::to_string(setting) : kAllSettingsText;
}

bool SetAnalysisSetting(RememberedInputs& in, const std::string& text) {
  if (text == kAllSettingsText) {
    in.Analysis.Setting = kAllSettings;
  } else if (text.size() == 1 && text[0] >= '1' && text[0] <= '6') {
    in.Analysis.Setting = text[0] - '0';
  } else {
    return false;
  }
  return true;
}

}  // namespace

const std::array<TextSetting, 13> kTextSettings = {
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
    TextSetting{"estimate/prior", [](const RememberedInputs& in) { return in.Estimate.Prior; },
                [](RememberedInputs& in, const std::string& text) {
                  if (!ParsePrior(text)) return false;
                  in.Estimate.Prior = text;
                  return true;
                },
                kLongestPrior},
    NextGamesText<&EstimateTexts::NextGames, kMaxNextGames>("estimate/nextGames"),
    NextGamesText<&EstimateTexts::NextDraws, kMaxNextDraws>("estimate/nextDraws"),
};

std::string MarkerKey(int m) {
  return std::string("markers/") + kMarkerSeriesStyles[static_cast<size_t>(m)].checkBoxName;
}

}  // namespace sorimu
