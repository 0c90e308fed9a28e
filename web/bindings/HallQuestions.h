#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "BonusHistory.h"
#include "HallTables.h"
#include "HistoryEstimate.h"
#include "SettingEstimate.h"
#include "Status.h"

// The hall tools as the page asks for them: the history as the text the page
// keeps, the boxes as typed, answers as values. Plain C++, so that its tests
// run without emscripten; HallBindings.cpp hands it to JavaScript.
namespace sorimu::web {

// More bonuses than a day at any machine brings: a longer text is something
// else pasted by mistake, and would only slow the page down.
inline constexpr int32_t kPageMaxBonuses = 2000;

// A history as the page holds it: the value, and its text in the form the
// core writes, which the page stores, links and exports.
struct PageHistory {
  Status status;     // Ok, or what is wrong ("<n>行目: ..." for a text read)
  int32_t Line = 0;  // the line of the problem in a text read
  BonusHistory History;
  std::string Text;
};

PageHistory ReadPageHistory(std::string_view text);

// The history after one tap: `action` "BIG" or "REG" adds a bonus after the
// games typed, "-" sets the games since the last bonus, "start" and "midway"
// say whether the first stretch counts from a fresh machine. `text` is what
// ReadPageHistory or EditPageHistory gave. On a problem the status says it
// and the history is the one before.
PageHistory EditPageHistory(std::string_view text, std::string_view action, std::string_view typed);

// What is wrong with the games box as typed so far: empty while it is empty
// or holds a count that a bonus or the stretch under way takes.
std::string GamesBoxProblem(std::string_view typed);

// The hall's prior as typed: nothing for an empty box.
struct PagePrior {
  Status status;
  std::optional<SettingWeights> Weights;
};
PagePrior ReadPagePrior(std::string_view typed);

// The mix of the ハマリ and やめ時 tables for the page's history (none while
// nothing is entered) and prior.
HallMix PageMix(const PageHistory& history, const std::optional<SettingWeights>& prior);

// "", "BIG" or "REG" as the page names what the stretch follows:
// theory::kAfterEither, kBig or kReg.
size_t AfterNamed(std::string_view name);

// The ハマリ table for `after` and the weights, kept from the question
// before when they are the same: a new G needs no new table.
const theory::DryTable& DryTableFor(size_t after, const theory::SettingMix& weights);

}  // namespace sorimu::web
