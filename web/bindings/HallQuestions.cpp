#include "HallQuestions.h"

#include <memory>

#include "HistoryText.h"
#include "InputText.h"
#include "Messages.h"

namespace sorimu::web {

namespace {

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

}  // namespace

PageHistory ReadPageHistory(std::string_view text) {
  PageHistory page;
  HistoryParse parse = ParseHistoryText(text, kPageMaxBonuses);
  page.status = parse.status;
  page.Line = parse.Line;
  page.History = std::move(parse.history);
  page.Text = HistoryText(page.History);
  return page;
}

PageHistory EditPageHistory(std::string_view text, std::string_view action,
                            std::string_view typed) {
  PageHistory page = ReadPageHistory(text);
  if (!page.status.Ok()) return page;
  BonusHistory& history = page.History;
  const bool big = action == HistoryKindName(theory::kBig);
  if (big || action == HistoryKindName(theory::kReg)) {
    if (history.Bonuses.size() >= static_cast<size_t>(kPageMaxBonuses)) {
      page.status = Status::Fail(StatusKind::BadInput, HistoryBonusLimitReason(kPageMaxBonuses));
      return page;
    }
    const GamesParse games = ParseHistoryGames(typed, false);
    page.status = games.status;
    if (!games.status.Ok()) return page;
    history.Bonuses.push_back({big ? theory::kBig : theory::kReg, games.Games});
    history.OpenGames.reset();  // the stretch after the new bonus is not known yet
  } else if (action == kHistoryOpenKind) {
    const GamesParse games = ParseHistoryGames(typed, true);
    page.status = games.status;
    if (!games.status.Ok()) return page;
    history.OpenGames = games.Games;
  } else {
    history.FromStart = action == kHistoryStartLine;
  }
  page.Text = HistoryText(history);
  return page;
}

std::string GamesBoxProblem(std::string_view typed) {
  if (typed.empty() || ParseHistoryGames(typed, true).status.Ok()) return "";
  return ParseHistoryGames(typed, false).status.Message;
}

PagePrior ReadPagePrior(std::string_view typed) {
  PagePrior prior;
  if (Trimmed(typed).empty()) return prior;
  prior.Weights = ParsePrior(typed);
  if (!prior.Weights) prior.status = Status::Fail(StatusKind::BadInput, kPriorMessage);
  return prior;
}

HallMix PageMix(const PageHistory& history, const std::optional<SettingWeights>& prior) {
  return MixForHall(prior, history.Text.empty() ? nullptr : &history.History);
}

size_t AfterNamed(std::string_view name) {
  if (name == HistoryKindName(theory::kBig)) return theory::kBig;
  if (name == HistoryKindName(theory::kReg)) return theory::kReg;
  return theory::kAfterEither;
}

const theory::DryTable& DryTableFor(size_t after, const theory::SettingMix& weights) {
  static std::unique_ptr<theory::DryTable> kept;
  static theory::SettingMix keptWeights{};
  if (!kept || kept->After != after || keptWeights != weights) {
    kept = std::make_unique<theory::DryTable>(theory::ComputeDryTable(after, weights));
    keptWeights = weights;
  }
  return *kept;
}

}  // namespace sorimu::web
