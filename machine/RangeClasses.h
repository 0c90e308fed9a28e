#pragma once

#include <cstdint>

namespace sorimu {

// How an RT lottery's class becomes a game count: base + (Next mod width), or
// the base alone where the width is 0. The ranges overlap on purpose (classes
// 2/3, 9/10, 15/16) and class 9 is 142 wide: the counts are exactly as tabled.
struct RangeClass {
  int32_t base;
  int32_t width;
};

inline constexpr RangeClass kRtLottery0Classes[18] = {
    {1, 32},    {33, 64},    {97, 32},    {118, 32},   {150, 32},  {182, 128},
    {310, 128}, {438, 128},  {566, 128},  {694, 142},  {822, 128}, {950, 128},
    {999, 0},   {1078, 128}, {1206, 128}, {1334, 128}, {1426, 64}, {1490, 0},
};

inline constexpr RangeClass kRtLottery1Classes[12] = {
    {1, 32},    {33, 64},   {97, 32},   {118, 32},  {150, 32},  {182, 128},
    {310, 128}, {438, 128}, {566, 128}, {694, 142}, {822, 128}, {950, 50},
};

inline constexpr RangeClass kShortRtClasses[3] = {{1, 8}, {9, 16}, {25, 8}};

}  // namespace sorimu
