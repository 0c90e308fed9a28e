#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "ChunkedArray.h"
#include "RunRow.h"

namespace sorimu {

// The texts of the PLAY情報 list for the run on display. They outlive the rows
// they came from (a batch replaces the rows but not the display), so the
// fields they need are copied, compactly, and formatted only when the list
// asks for a row.
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

  void Clear() { rows_.clear(); }
  bool Append(const RunRow& row);
  size_t size() const { return rows_.size(); }

  std::string Text(int column, size_t index) const;

  // The same texts straight from a row, for callers without a display.
  static std::string RowText(const RunRow& row, int column);

 private:
  struct TextRow {
    int32_t PlayCount;
    int32_t GamesSinceBonus;
    int32_t Medal;
    int32_t LastOutcome;
    int32_t RTCancel;
    int32_t BigStock;
    int32_t RegStock;
    uint8_t InBonus;
    uint8_t InZt;
  };
  static TextRow Compact(const RunRow& row);
  static std::string Format(const TextRow& row, int column);

  ChunkedArray<TextRow, 17> rows_;
};

}  // namespace sorimu
