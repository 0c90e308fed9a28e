#pragma once

// The charts' own texts: titles, axis captions, the zoom hint and the
// forecast's legend. Japanese, in UTF-8.
namespace sorimu::charttext {

inline constexpr const char* kSlumpTitle = "スランプグラフ";
inline constexpr const char* kZoomHint =
    "・マウスで範囲指定して拡大できます。右クリックでドラッグしてスクロールできます。";
inline constexpr const char* kBarsAxisBonuses = "ボーナス回数";
inline constexpr const char* kBarsAxisGames = "Play数";
inline constexpr const char* kForecastOuter = "予測 5～95%";
inline constexpr const char* kForecastInner = "予測 25～75%";
inline constexpr const char* kForecastMedian = "予測 中央値";

}  // namespace sorimu::charttext
