#pragma once

// Every text the window layer shows of its own: captions, menu entries,
// dialog titles, file filters and the messages only a window has. What a
// command reports (its messages and status texts) comes from the core's
// results/Messages.h; captions of lists and roles from ListColumns.h and
// RoleCaptions.h.
namespace sorimu::wintext {

// --- The main window ------------------------------------------------------------
inline constexpr const char* kTitle = "Sorimu";
inline constexpr const char* kPlayNumLabel = "Play数";
inline constexpr const char* kFlevelLabel = "設定";
inline constexpr const char* kFlevelButton = "設定確認";
inline constexpr const char* kSimNumLabel = "Sim回数";
inline constexpr const char* kStartButton = "開始";
inline constexpr const char* kCancelButton = "中断";
inline constexpr const char* kBigStockLabel = "BIGストック";
inline constexpr const char* kRegStockLabel = "REGストック";
inline constexpr const char* kResultGroup = "シミュレーション結果";
inline constexpr const char* kMarkerGroup = "役出現表示";
inline constexpr const char* kHiddenFlevelNote = "終了時に設定が確認できます。";

inline constexpr const char* kFileMenu = "ファイル(&F)";
inline constexpr const char* kFileOpen = "開く(&O)";
inline constexpr const char* kFileSave = "保存(&S)";
inline constexpr const char* kFileStart = "開始(&G)";
inline constexpr const char* kFileExit = "終了(&X)";
inline constexpr const char* kHelpMenu = "ヘルプ(&H)";
inline constexpr const char* kHelpAbout = "バージョン情報(&A)";
inline constexpr const char* kHelpManual = "取扱説明書(&C)";
inline constexpr const char* kHelpJWord = "JWordのインストール";
inline constexpr const char* kHelpHomePage = "ホームページ";
inline constexpr const char* kHelpAd = "広告";
inline constexpr const char* kToolMenu = "ツール(&T)";
inline constexpr const char* kToolAnalysis = "複数回分析(&M)...";
inline constexpr const char* kToolEstimate = "設定推測(&E)...";
inline constexpr const char* kToolCsv = "CSV出力";
inline constexpr const char* kToolImage = "画像保存";

// --- Files and exports ---------------------------------------------------------
inline constexpr const char* kSimFileFilter = "Sorimuファイル (*.sim)";
inline constexpr const char* kCsvFilter = "CSVファイル (*.csv)";
inline constexpr const char* kImageFilter = "PNG画像 (*.png)";
inline constexpr const char* kInitialSimName = "*.sim";
inline constexpr const char* kInitialCsvName = "sorimu.csv";
inline constexpr const char* kInitialImageName = "sorimu.png";
inline constexpr const char* kCsvDoneStatus = "CSVファイルに出力完了";
inline constexpr const char* kImageDoneStatus = "画像ファイルに保存完了";
inline constexpr const char* kChartNotDrawable = "グラフを画像にできません。";

// --- Boxes -------------------------------------------------------------------------
inline constexpr const char* kErrorCaption = "エラー";
inline constexpr const char* kAboutTitle = "バージョン情報";
inline constexpr const char* kAboutHomePageLink = "Yusoraのページ";
inline constexpr const char* kAboutAuthor = "Yusora";
inline constexpr const char* kAboutCopyright = "Copyright (C)";
inline constexpr const char* kAboutVersion = "Version1.0.3.0";

// --- Charts -----------------------------------------------------------------------
inline constexpr const char* kSlumpTitle = "スランプグラフ";
inline constexpr const char* kZoomHint =
    "・マウスで範囲指定して拡大できます。右クリックでドラッグしてスクロールできます。";
inline constexpr const char* kBarsAxisBonuses = "ボーナス回数";
inline constexpr const char* kBarsAxisGames = "Play数";

// --- The analysis dialog ------------------------------------------------------------
inline constexpr const char* kAnalysisTitle = "複数回分析";
inline constexpr const char* kAnalysisGames = "Play数";
inline constexpr const char* kAnalysisTrials = "試行回数";
inline constexpr const char* kAnalysisSetting = "設定";
inline constexpr const char* kAnalysisBigStock = "BIGストック";
inline constexpr const char* kAnalysisRegStock = "REGストック";
inline constexpr const char* kAnalysisSeed = "seed";
inline constexpr const char* kAnalysisStart = "開始";
inline constexpr const char* kAnalysisCancel = "キャンセル";
inline constexpr const char* kAllSettingsItem = "全設定";
inline constexpr const char* kSettingColumn = "設定%1";
inline constexpr const char* kHistogramTitle = "最終差枚の分布";
inline constexpr const char* kHistogramXAxis = "最終差枚 (枚)";
inline constexpr const char* kHistogramYAxis = "回数";
inline constexpr const char* kAnalysisRunning = "分析中・・・";
inline constexpr const char* kAnalysisRunningCount = "分析中・・・ %1 / %2 回";
inline constexpr const char* kAnalysisCancelling = "キャンセル中・・・";
inline constexpr const char* kAnalysisDone = "分析完了 (%1秒)";
inline constexpr const char* kAnalysisCancelled = "分析をキャンセルしました";
inline constexpr const char* kAnalysisCannotStart = "分析を開始できません。";
inline constexpr const char* kAnalysisFailed = "分析を実行できません: ";

// --- The setting estimate ------------------------------------------------------------
inline constexpr const char* kEstimateTitle = "設定推測";
inline constexpr const char* kEstimateAxis = "確率 (%)";
inline constexpr const char* kEstimateSettingHeader = "設定";
inline constexpr const char* kEstimateProbabilityHeader = "確率";
inline constexpr const char* kEstimateNoStretch =
    "設定の違いが表れるRT区間がないため、どの設定も同じ確率です。";
inline constexpr const char* kEstimateUsed = "RT区間 %1 件から推測しました。";
inline constexpr const char* kEstimateSkipped = "（対象外の区間 %1 件）";
inline constexpr const char* kEstimateMethod =
    "\n各設定を同じ確率とした上で、RTの長さと解除のされ方から計算した確率です。"
    "遊技した設定そのものは見ていません。";

}  // namespace sorimu::wintext
