#include "ChartData.h"

#include "Outcome.h"

const std::array<MarkerSeriesStyle, kMarkerSeriesCount> kMarkerSeriesStyles = {{
    {"BIG", "BIG", MarkerShape::Diamond, 0x0000FF, "BIGCheckBox", "BIG"},
    {"REG", "REG", MarkerShape::Triangle, 0x000000, "REGCheckBox", "REG"},
    {"Cherry2", "Cherry2", MarkerShape::Circle, 0xFF0000, "Cherry2CheckBox", "2枚チェリー"},
    {"Cherry4A", "Cherry4A", MarkerShape::Circle, 0xFF00FF, "Cherry4aCheckBox", "4枚チェリーA"},
    {"Cherry4B", "Cherry4B", MarkerShape::Circle, 0x8000FF, "Cherry4bCheckBox", "4枚チェリーB"},
    {"nCherry", "non Cherry", MarkerShape::Circle, 0xFF8080, "CherryNCheckBox", "非出現チェリー"},
    {"Plum", "Plum", MarkerShape::Triangle, 0x8080FF, "PlumCheckBox", "プラム"},
    {"Bell", "Bell", MarkerShape::Triangle, 0xFFFF00, "BellCheckBox", "ベル"},
    {"Hazure", "Hazure", MarkerShape::Triangle, 0xFFFFFF, "HazureCheckBox", "純ハズレ"},
}};

int MarkerSeriesOf(const RunRow& row) {
  switch (row.LastOutcome) {
    case Cherry2: return kMarkerCherry2;
    case Cherry4A: return kMarkerCherry4A;
    case Cherry4B: return kMarkerCherry4B;
    case nCherry: return kMarkerNCherry;
    case Plum: return kMarkerPlum;
    case Bell: return kMarkerBell;
    case Hazure: return row.BonusKind == 0 ? kMarkerHazure : -1;
    case BIG: return kMarkerBIG;
    case REG: return kMarkerREG;
    default: return -1;
  }
}

std::array<PieSlice, 3> RenPieSlices(const ResultStats& s) {
  return {{{"純ハズレ", s.RenHazureCount, 0xFFFFFF},
           {"JACハズレ", s.RenJacHazureCount, 0x808080},
           {"パンク", s.RenPunkCount, 0x000000}}};
}

std::array<PieSlice, 8> KoyakuPieSlices(const ResultStats& s) {
  const auto& k = s.KoyakuCount;
  return {{{"2枚チェリー", k[0], 0xFF0000},
           {"4枚チェリーA", k[1], 0xFF00FF},
           {"4枚チェリーB", k[2], 0x800080},
           {"非出現チェリー", k[3], 0x008000},
           {"プラム", k[4], 0x0000FF},
           {"ベル", k[5], 0xFFFF00},
           {"リプレイ", k[6], 0x000000},
           {"純ハズレ", k[7], 0xFFFFFF}}};
}

std::array<PieSlice, 7> RTCancelPieSlices(const ResultStats& s) {
  const auto& c = s.RTCancelCount;
  return {{{"規定RT消化", c[0], 0x00FF00},
           {"2枚チェリー", c[1], 0xFF0000},
           {"4枚チェリーB1", c[2], 0x800080},
           {"4枚チェリーB2", c[3], 0x000000},
           {"純ハズレ", c[4], 0xFFFFFF},
           {"1G連", c[5], 0x00FFFF},
           {"3G連", c[6], 0x0000FF}}};
}
