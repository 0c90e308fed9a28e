#pragma once

#include <optional>
#include <string>

#include "RunRecords.h"
#include "RunRow.h"
#include "SimFileHeader.h"

// What the machine can write into a simulation file, so that the reader can
// refuse a file that was made or changed elsewhere before any view, figure
// or prediction is built on states the machine never reaches. The rules
// follow the machine's own (Slot.cpp, MachineRules.h) and nothing more:
// every file a run leaves passes them, cut short or not. The balance is not
// checked: no rule of the machine bounds it beyond what a run's length does.
namespace sorimu {

// A value the machine never writes where it stands.
struct FieldFault {
  long long Row = 0;  // 1-based; 0 for the header
  const char* Field = "";
  long long Value = 0;
  std::string Allowed;  // what the machine could have written there: "0～13", "101", "0、7"
};

std::optional<FieldFault> CheckHeader(const SimFileHeader& header);

// Follows a file's rows in order, as the machine would have played them
// from a reset with the header's start stocks: each row's fields in their
// ranges, the counters stepping as games are played, the RT's cause kept
// no longer than its RT can last, a bonus's games in the order and number
// the machine plays them, and the stocks moving only as the stock lottery
// and the end of a bonus move them.
class RowChecker {
 public:
  explicit RowChecker(const SimFileHeader& header);

  // The next row; the first fault in it, if any. Once a row is at fault,
  // the rows after it are not the checker's concern.
  std::optional<FieldFault> Check(const RunRow& row);
  // After the last row: the header's game count against the rows.
  std::optional<FieldFault> Finish() const;

 private:
  struct Bonus {
    int32_t Kind = 0;
    int32_t SmallGames = 0;  // BonusGames so far
    int32_t JacGames = 0;
    int32_t ShownJacIns = 0;
    bool JacMode = false;  // a JAC set of a BIG is under way
    bool RenDue = false;   // a 1G連 follows its end
    int32_t BigStock = 0;  // as the line-up game left them
    int32_t RegStock = 0;
  };

  FieldFault FieldOutOfRange(const RunRow& row) const;
  std::optional<FieldFault> NormalGame(const RunRow& row);
  // The RT's cause on a normal game that had `carried` for `since` games.
  std::optional<FieldFault> RtCause(const RunRow& row, int32_t carried, int32_t since) const;
  std::optional<FieldFault> BonusGame(const RunRow& row);

  int32_t games_ = 0;  // the header's
  long long rows_ = 0;
  RunRow last_{};                // the previous row, or the machine right after its reset
  bool bonusDue_ = false;        // the next game is a bonus game
  bool bonusEnded_ = false;      // the previous row ended a bonus
  int32_t gamesSinceCause_ = 0;  // normal games since the RT took last_'s cause
  Bonus bonus_;
};

// The header and every row of `records`: the first fault, if any.
std::optional<FieldFault> CheckRun(const SimFileHeader& header, const RunRecords& records);

}  // namespace sorimu
