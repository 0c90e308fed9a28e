#pragma once

#include <array>
#include <string>

namespace sorimu {

// Pages of the result tabs and the columns of their lists, in tab order.
// How a column's figures are shown; the files and the CSV keep every digit.
enum class CellForm {
  Plain,
  Share,  // a fraction of one, shown as a percentage with one decimal: "69.4 %"
  OneIn,  // "1/142.857142857143", shown with one decimal: "1/142.9"
};

struct ListColumn {
  const char* caption;
  int width;
  CellForm form = CellForm::Plain;
};

// A cell as the list shows it; the text itself where the form keeps it.
std::string ShownCell(CellForm form, const std::string& text);

struct ResultList {
  const char* pageCaption;
  const char* listName;
  const ListColumn* columns;
  int columnCount;
};

inline constexpr ListColumn kPlayInfoColumns[] = {
    {"PLAY数", 60}, {"PLAY数2", 60},     {"確定役", 90},    {"メダル数", 70},
    {"ＺＴ", 30},   {"RT解除状態", 120}, {"BIG Stock", 65}, {"REG Stock", 70},
};
inline constexpr ListColumn kBonusColumns[] = {
    {"PLAY数", 60}, {"PLAY数2", 60}, {"確定役", 100}, {"RT解除契機", 100}, {"獲得メダル", 70},
};
inline constexpr ListColumn kRen3Columns[] = {
    {"種別", 70},
    {"当選回数", 70},
    {"当選率", 80, CellForm::Share},
    {"割合", 80, CellForm::Share},
};
inline constexpr ListColumn kRenColumns[] = {
    {"種別", 100}, {"出現回数", 70}, {"割合", 70, CellForm::Share}};
inline constexpr ListColumn kKoyakuColumns[] = {
    {"絵柄", 100},
    {"出現回数", 70},
    {"出現率", 70, CellForm::Share},
    {"出現率(1/X)", 80, CellForm::OneIn},
};
inline constexpr ListColumn kRTCancelColumns[] = {
    {"種別", 100}, {"解除回数", 70}, {"割合", 70, CellForm::Share}};

enum ResultPage { kPlayInfoPage, kBonusPage, kRen3Page, kRenPage, kKoyakuPage, kRTCancelPage };

inline constexpr std::array<ResultList, 6> kResultLists = {{
    {"PLAY情報", "ResultListView", kPlayInfoColumns, 8},
    {"ボーナス情報", "BListView", kBonusColumns, 5},
    {"3G連情報", "Ren3ListView", kRen3Columns, 4},
    {"1G連情報", "RenListView", kRenColumns, 3},
    {"小役出現率", "KoyakuListView", kKoyakuColumns, 4},
    {"RT解除情報", "RTCancelListView", kRTCancelColumns, 3},
}};

}  // namespace sorimu
