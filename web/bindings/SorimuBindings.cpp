// The core as the page's Web Worker sees it: texts and numbers in, plain
// values and typed arrays out. Every figure is computed and formatted by the
// same code the window and sorimu-cli run; nothing here decides a rule of
// the machine.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ChartData.h"
#include "DryStretch.h"
#include "HallText.h"
#include "InputText.h"
#include "LongRun.h"
#include "Messages.h"
#include "ResultStats.h"
#include "RunRecords.h"
#include "SingleRun.h"
#include "Slot.h"
#include "SlumpEnvelope.h"
#include "StartChecks.h"
#include "TheoryTable.h"
#include "ValArrays.h"
#include "Volatility.h"

namespace sorimu::web {

namespace {

using emscripten::val;

// The boxes of the page's シミュレーション form, as typed.
struct RunRequest {
  std::string games;
  std::string setting;
  std::string big;
  std::string reg;
  std::string seed;
};

// Spans of the slump line sent to the page: more than a phone's or a
// desktop's plot has pixels across.
constexpr int32_t kSlumpBuckets = 2000;

// Each box checked on its own beside boxes known to be good, so that every
// bad box gets the message the window would show for it.
val InputErrors(const RunRequest& request) {
  struct Box {
    const char* name;
    const std::string RunRequest::*typed;
    std::string StartTexts::*text;
  };
  constexpr Box kBoxes[] = {{"games", &RunRequest::games, &StartTexts::PlayNum},
                            {"setting", &RunRequest::setting, &StartTexts::Flevel},
                            {"big", &RunRequest::big, &StartTexts::BigStock},
                            {"reg", &RunRequest::reg, &StartTexts::RegStock}};
  val errors = val::object();
  for (const Box& box : kBoxes) {
    StartTexts texts;
    texts.*box.text = request.*box.typed;
    const StartCheck check = CheckStartInputs(texts);
    if (!check.status.Ok()) errors.set(box.name, check.status.Message);
  }
  if (!ParseSeed(request.seed)) errors.set("seed", std::string(kSeedRangeMessage));
  return errors;
}

bool HasKeys(const val& object) {
  return val::global("Object").call<val>("keys", object)["length"].as<int>() > 0;
}

// One run as `sorimu-cli run --seed` plays it: a machine seeded with the
// seed, then the run. `progress` is called with the normal games played
// every few tens of thousands of games.
val PlayRun(const RunRequest& request, val progress) {
  val result = val::object();
  const val errors = InputErrors(request);
  if (HasKeys(errors)) {
    result.set("errors", errors);
    return result;
  }
  StartTexts texts;
  texts.PlayNum = request.games;
  texts.Flevel = request.setting;
  texts.BigStock = request.big;
  texts.RegStock = request.reg;
  const StartInputs inputs = CheckStartInputs(texts).inputs;

  Slot slot(*ParseSeed(request.seed));
  RunRecords records;
  RunProgress onProgress;
  if (progress.typeOf().as<std::string>() == "function") {
    onProgress = [&progress](int32_t played) {
      progress(played);
      return true;
    };
  }
  if (Simulate(slot, records, inputs, {}, onProgress) != RunStatus::Completed) {
    val outOfMemory = val::object();
    outOfMemory.set("games", std::string(kOutOfMemoryMessage));
    result.set("errors", outOfMemory);
    // The module's memory has grown as far as it could and never shrinks.
    result.set("outOfMemory", true);
    return result;
  }

  SlumpEnvelope slump(inputs.PlayNum, kSlumpBuckets);
  std::vector<int32_t> bonusX[2], bonusY[2];
  ForEachChartPoint(
      records,
      [&](int series, int32_t x, int32_t y) {
        if (series != kMarkerBIG && series != kMarkerREG) return;
        const int kind = series == kMarkerBIG ? 0 : 1;
        bonusX[kind].push_back(x);
        bonusY[kind].push_back(y);
      },
      [](int32_t, int32_t, uint32_t) {}, [&](int32_t x, int32_t y) { slump.Add(x, y); });
  slump.Finish();

  result.set("summary", SummaryText(ComputeResultStats(records)));
  result.set("level", slot.GetFlevel());
  result.set("hiddenLevel", inputs.HiddenFlevel);
  result.set("games", inputs.PlayNum);
  result.set("slumpX", TypedArray("Int32Array", slump.X()));
  result.set("slumpY", TypedArray("Int32Array", slump.Y()));
  result.set("bigX", TypedArray("Int32Array", bonusX[0]));
  result.set("bigY", TypedArray("Int32Array", bonusY[0]));
  result.set("regX", TypedArray("Int32Array", bonusX[1]));
  result.set("regY", TypedArray("Int32Array", bonusY[1]));
  return result;
}

// The figure sheet of the six settings with the spread of their balance: the
// tables `sorimu-cli theory` prints and the lines of `theory --tsv`.
val SpecSheet() {
  const std::vector<theory::LongRunFigures> figures = theory::DefaultLongRun();
  std::vector<theory::Volatility> volatility;
  for (const theory::LongRunFigures& f : figures)
    volatility.push_back(theory::ComputeVolatility(theory::DefaultCycleModel(f.Setting)));
  std::string tsv = theory::SpecSheetTsvHeader() + '\n';
  for (size_t i = 0; i < figures.size(); ++i)
    tsv += theory::SpecSheetTsvLine(figures[i], volatility[i]) + '\n';
  val sheet = val::object();
  sheet.set("caption", std::string(theory::kSpecSheetCaption));
  sheet.set("rows", Rows(theory::SpecSheetRows(figures)));
  sheet.set("volatilityCaption", std::string(theory::kVolatilityCaption));
  sheet.set("volatilityRows", Rows(theory::VolatilityRows(volatility)));
  sheet.set("tsv", tsv);
  return sheet;
}

// P(a dry stretch of n games or more), n = 0 .. maxGames, between bonuses
// and between first hits, one Float64Array per setting.
val DryStretchCurves(int32_t maxGames) {
  const int32_t games = std::max(0, std::min(maxGames, theory::kTailHorizon));
  val bonuses = val::array();
  val firstHits = val::array();
  for (int setting = 1; setting <= theory::kSettingCount; ++setting) {
    const theory::DryStretchTail tail =
        theory::ComputeDryStretchTail(theory::DefaultCycleModel(setting), games);
    std::vector<double> between(static_cast<size_t>(games) + 1), first(between.size());
    for (int32_t n = 0; n <= games; ++n) {
      between[static_cast<size_t>(n)] = static_cast<double>(tail.BetweenBonusesAtLeast(n));
      first[static_cast<size_t>(n)] = static_cast<double>(tail.BetweenFirstHitsAtLeast(n));
    }
    bonuses.call<void>("push", TypedArray("Float64Array", between));
    firstHits.call<void>("push", TypedArray("Float64Array", first));
  }
  val curves = val::object();
  curves.set("caption", std::string(theory::kTailCaption));
  curves.set("bonuses", bonuses);
  curves.set("firstHits", firstHits);
  return curves;
}

std::string Version() { return SORIMU_VERSION; }

}  // namespace

EMSCRIPTEN_BINDINGS(sorimu) {
  emscripten::value_object<RunRequest>("RunRequest")
      .field("games", &RunRequest::games)
      .field("setting", &RunRequest::setting)
      .field("big", &RunRequest::big)
      .field("reg", &RunRequest::reg)
      .field("seed", &RunRequest::seed);
  emscripten::function("playRun", &PlayRun);
  emscripten::function("specSheet", &SpecSheet);
  emscripten::function("dryStretchCurves", &DryStretchCurves);
  emscripten::function("version", &Version);
}

}  // namespace sorimu::web
