#pragma once

#include <string>

#include "RunRow.h"

namespace sorimu {

// The texts of the PLAY情報 list, formatted from a row when the list asks
// for it: the list reads the rows of the run it shows, which nothing changes
// while it is shown, so no texts are kept.
class ResultTexts {
 public:
  enum ColumnIndex {
    kPlayCount,        // "PLAY数"
    kGamesSinceBonus,  // "PLAY数2"
    kOutcome,          // "確定役"
    kMedal,            // "メダル数"
    kZt,               // "ＺＴ"
    kRtCancel,         // "RT解除状態"
    kBigStock,         // "BIG Stock"
    kRegStock,         // "REG Stock"
  };
  static constexpr int kColumnCount = 8;

  static std::string RowText(const RunRow& row, int column);
};

}  // namespace sorimu
