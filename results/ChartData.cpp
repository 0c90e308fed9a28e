#include "ChartData.h"

#include <cmath>

#include "NumberFormat.h"
#include "RoleCaptions.h"

namespace sorimu {

const std::array<MarkerSeriesStyle, kMarkerSeriesCount> kMarkerSeriesStyles = {{
    {"BIG", "BIG", MarkerShape::Diamond, 0x0000FF, "BIGCheckBox", Outcome::BIG},
    {"REG", "REG", MarkerShape::Triangle, 0x000000, "REGCheckBox", Outcome::REG},
    {"Cherry2", "Cherry2", MarkerShape::Circle, 0xFF0000, "Cherry2CheckBox", Outcome::Cherry2},
    {"Cherry4A", "Cherry4A", MarkerShape::Circle, 0xFF00FF, "Cherry4aCheckBox", Outcome::Cherry4A},
    {"Cherry4B", "Cherry4B", MarkerShape::Circle, 0x8000FF, "Cherry4bCheckBox", Outcome::Cherry4B},
    {"nCherry", "non Cherry", MarkerShape::Circle, 0xFF8080, "CherryNCheckBox", Outcome::nCherry},
    {"Plum", "Plum", MarkerShape::Triangle, 0x8080FF, "PlumCheckBox", Outcome::Plum},
    {"Bell", "Bell", MarkerShape::Triangle, 0xFFFF00, "BellCheckBox", Outcome::Bell},
    {"Hazure", "Hazure", MarkerShape::Triangle, 0xFFFFFF, "HazureCheckBox", Outcome::Hazure},
}};

int MarkerSeriesOf(const RunRow& row) {
  switch (row.LastOutcome) {
    case Code(Outcome::Cherry2): return kMarkerCherry2;
    case Code(Outcome::Cherry4A): return kMarkerCherry4A;
    case Code(Outcome::Cherry4B): return kMarkerCherry4B;
    case Code(Outcome::nCherry): return kMarkerNCherry;
    case Code(Outcome::Plum): return kMarkerPlum;
    case Code(Outcome::Bell): return kMarkerBell;
    case Code(Outcome::Hazure):
      return row.BonusKind == Code(BonusKindCode::None) ? kMarkerHazure : -1;
    case Code(Outcome::BIG): return kMarkerBIG;
    case Code(Outcome::REG): return kMarkerREG;
    default: return -1;
  }
}

std::array<PieSlice, 2> Ren3PieSlices(const ResultStats& s) {
  // The rows of the 3G連 table, in the bar chart's colours.
  return {{{"BIG", s.Ren3BigCount, kBigBarColour}, {"REG", s.Ren3RegCount, kRegBarColour}}};
}

std::array<PieSlice, 3> RenPieSlices(const ResultStats& s) {
  const std::array<int32_t, 3> counts = {s.RenHazureCount, s.RenJacHazureCount, s.RenPunkCount};
  constexpr std::array<uint32_t, 3> kColours = {0xFFFFFF, 0x808080, 0x000000};
  std::array<PieSlice, 3> slices;
  for (size_t i = 0; i < slices.size(); ++i) {
    slices[i] = {kRenCaptions[i].data(), counts[i], kColours[i]};
  }
  return slices;
}

std::array<PieSlice, kKoyakuCount> KoyakuPieSlices(const ResultStats& s) {
  constexpr std::array<uint32_t, kKoyakuCount> kColours = {0xFF0000, 0xFF00FF, 0x800080, 0x008000,
                                                           0x0000FF, 0xFFFF00, 0x000000, 0xFFFFFF};
  std::array<PieSlice, kKoyakuCount> slices;
  for (size_t k = 0; k < slices.size(); ++k) {
    slices[k] = {OutcomeText(Code(KoyakuRole(static_cast<int>(k)))).data(), s.KoyakuCount[k],
                 kColours[k]};
  }
  return slices;
}

std::array<PieSlice, kRtCancelKinds> RTCancelPieSlices(const ResultStats& s) {
  constexpr std::array<uint32_t, kRtCancelKinds> kColours = {0x00FF00, 0xFF0000, 0x800080, 0x000000,
                                                             0xFFFFFF, 0x00FFFF, 0x0000FF};
  std::array<PieSlice, kRtCancelKinds> slices;
  for (size_t k = 0; k < slices.size(); ++k) {
    slices[k] = {RtCancelCauseText(static_cast<int32_t>(k) + 1).data(), s.RTCancelCount[k],
                 kColours[k]};
  }
  return slices;
}

std::string AxisTickLabel(double value, double step) {
  struct Unit {
    double size;
    const char* name;
  };
  constexpr Unit kUnits[] = {{1e8, "億"}, {1e4, "万"}};
  for (const Unit& unit : kUnits) {
    const double tenth = unit.size / 10;
    if (std::fabs(value) >= unit.size && step >= tenth * (1 - 1e-9)) {
      return FormatGrouped(std::round(value / tenth) / 10) + unit.name;
    }
  }
  return FormatGrouped(std::round(value));
}

}  // namespace sorimu
