// The 26 weight tables of the machine. The settings differ only in the
// cancel, mode-0 RT and mode-1 RT tables; everything else is common.
#include <cstddef>
#include <initializer_list>

#include "Slot.h"

namespace sorimu {

namespace {

void Fill(Rate_TBL<int>& table, std::initializer_list<int> weights) {
  table.clear();
  for (int weight : weights) table.push_back(weight);
}

// Mode-0 RT classes (rows) per table (columns: settings 1, 2, 3, 4, 5-6).
constexpr int kMode0RtWeights[18][5] = {
    {24, 24, 26, 26, 28},  // 0: 1-32
    {18, 18, 20, 20, 22},  // 1: 33-96
    {22, 22, 24, 24, 28},  // 2: 97-128
    {14, 14, 16, 16, 18},  // 3: 118-149
    {26, 26, 30, 30, 32},  // 4: 150-181
    {26, 30, 26, 30, 25},  // 5: 182-309
    {20, 20, 20, 20, 20},  // 6: 310-437
    {28, 30, 28, 30, 25},  // 7: 438-565
    {8, 7, 7, 6, 6},       // 8: 566-693
    {8, 7, 7, 6, 6},       // 9: 694-835
    {7, 7, 6, 5, 6},       // 10: 822-949
    {10, 10, 8, 8, 8},     // 11: 950-1077
    {6, 6, 5, 6, 4},       // 12: 999
    {8, 7, 7, 6, 6},       // 13: 1078-1205
    {8, 7, 7, 6, 6},       // 14: 1206-1333
    {8, 7, 7, 6, 6},       // 15: 1334-1461
    {8, 7, 6, 6, 5},       // 16: 1426-1489
    {7, 7, 6, 5, 5},       // 17: 1490
};

// Mode-1 RT classes (rows) per table (columns: settings 1-2, 3-4, 5, 6).
constexpr int kMode1RtWeights[12][4] = {
    {24, 26, 28, 28},  // 0: 1-32
    {18, 20, 22, 22},  // 1: 33-96
    {22, 24, 28, 28},  // 2: 97-128
    {14, 16, 18, 18},  // 3: 118-149
    {26, 30, 32, 32},  // 4: 150-181
    {24, 24, 24, 25},  // 5: 182-309
    {24, 24, 24, 25},  // 6: 310-437
    {24, 24, 24, 25},  // 7: 438-565
    {18, 16, 14, 14},  // 8: 566-693
    {18, 16, 13, 14},  // 9: 694-835
    {20, 16, 13, 13},  // 10: 822-949
    {24, 20, 16, 12},  // 11: 950-999
};

template <size_t Rows, size_t Cols>
void FillColumn(Rate_TBL<int>& table, const int (&weights)[Rows][Cols], size_t column) {
  table.clear();
  for (const auto& row : weights) table.push_back(row[column]);
}

}  // namespace

void Slot::FillTables() {
  Fill(StockTbl, {275, 183});                 // BIG stock, REG stock; else none
  Fill(FlagTbl, {1024, 6795, 720, 8979, 1});  // cherry, Plum, Bell, Replay, Hazure; else Miss
  Fill(ModeTbl, {151, 105});                  // mode 0, mode 1
  Fill(CherryTbl, {2, 90, 36, 128});          // Cherry2, Cherry4A, Cherry4B, nCherry
  Fill(CancelTbl1, {30});
  Fill(CancelTbl2, {41});
  Fill(CancelTbl3, {39});
  Fill(CancelTbl4, {66});
  Fill(CancelTbl5, {64});
  Fill(CancelTbl6, {105});
  Fill(ShortRtTbl, {32, 112, 112});  // 1-8, 9-24, 25-32 games
  Fill(ZtCancelTbl, {192});          // ZT after a cancelling 4-cherry B
  Fill(ZtKeepTbl, {56});             // no ZT after a non-cancelling one
  FillColumn(Mode0RtTbl1, kMode0RtWeights, 0);
  FillColumn(Mode0RtTbl2, kMode0RtWeights, 1);
  FillColumn(Mode0RtTbl3, kMode0RtWeights, 2);
  FillColumn(Mode0RtTbl4, kMode0RtWeights, 3);
  FillColumn(Mode0RtTbl56, kMode0RtWeights, 4);
  FillColumn(Mode1RtTbl12, kMode1RtWeights, 0);
  FillColumn(Mode1RtTbl34, kMode1RtWeights, 1);
  FillColumn(Mode1RtTbl5, kMode1RtWeights, 2);
  FillColumn(Mode1RtTbl6, kMode1RtWeights, 3);
  Fill(BigGameTbl, {173, 83});  // plum, JAC-IN role
  Fill(BigHazureTbl, {68});     // pure miss in a BIG small-role game
  Fill(JacTbl, {65535, 1});     // JAC won, JAC missed
  Fill(Ren3Tbl, {77, 179});     // 3G連, ordinary RT
}

}  // namespace sorimu
