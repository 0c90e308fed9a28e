#include "HallCommand.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <tuple>

#include "CliTexts.h"
#include "ExpectedLine.h"
#include "HallText.h"
#include "HistoryEstimate.h"
#include "HistoryFile.h"
#include "HistoryText.h"
#include "InputText.h"
#include "Messages.h"
#include "Report.h"

namespace sorimu {

namespace {

using theory::kSettingCount;

// A line of more games than a run of the window is a typing error.
constexpr int32_t kMaxLineGames = 10000000;

// The mix the tables show, from --prior or --history; nothing after the
// message.
std::optional<HallMix> ReadMix(const CommandOptions& options, std::ostream& err, int& status) {
  if (options.Has("--prior") && options.Has("--history")) {
    err << kPriorAndHistory << kTheoryUsage;
    status = kBadUsage;
    return std::nullopt;
  }
  std::optional<SettingWeights> prior;
  if (options.Has("--prior")) {
    prior = ParsePrior(options.ValueOr("--prior", ""));
    if (!prior) {
      err << kPriorMessage << '\n';
      status = kBadUsage;
      return std::nullopt;
    }
  }
  if (!options.Has("--history")) return MixForHall(prior, nullptr);
  const HistoryRead read = ReadHistoryFile(options.ValueOr("--history", ""));
  if (!read.status.Ok()) {
    err << read.status.Message << '\n';
    status = kFileFailed;
    return std::nullopt;
  }
  return MixForHall(prior, &read.history);
}

std::optional<size_t> KindOption(const CommandOptions& options, const char* name) {
  const std::string text = options.ValueOr(name, "");
  if (text == "BIG") return theory::kBig;
  if (text == "REG") return theory::kReg;
  return std::nullopt;
}

// Options that belong to another use of `theory`; false after the message.
bool OnlyThese(const CommandOptions& options, const std::vector<std::string>& allowed,
               std::ostream& err) {
  for (const auto& [name, value] : options.values) {
    if (std::find(allowed.begin(), allowed.end(), name) == allowed.end()) {
      err << name << kNotInThisUse << kTheoryUsage;
      return false;
    }
  }
  return true;
}

void WriteRows(std::ostream& out, const std::string& caption, const std::vector<TableRow>& rows) {
  out << '[' << caption << "]\n";
  for (const TableRow& row : rows) WriteTabRow(out, row);
}

}  // namespace

int RunSinceQuestion(const CommandOptions& options, std::ostream& out, std::ostream& err) {
  if (!OnlyThese(options, {"--since", "--after", "--prior", "--history"}, err)) return kBadUsage;
  const CountResult since =
      ParseCount(options.ValueOr("--since", ""), 0, kMaxHistoryGames, kCliSinceMessage);
  if (!since.status.Ok()) {
    err << since.status.Message << '\n';
    return ExitStatusOf(since.status);
  }
  size_t after = theory::kAfterEither;
  if (options.Has("--after")) {
    const std::optional<size_t> kind = KindOption(options, "--after");
    if (!kind) {
      err << kCliAfterMessage << '\n';
      return kBadUsage;
    }
    after = *kind;
  }
  int status = kOk;
  const std::optional<HallMix> mix = ReadMix(options, err, status);
  if (!mix) return status;
  if (!options.Has("--after") && mix->After) after = *mix->After;

  const theory::DryTable table = theory::ComputeDryTable(after, mix->Weights);
  if (options.HasFlag("--tsv")) {
    out << theory::SinceTsvHeader() << '\n';
    for (const std::string& line :
         theory::SinceTsvLines(table, mix->Weights, since.value, !mix->Caption.empty())) {
      out << line << '\n';
    }
    return kOk;
  }
  WriteRows(out, theory::SinceCaption(since.value, after),
            theory::SinceTableRows(table, mix->Weights, since.value, mix->Caption,
                                   theory::kExchangeRates[0]));
  return kOk;
}

int RunQuitQuestion(const CommandOptions& options, std::ostream& out, std::ostream& err) {
  if (!OnlyThese(options, {"--quit-after", "--games", "--prior", "--history"}, err)) {
    return kBadUsage;
  }
  const std::optional<size_t> after = KindOption(options, "--quit-after");
  if (!after) {
    err << kCliQuitAfterMessage << '\n';
    return kBadUsage;
  }
  int32_t games = theory::kMaxQuitGames;
  if (options.Has("--games")) {
    const CountResult count =
        ParseCount(options.ValueOr("--games", ""), 1, theory::kMaxQuitGames, kCliQuitGamesMessage);
    if (!count.status.Ok()) {
      err << count.status.Message << '\n';
      return ExitStatusOf(count.status);
    }
    games = count.value;
  }
  int status = kOk;
  const std::optional<HallMix> mix = ReadMix(options, err, status);
  if (!mix) return status;
  const theory::QuitCurve curve = theory::ComputeQuitCurve(*after, games, mix->Weights);
  if (options.HasFlag("--tsv")) {
    out << theory::QuitTsvHeader() << '\n';
    for (const std::string& line : theory::QuitTsvLines(curve, !mix->Caption.empty())) {
      out << line << '\n';
    }
    return kOk;
  }
  WriteRows(out, theory::QuitCaption(*after), theory::QuitTableRows(curve, mix->Caption));
  return kOk;
}

int RunLineQuestion(const CommandOptions& options, std::ostream& out, std::ostream& err) {
  if (!OnlyThese(options, {"--line", "--setting", "--big", "--reg"}, err)) return kBadUsage;
  const CountResult games =
      ParseCount(options.ValueOr("--line", ""), 1, kMaxLineGames, kCliLineMessage);
  if (!games.status.Ok()) {
    err << games.status.Message << '\n';
    return ExitStatusOf(games.status);
  }
  const CountResult setting =
      ParseCount(options.ValueOr("--setting", ""), 1, kSettingCount, kLineNeedsSetting);
  if (!setting.status.Ok()) {
    err << kLineNeedsSetting << '\n';
    return kBadUsage;
  }
  ShownRun shown;
  shown.Present = true;
  shown.Flevel = setting.value;
  shown.Games = games.value;
  shown.FirstBet = kNormalGameBet;
  for (const auto& [name, message, stock] :
       {std::tuple{"--big", kBigStockRangeMessage, &shown.BigStock},
        std::tuple{"--reg", kRegStockRangeMessage, &shown.RegStock}}) {
    *stock = kMaxStock;
    if (!options.Has(name)) continue;
    const CountResult count = ParseCount(options.ValueOr(name, ""), 0, kMaxStock, message);
    if (!count.status.Ok()) {
      err << count.status.Message << '\n';
      return ExitStatusOf(count.status);
    }
    *stock = count.value;
  }
  const LineOffer offer = OfferExpectedLine(shown);
  if (offer.Absence != LineAbsence::None) {
    err << kLineStocksMessage << '\n';
    return kBadUsage;
  }
  const theory::ExpectedRun run = theory::ComputeExpectedRun(
      theory::DefaultCycleModel(offer.Setting), offer.Start, offer.Games);
  out << "games\tbalance\n";
  char buffer[64];
  for (int32_t n = 1; n <= run.Games; ++n) {
    std::snprintf(buffer, sizeof buffer, "%d\t%.17g\n", n, static_cast<double>(run.BalanceAt(n)));
    out << buffer;
  }
  return kOk;
}

}  // namespace sorimu
