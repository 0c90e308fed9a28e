// The hall tools as the page's Web Worker sees them: the history as the text
// the page keeps, the boxes as typed, and the figures as the core formats
// them for sorimu-cli, so the page shows every digit the command line prints.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

#include "EstimateTable.h"
#include "HallQuestions.h"
#include "HallText.h"
#include "HistoryForecast.h"
#include "HistoryText.h"
#include "NumberFormat.h"
#include "PortableFigures.h"
#include "ValArrays.h"

namespace sorimu::web {

namespace {

using emscripten::val;

// A question about the page's history, as the worker passes it on.
struct HallRequest {
  std::string history;  // the page's text of it
  std::string prior;    // the 設定配分 box as typed
  std::string since;    // the ハマリ box as typed
  std::string after;    // "", "BIG" or "REG"
  int32_t rate = 0;     // which of theory::kExchangeRates
};

val HistoryValue(const BonusHistory& history) {
  val bonuses = val::array();
  for (const HistoryBonus& bonus : history.Bonuses) {
    val one = val::object();
    one.set("kind", std::string(HistoryKindName(bonus.Kind)));
    one.set("games", bonus.Games);
    bonuses.call<void>("push", one);
  }
  val value = val::object();
  value.set("start", history.FromStart);
  value.set("bonuses", bonuses);
  value.set("open", history.OpenGames ? val(*history.OpenGames) : val::null());
  return value;
}

// {history, text}, or {error, line} with the line of a text read.
val HistoryAnswer(const PageHistory& page) {
  val answer = val::object();
  if (!page.status.Ok()) {
    answer.set("error", page.status.Message);
    if (page.Line > 0) answer.set("line", page.Line);
    return answer;
  }
  answer.set("history", HistoryValue(page.History));
  answer.set("text", page.Text);
  return answer;
}

val ReadHistory(const std::string& text) { return HistoryAnswer(ReadPageHistory(text)); }

val EditHistory(const std::string& text, const std::string& action, const std::string& typed) {
  return HistoryAnswer(EditPageHistory(text, action, typed));
}

val Errors(const char* field, const std::string& message) {
  val errors = val::object();
  errors.set(field, message);
  val answer = val::object();
  answer.set("errors", errors);
  return answer;
}

// The history and the prior of a request, or the answer that says which of
// them is wrong.
struct Asked {
  PageHistory history;
  PagePrior prior;
  val problem = val::null();

  explicit Asked(const HallRequest& request)
      : history(ReadPageHistory(request.history)), prior(ReadPagePrior(request.prior)) {
    if (!history.status.Ok()) {
      problem = Errors("history", history.status.Message);
    } else if (!prior.status.Ok()) {
      problem = Errors("prior", prior.status.Message);
    }
  }
  SettingWeights Prior() const { return prior.Weights.value_or(UniformPrior()); }
};

// Each setting's probability with every digit `estimate --history --tsv`
// prints, the rows of its table and the note on what it rests on.
val Estimate(const HallRequest& request) {
  const Asked asked(request);
  if (!asked.problem.isNull()) return asked.problem;
  const SettingEstimate estimate = EstimateFromHistory(asked.history.History, asked.Prior());
  val settings = val::array();
  for (size_t s = 0; s < estimate.Probability.size(); ++s) {
    val one = val::object();
    one.set("setting", static_cast<int>(s) + 1);
    one.set("probability", FormatExact(estimate.Probability[s]));
    one.set("prior", FormatExact(estimate.Prior[s]));
    settings.call<void>("push", one);
  }
  val answer = val::object();
  answer.set("settings", settings);
  answer.set("rows", Rows(EstimateTableRows(estimate)));
  answer.set("note", HistoryEstimateNote(estimate, asked.history.History));
  return answer;
}

// How sure, how soon: the figures `estimate --history` prints below the
// estimate, with its draws and seed, on this thread.
val Forecast(const HallRequest& request) {
  const Asked asked(request);
  if (!asked.problem.isNull()) return asked.problem;
  const ForecastRequest forecast;
  val answer = val::object();
  answer.set(
      "rows",
      Rows(ForecastTableRows(ForecastHistory(asked.history.History, asked.Prior(), forecast))));
  answer.set("draws", forecast.Draws);
  answer.set("seed", forecast.Seed);
  return answer;
}

// A figure at every G or k, for a chart; NaN where no stretch gets there.
template <typename Figure>
val Curve(size_t count, Figure figure) {
  std::vector<double> values(count);
  for (size_t i = 0; i < count; ++i) values[i] = theory::PortableDouble(figure(i));
  return TypedArray("Float64Array", values);
}

std::string Tsv(const std::string& header, const std::vector<std::string>& lines) {
  std::string tsv = header + '\n';
  for (const std::string& line : lines) tsv += line + '\n';
  return tsv;
}

// The ハマリ/天井 table at the G typed: its rows (yen at the chosen rate),
// the lines of `theory --since G --tsv` and, for a chart, the expected
// balance through the chain at every G.
val Hamari(const HallRequest& request) {
  const Asked asked(request);
  if (!asked.problem.isNull()) return asked.problem;
  const GamesParse since = ParseHistoryGames(request.since, true);
  if (!since.status.Ok()) return Errors("since", since.status.Message);
  const HallMix mix = PageMix(asked.history, asked.prior.Weights);
  size_t after = AfterNamed(request.after);
  if (after == theory::kAfterEither && mix.After) after = *mix.After;
  const theory::DryTable& table = DryTableFor(after, mix.Weights);
  const size_t rates = std::size(theory::kExchangeRates);
  const theory::ExchangeRate& rate =
      theory::kExchangeRates[std::min(static_cast<size_t>(std::max(request.rate, 0)), rates - 1)];
  const bool withMix = !mix.Caption.empty();

  val settings = val::array();
  for (const std::vector<theory::SinceFigures>& column : table.Settings) {
    settings.call<void>("push",
                        Curve(column.size(), [&](size_t g) { return column[g].ThroughChain; }));
  }
  val answer = val::object();
  answer.set("caption", theory::SinceCaption(since.Games, after));
  answer.set("rows",
             Rows(theory::SinceTableRows(table, mix.Weights, since.Games, mix.Caption, rate)));
  answer.set("tsv", Tsv(theory::SinceTsvHeader(),
                        theory::SinceTsvLines(table, mix.Weights, since.Games, withMix)));
  answer.set("since", since.Games);
  answer.set("settings", settings);
  answer.set("mix",
             withMix ? Curve(table.Mix.size(), [&](size_t g) { return table.Mix[g].ThroughChain; })
                     : val::null());
  answer.set("mixCaption", mix.Caption);
  return answer;
}

// The やめ時 curve after a BIG or a REG, k = 1 .. 200: its rows, the lines of
// `theory --quit-after KIND --tsv` and the curves for a chart (entry k - 1
// for k games).
val QuitCurve(const HallRequest& request) {
  const Asked asked(request);
  if (!asked.problem.isNull()) return asked.problem;
  const HallMix mix = PageMix(asked.history, asked.prior.Weights);
  const size_t after = AfterNamed(request.after) == theory::kReg ? theory::kReg : theory::kBig;
  const theory::QuitCurve curve =
      theory::ComputeQuitCurve(after, theory::kMaxQuitGames, mix.Weights);
  const bool withMix = !mix.Caption.empty();
  val settings = val::array();
  for (const std::vector<theory::Real>& balance : curve.Balance) {
    settings.call<void>("push", Curve(balance.size(), [&](size_t k) { return balance[k]; }));
  }
  val answer = val::object();
  answer.set("caption", theory::QuitCaption(after));
  answer.set("rows", Rows(theory::QuitTableRows(curve, mix.Caption)));
  answer.set("tsv", Tsv(theory::QuitTsvHeader(), theory::QuitTsvLines(curve, withMix)));
  answer.set("settings", settings);
  answer.set("mix", withMix ? Curve(curve.Mix.size(), [&](size_t k) { return curve.Mix[k]; })
                            : val::null());
  answer.set("mixCaption", mix.Caption);
  return answer;
}

// "等価 20円/枚", ...: the rates the ハマリ table prices medals at, in order.
val ExchangeRates() {
  std::vector<std::string> captions;
  for (const theory::ExchangeRate& rate : theory::kExchangeRates)
    captions.push_back(theory::RateCaption(rate));
  return StringArray(captions);
}

std::string GamesBox(const std::string& typed) { return GamesBoxProblem(typed); }

// What the native tests pin (tests/theory/PortableFiguresTest.cpp): equal
// when every figure of the hall tools is.
std::string FiguresSignature() {
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx",
                static_cast<unsigned long long>(theory::HallFiguresSignature()));
  return hex;
}

}  // namespace

EMSCRIPTEN_BINDINGS(hall) {
  emscripten::value_object<HallRequest>("HallRequest")
      .field("history", &HallRequest::history)
      .field("prior", &HallRequest::prior)
      .field("since", &HallRequest::since)
      .field("after", &HallRequest::after)
      .field("rate", &HallRequest::rate);
  emscripten::function("readHistory", &ReadHistory);
  emscripten::function("editHistory", &EditHistory);
  emscripten::function("gamesBoxProblem", &GamesBox);
  emscripten::function("estimate", &Estimate);
  emscripten::function("forecast", &Forecast);
  emscripten::function("hamari", &Hamari);
  emscripten::function("quitCurve", &QuitCurve);
  emscripten::function("exchangeRates", &ExchangeRates);
  emscripten::function("figuresSignature", &FiguresSignature);
}

}  // namespace sorimu::web
