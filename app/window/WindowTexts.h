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
inline constexpr const char* kToolFigureSheet = "スペック表(&S)...";
inline constexpr const char* kToolEstimate = "設定推測(&E)...";
inline constexpr const char* kToolCsv = "CSV出力(&V)...";
inline constexpr const char* kToolImage = "画像保存(&I)...";

// --- Files and exports ---------------------------------------------------------
inline constexpr const char* kSimFileFilter = "Sorimuファイル (*.sim)";
inline constexpr const char* kCsvFilter = "CSVファイル (*.csv)";
inline constexpr const char* kImageFilter = "PNG画像 (*.png)";
inline constexpr const char* kImageFilterTwice = "PNG画像 2倍サイズ (*.png)";
inline constexpr const char* kInitialSimName = "*.sim";
inline constexpr const char* kInitialCsvName = "sorimu.csv";
inline constexpr const char* kInitialImageName = "sorimu.png";
inline constexpr const char* kCsvDoneStatus = "CSVファイルに出力完了";
inline constexpr const char* kImageDoneStatus = "画像ファイルに保存完了";
inline constexpr const char* kChartNotDrawable = "グラフを画像にできません。";
// The file dialog's types of a folder and of a run's file.
inline constexpr const char* kFolderType = "フォルダ";
inline constexpr const char* kSimFileType = "Sorimuファイル";

// --- The desktop: the command line, dropped files, recent files, the manual ----------
inline constexpr const char* kFileRecent = "最近使ったファイル(&R)";
inline constexpr const char* kRecentEntry = "&%1 %2";
inline constexpr const char* kRecentClear = "一覧を消去(&C)";
inline constexpr const char* kDropOneFile =
    "ファイルは1つずつドロップしてください（%1個のファイルがドロップされました）。";
inline constexpr const char* kManualMissing =
    "取扱説明書が見つかりません。次の場所を探しました:\n%1";
// No program on this desktop opens HTML: the path is shown to be copied.
inline constexpr const char* kManualNotOpened =
    "HTMLを開くプログラムが見つからないため、取扱説明書を開けません。"
    "ブラウザーで次のファイルを開いてください（選択してコピーできます）:\n%1";
inline constexpr const char* kUsage =
    "使い方:\n"
    "  sorimu [Qtのオプション] [FILE.sim]\n"
    "  sorimu --help | --version\n";
inline constexpr const char* kHelpDetails =
    "\nSorimuのウィンドウを開きます。FILE.sim を指定すると、ファイル → 開く と同じように"
    "そのファイルを開いた状態で始まります。\n"
    "\n"
    "オプション:\n"
    "  -h, --help   この説明を表示して終了します。\n"
    "  --version    バージョンを表示して終了します。\n"
    "  --           これより後の引数をファイル名として扱います。\n"
    "\n"
    "Qtの標準オプション（-platform NAME、-style NAME など）も使えます。\n"
    "コマンドラインで遊技・分析するには sorimu-cli を使います。\n";
inline constexpr const char* kUnknownOption = "sorimu: 不明なオプションです: ";
inline constexpr const char* kOneFileOnly = "sorimu: 開けるファイルは1つだけです。余分な引数: ";

// --- Boxes -------------------------------------------------------------------------
inline constexpr const char* kErrorCaption = "エラー";
inline constexpr const char* kAboutTitle = "バージョン情報";
inline constexpr const char* kAboutHomePageLink = "Yusoraのページ";
inline constexpr const char* kAboutAuthor = "Yusora";
inline constexpr const char* kAboutCopyright = "Copyright (C)";
inline constexpr const char* kAboutVersion = "Version1.0.3.0";

// --- Charts: their own texts are in charts/ChartTexts.h ---------------------------

// --- The expected-balance line of the slump graph ---------------------------------
inline constexpr const char* kExpectedBox = "期待差枚";
inline constexpr const char* kExpectedLegend = "期待差枚(設定%1)";
inline constexpr const char* kExpectedShownTip =
    "設定%1で、このストックから始めた遊技の差枚の期待値です（台の表から計算した理論値）。";
inline constexpr const char* kExpectedNoRunTip = "結果を表示すると使えます。";
inline constexpr const char* kExpectedHiddenTip =
    "設定「?」で遊技した結果には、設定確認の後に表示できます。";
inline constexpr const char* kExpectedStocksTip =
    "開始時のストックが途中で尽きる可能性があるため表示できません"
    "（理論値はストックが尽きない遊技のものです）。";
inline constexpr const char* kExpectedForeignTip =
    "この結果の設定・ストック・最初のゲームは、この台の遊技の始まり方と合わないため表示できません"
    "。";

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
inline constexpr const char* kFanTab = "差枚の推移";
inline constexpr const char* kFanSetting = "設定";
inline constexpr const char* kFanXAxis = "Play数";
inline constexpr const char* kFanYAxis = "差枚 (枚)";
inline constexpr const char* kFanOuter = "5～95%";
inline constexpr const char* kFanInner = "25～75%";
inline constexpr const char* kFanMedian = "中央値";
inline constexpr const char* kFanExpected = "期待差枚(理論値)";
inline constexpr const char* kFanNoExpected =
    "開始時のストックが途中で尽きる可能性があるため、期待差枚は表示できません。";
inline constexpr const char* kHistogramXAxis = "最終差枚 (枚)";
inline constexpr const char* kHistogramYAxis = "回数";
inline constexpr const char* kAnalysisRunning = "分析中・・・";
inline constexpr const char* kAnalysisRunningCount = "分析中・・・ %1 / %2 回";
inline constexpr const char* kAnalysisCancelling = "キャンセル中・・・";
inline constexpr const char* kAnalysisDone = "分析完了 (%1秒)";
inline constexpr const char* kAnalysisCancelled = "分析をキャンセルしました";
inline constexpr const char* kAnalysisCannotStart = "分析を開始できません。";
inline constexpr const char* kAnalysisFailed = "分析を実行できません: ";
// The note the figures table puts after a theoretical rate outside the
// pooled rate's interval, and what the marked cell says of it.
inline constexpr const char* kOutsideIntervalNote = "※区間外";
inline constexpr const char* kOutsideIntervalTip =
    "理論値 %1 % が、全体の機械割の95%信頼区間 %2～%3 % の外にあります。";

// --- The figure sheet (スペック表) ----------------------------------------------------
inline constexpr const char* kSheetTitle = "スペック表";
inline constexpr const char* kSheetTailTitle = "ハマリ確率";
inline constexpr const char* kSheetBetweenBonuses = "ボーナス間";
inline constexpr const char* kSheetBetweenFirstHits = "初当り間";
inline constexpr const char* kSheetTailXAxis = "ハマリ G数 (N)";
inline constexpr const char* kSheetTailYAxis = "N G以上ハマる確率 (%)";
inline constexpr const char* kSheetCsv = "CSV出力(&C)...";
inline constexpr const char* kSheetImage = "画像保存(&P)...";
inline constexpr const char* kSheetClose = "閉じる";
inline constexpr const char* kSheetNote =
    "台の表から計算した理論値です。遊技はせず、ストックは尽きないものとしています。";
// The exports add "_sheet" and "_tail" to it.
inline constexpr const char* kInitialSheetCsvName = "sorimu.csv";
inline constexpr const char* kInitialSheetImageName = "sorimu_tail.png";

// --- The setting estimate ------------------------------------------------------------
inline constexpr const char* kEstimateTitle = "設定推測";
inline constexpr const char* kEstimateAxis = "確率 (%)";
inline constexpr const char* kEstimateTab = "設定推測";
inline constexpr const char* kPriorLabel = "設定配分（設定1～6の比率）";
inline constexpr const char* kPriorUniform = "均等に戻す";
inline constexpr const char* kPriorSeries = "設定配分";
inline constexpr const char* kEstimateCancel = "キャンセル";
inline constexpr const char* kEstimateRunning = "記録を読んでいます・・・";
inline constexpr const char* kEstimateCancelled =
    "推測をキャンセルしました。もう一度開くと、初めから読み直します。";
inline constexpr const char* kEstimateFailed = "推測できません: ";
inline constexpr const char* kEstimateOutOfMemory = "メモリが不足したため、推測を中断しました。";
inline constexpr const char* kPosteriorSeries = "推測";

// --- The next games (期待収支), a page of the setting estimate ----------------------------
inline constexpr const char* kNextGamesTab = "期待収支";
inline constexpr const char* kNextGamesGames = "ゲーム数";
inline constexpr const char* kNextGamesDraws = "予測回数";
inline constexpr const char* kNextGamesSeed = "seed";
inline constexpr const char* kNextGamesStart = "計算";
inline constexpr const char* kNextGamesCancel = "キャンセル";
inline constexpr const char* kNextGamesRunning = "計算中・・・ %1 / %2 回";
inline constexpr const char* kNextGamesCancelling = "キャンセル中・・・";
inline constexpr const char* kNextGamesDone = "次の%1ゲーム（予測回数 %2、seed %3）";
inline constexpr const char* kNextGamesCancelled = "計算をキャンセルしました";
inline constexpr const char* kNextGamesCannotStart = "計算を開始できません。";
inline constexpr const char* kNextGamesFailed = "計算できません: ";
inline constexpr const char* kNextGamesFanBox = "スランプグラフに表示";
inline constexpr const char* kNextGamesNote =
    "この後のゲームを、設定推測タブの確率で選んだ設定と、記録から推測したRTの残り・"
    "ストックから何度も遊技した結果です。台の内部状態そのものは見ていません。";

}  // namespace sorimu::wintext
