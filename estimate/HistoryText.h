#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "BonusHistory.h"
#include "Status.h"

// A bonus history typed or pasted as text, or the bonus list CSV that
// CSV出力 and `sorimu-cli show --csv` write.
//
// Text: one bonus a line, its kind and the normal games since the bonus
// before, separated by a TAB, a comma or spaces ("BIG<TAB>123", "R,45");
// BIG, REG, B or R in either case; full-width letters and digits read as
// their plain forms. An optional last line "-<TAB>G" gives the games since
// the last bonus. "#" starts a comment; blank lines are skipped; the first
// line may be a header (neither a kind nor a count in it), or "start" when
// the history begins with a fresh machine.
namespace sorimu {

inline constexpr int32_t kMaxHistoryLines = 1000000;
// Counts above this are typing errors: no day has that many games.
inline constexpr int32_t kMaxHistoryGames = 10000000;

// What the history is made of on a line of its own in the text.
inline constexpr std::string_view kHistoryStartLine = "start";
inline constexpr std::string_view kHistoryOpenKind = "-";

struct HistoryParse {
  Status status;         // Ok, or BadInput with "<n>行目: <what was expected>"
  BonusHistory history;  // empty unless Ok
  int32_t Line = 0;      // the line of the problem
};

// With more than `maxBonuses` bonuses the line of the first one too many is
// the problem.
HistoryParse ParseHistoryText(std::string_view text, int32_t maxBonuses = kMaxHistoryLines);

// A history typed into a table: a row per bonus, its kind and games in
// cells of their own, the stretch still open as a last row of kind "-".
// Blank rows are skipped; every other row is read as a line of the text is
// (a row that is not a bonus is a mistake, never a header), and a problem
// names its row as "<n>行目". Whether the history begins with a fresh machine
// is said beside the table.
struct HistoryRow {
  std::string Kind;
  std::string Games;
};
HistoryParse ParseHistoryRows(const std::vector<HistoryRow>& rows, bool fromStart);
// The rows that give this history back (its start aside).
std::vector<HistoryRow> HistoryRows(const BonusHistory& history);

// The games of one bonus (`open` false) or of the stretch still open, typed
// into a box by themselves: the reader's rule for that field. The status
// gives the reason alone, without a line.
struct GamesParse {
  Status status;
  int32_t Games = 0;
};
GamesParse ParseHistoryGames(std::string_view typed, bool open);

// "BIG" or "REG": a kind as the text writes it.
std::string_view HistoryKindName(size_t kind);

// The text form of a history, which ParseHistoryText reads back.
std::string HistoryText(const BonusHistory& history);

}  // namespace sorimu
