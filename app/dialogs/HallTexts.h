#pragma once

// The words of the 実戦データ box and of what the other boxes show of a
// bonus history.
namespace sorimu::halltext {

inline constexpr const char* kToolHall = "実戦データ(&H)...";
inline constexpr const char* kTitle = "実戦データ";
inline constexpr const char* kHistoryLabel =
    "ボーナス履歴（種別は B・R、最後の行を「-」にすると現在のハマリG数）";
inline constexpr const char* kKindColumn = "種別";
inline constexpr const char* kGamesColumn = "G数";
inline constexpr const char* kFromStart = "朝一から（最初の区間も使う）";
inline constexpr const char* kPaste = "貼り付け";
inline constexpr const char* kFile = "ファイル...";
inline constexpr const char* kFromRun = "表示中の回";
inline constexpr const char* kClear = "クリア";
inline constexpr const char* kReading = "読み込んでいます・・・";
inline constexpr const char* kFileFailed = "読み込めません: ";
inline constexpr const char* kOutOfMemory = "メモリが不足したため、読み込みを中断しました。";
inline constexpr const char* kInitialHistoryName = "history.txt";
inline constexpr const char* kHistoryFileFilter =
    "ボーナス履歴 (*.txt *.csv *.sim);;すべてのファイル (*)";

inline constexpr const char* kEstimateTab = "設定推測";
inline constexpr const char* kForecastLabel = "この先の推測";
inline constexpr const char* kForecastStart = "計算";
inline constexpr const char* kForecastCancel = "キャンセル";
inline constexpr const char* kForecastRunning = "計算中・・・ %1 / %2 回";
inline constexpr const char* kForecastDone = "予測回数 %1、seed %2";
inline constexpr const char* kForecastCancelled = "計算をキャンセルしました";
inline constexpr const char* kForecastFailed = "計算できません: ";
inline constexpr const char* kForecastOutOfMemory = "メモリが不足したため、計算を中断しました。";

inline constexpr const char* kSinceTab = "ハマリ・天井";
inline constexpr const char* kQuitTab = "やめ時";
inline constexpr const char* kRateLabel = "交換率";
inline constexpr const char* kWorking = "計算中・・・";
inline constexpr const char* kQuitXAxis = "やめるまでのG数（ボーナスなしで k ゲーム）";
inline constexpr const char* kQuitYAxis = "期待収支 (枚)";
inline constexpr const char* kMixSeries = "配分";

// The 設定推測 box's comparison with the bonus list alone.
inline constexpr const char* kHistoryOnlyBox = "ボーナス履歴だけの推測も表示";
inline constexpr const char* kHistoryOnlySeries = "ボーナス履歴だけ";
inline constexpr const char* kHistoryOnlyColumn = "履歴だけ";

// スペック表's table of the spread.
inline constexpr const char* kVolatilityLabel =
    "出玉の荒さ（1ゲームあたりの差枚の標準偏差と、収支の幅）";

}  // namespace sorimu::halltext
