#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "Outcome.h"
#include "ResultStats.h"
#include "RoleCaptions.h"
#include "RunRecords.h"

namespace sorimu {

// What the charts show, decided here from the rows so that the window only
// draws. Colours are 0xRRGGBB.

enum MarkerSeries {
  kMarkerBIG,
  kMarkerREG,
  kMarkerCherry2,
  kMarkerCherry4A,
  kMarkerCherry4B,
  kMarkerNCherry,
  kMarkerPlum,
  kMarkerBell,
  kMarkerHazure,
  kMarkerSeriesCount,
};

enum class MarkerShape { Diamond, Triangle, Circle };

struct MarkerSeriesStyle {
  const char* name;        // series name
  const char* legendText;  // the legend's text for it
  MarkerShape shape;
  uint32_t colour;
  const char* checkBoxName;
  Outcome role;  // the check box is captioned MarkerCaption(role)
};

extern const std::array<MarkerSeriesStyle, kMarkerSeriesCount> kMarkerSeriesStyles;

// The marker series a row adds its point (PlayCount, Medal) to, or -1. Plums
// of BIG small-role games count (they stack on the line-up game's x); pure
// misses only outside a bonus.
int MarkerSeriesOf(const RunRow& row);

inline constexpr uint32_t kSlumpLineColour = 0xFF0000;
inline constexpr uint32_t kBigBarColour = 0xFF0000;
inline constexpr uint32_t kRegBarColour = 0x000000;

struct PieSlice {
  const char* label;
  int32_t value;
  uint32_t colour;
};

std::array<PieSlice, 2> Ren3PieSlices(const ResultStats& stats);
std::array<PieSlice, 3> RenPieSlices(const ResultStats& stats);
std::array<PieSlice, kKoyakuCount> KoyakuPieSlices(const ResultStats& stats);
std::array<PieSlice, kRtCancelKinds> RTCancelPieSlices(const ResultStats& stats);

// What a pie says in place of its slices while they are all 0.
inline constexpr const char* kNoSlicesText = "該当なし";

// An axis label for a whole-number tick `value` on an axis ticked every
// `step`: digits grouped by three below 1万 ("9,500"), then in 万 and 億 with
// at most one decimal ("1.5万", "3,000万", "1.2億"). A unit is taken only
// where one decimal of it tells the ticks apart; finer steps stay in the
// unit below ("10,500").
std::string AxisTickLabel(double value, double step);

// Visits the marked rows, in play order: onMarker(series, x, y) per marked
// row, and onBar(k, height, colour) per bonus row (bar k at x = k).
template <typename Marker, typename Bar>
void ForEachMarkedRow(const RunRecords& records, Marker&& onMarker, Bar&& onBar) {
  int32_t bar = 0;
  records.ForEachRowSpan([&](const RunRow* rows, size_t count) {
    for (size_t i = 0; i < count; ++i) {
      const RunRow& row = rows[i];
      const int series = MarkerSeriesOf(row);
      if (series >= 0) onMarker(series, row.PlayCount, row.Medal);
      if (series == kMarkerBIG || series == kMarkerREG) {
        onBar(bar++, row.GamesSinceBonus, series == kMarkerBIG ? kBigBarColour : kRegBarColour);
      }
    }
  });
}

// Visits what the rows put into the slump graph and the bar chart, in play
// order: the marked rows as ForEachMarkedRow, then onSlump(x, y) per
// normal-game row.
template <typename Marker, typename Bar, typename Slump>
void ForEachChartPoint(const RunRecords& records, Marker&& onMarker, Bar&& onBar, Slump&& onSlump) {
  ForEachMarkedRow(records, onMarker, onBar);
  records.ForEachRowSpan([&](const RunRow* rows, size_t count) {
    for (size_t i = 0; i < count; ++i) {
      if (IsNormalGameRow(rows[i])) onSlump(rows[i].PlayCount, rows[i].Medal);
    }
  });
}

}  // namespace sorimu
