#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Every message and status text the core gives a user to read, window and
// command line alike. Captions of lists, tables and roles live with their
// lists (ListColumns.h, RoleCaptions.h); the window's own texts in
// app/WindowTexts.h and the command line's in cli/CliTexts.h.
namespace sorimu {

// --- Inputs of a run and of an analysis ------------------------------------
inline constexpr const char* kPlayNumRangeMessage = "Play数は、1以上にしてください。";
inline constexpr const char* kSimNumRangeMessage = "Sim回数は、1以上にしてください。";
inline constexpr const char* kBigStockRangeMessage = "BIGストック数は、0～255にしてください。";
inline constexpr const char* kRegStockRangeMessage = "REGストック数は、0～255にしてください。";
inline constexpr const char* kBadFlevelMessage = "設定は、1～6または?にしてください。";
inline constexpr const char* kTrialsRangeMessage = "試行回数は、1～1000000にしてください。";
inline constexpr const char* kAnalysisSettingMessage = "設定は、1～6または全設定にしてください。";
inline constexpr const char* kJobsRangeMessage = "スレッド数は、0～256にしてください。";
inline constexpr const char* kSeedRangeMessage = "seedは、0～4294967295の整数にしてください。";
inline constexpr const char* kNextGamesRangeMessage = "予測ゲーム数は、1～10000000にしてください。";
inline constexpr const char* kNextDrawsRangeMessage = "予測回数は、1～1000000にしてください。";
inline constexpr const char* kPriorMessage =
    "設定配分は、0以上の数を6つ、カンマで区切って指定してください（すべて0にはできません）。";

// "'<text>' は整数ではありません": a text that is no integer.
std::string NotIntegerMessage(std::string_view text);

// --- Runs and batches -------------------------------------------------------
inline constexpr const char* kRunningStatus = "シミュレーション実行中・・・";
inline constexpr const char* kDoneStatus = "シミュレーション完了";
inline constexpr const char* kRunCancelledStatus = "シミュレーションを中断しました。";
inline constexpr const char* kOutOfMemoryMessage =
    "メモリが不足したため、シミュレーションを中断しました。";
inline constexpr const char* kBatchSavingStatus = "シミュレーションファイルに保存中。";
inline constexpr const char* kBatchDoneStatus = "シミュレーションファイルに保存完了";
inline constexpr const char* kBatchErrorStatus = "エラーにより強制終了しました。";
// "シミュレーション完了：<n>個のファイルを <folder> に保存しました": a batch's end.
std::string BatchFinishedStatus(long long files, std::string_view folder);
inline constexpr const char* kAnalysisOutOfMemoryMessage =
    "メモリが不足したため、分析を中断しました。";
inline constexpr const char* kPredictionOutOfMemoryMessage =
    "メモリが不足したため、予測を中断しました。";
inline constexpr const char* kPredictionUnplayableMessage =
    "記録の最後の状態は、この機械では起こりえない状態です（ボーナスが終わりません）。"
    "続きを予測できません。";

// A run too long for the memory left: names the longest Play数 that fits.
std::string RunTooLargeMessage(long long largestPlayNum);

// --- Simulation files ---------------------------------------------------------
inline constexpr const char* kReadingStatus = "シミュレーションファイルを読み込み中・・・";
inline constexpr const char* kReadBrokenOffStatus = "シミュレーションファイルの読み込み中断";
inline constexpr const char* kReadDoneStatus = "シミュレーションファイルの読み込み完了";
inline constexpr const char* kSaveDoneStatus = "シミュレーションファイルに保存完了";
inline constexpr const char* kNotSimFileMessage = "このファイルは、Sorimuファイルではありません。";
// "<path>\nこのファイルは、Sorimuファイルではありません。": the sentence reads
// of the file named above it. Bytes without a path get the sentence alone.
std::string NotSimFileMessage(std::string_view path);
inline constexpr const char* kFileTooLargeMessage =
    "このファイルは大きすぎるため、読み込めません。";
// "<path>\nこのファイルは大きすぎるため、読み込めません。", as above.
std::string FileTooLargeMessage(std::string_view path);
inline constexpr const char* kReadOutOfMemoryMessage =
    "メモリが不足しているため、ファイルを読み込めません。";
inline constexpr const char* kReadFailedMessage =
    "シミュレーションファイルの読み込みに失敗しました。";
inline constexpr const char* kCannotOpenMessage = "ファイルを開けません。";
inline constexpr const char* kSaveFailedMessage = "シミュレーションファイルの保存に失敗しました。";
inline constexpr const char* kCsvSaveFailedMessage = "CSVファイルの保存に失敗しました。";
inline constexpr const char* kImageSaveFailedMessage = "画像ファイルの保存に失敗しました。";

// A file with a value the machine never writes: made or changed elsewhere.
inline constexpr const char* kUnreachableFileMessage =
    "このファイルには、この機械が書くことのない値があるため、読み込めません。";
// The fields such a value is found in, as the lists caption them and the
// code names them.
inline constexpr const char* kHeaderFlevelField = "設定 (Flevel)";
inline constexpr const char* kHeaderGamesField = "ゲーム数 (Games)";
inline constexpr const char* kHeaderBigStockField = "BIGストック数 (BigStock)";
inline constexpr const char* kHeaderRegStockField = "REGストック数 (RegStock)";
inline constexpr const char* kGamesSinceBonusField = "PLAY数2 (GamesSinceBonus)";
inline constexpr const char* kPlayCountField = "PLAY数 (PlayCount)";
inline constexpr const char* kBonusKindField = "ボーナス種別 (BonusKind)";
inline constexpr const char* kLastOutcomeField = "確定役 (LastOutcome)";
inline constexpr const char* kRtCancelField = "RT解除状態 (RTCancel)";
inline constexpr const char* kBonusGamesField = "ボーナス中の小役ゲーム数 (BonusGames)";
inline constexpr const char* kRenCauseField = "1G連の原因 (RenCause)";
inline constexpr const char* kPunkField = "パンク (Punk)";
inline constexpr const char* kZtCountField = "ＺＴ (ZtCount)";
inline constexpr const char* kBigStockField = "BIG Stock (BigStock)";
inline constexpr const char* kRegStockField = "REG Stock (RegStock)";

// "12行目の確定役 (LastOutcome) が 14 です。この機械が書く値は 0～13 です。";
// row 0 is the header ("ヘッダーの設定 (Flevel) が ...").
std::string UnreachableValueReason(long long row, std::string_view field, long long value,
                                   std::string_view allowed);

// What went wrong with a file, for the line under such a message: the
// reason in Japanese, or the system's own words for an error without one.
std::string FileErrorReason(int error);

// "<headline>\n<path>\n<reason>": every failed file names itself and why.
std::string FileFailureMessage(std::string_view headline, std::string_view path,
                               std::string_view reason);

// A disk with less free room than files need, before any is written:
// "空き容量が足りません。少なくとも 5.3 GB 必要で、空きは 1.2 GB です。"
std::string NoRoomReason(unsigned long long needed, unsigned long long free);

// Reasons a save refuses its target, whatever the system would allow.
inline constexpr const char* kNoFileNameReason = "ファイル名がありません。";
inline constexpr const char* kFolderReason = "フォルダです。ファイルではないため置き換えません。";
inline constexpr const char* kDeviceReason =
    "デバイスファイルです。通常のファイルではないため置き換えません。";
inline constexpr const char* kFifoReason =
    "名前付きパイプです。通常のファイルではないため置き換えません。";
inline constexpr const char* kSocketReason =
    "ソケットです。通常のファイルではないため置き換えません。";
inline constexpr const char* kOtherTypeReason = "通常のファイルではないため置き換えません。";
inline constexpr const char* kDanglingLinkReason = "リンク先のファイルがありません。";
inline constexpr const char* kDanglingFolderLinkReason = "リンク先のフォルダがありません。";
inline constexpr const char* kNotRegularReadReason = "通常のファイルではありません。";
inline constexpr const char* kFolderBusyReason =
    "同じフォルダに別の書き込みが続いているため、置き換えませんでした。しばらくしてからやり直して"
    "ください。";

// --- Bonus histories (what a data counter shows) -----------------------------
inline constexpr const char* kHistoryReadFailedMessage = "ボーナス履歴を読み込めません。";
// The reasons for a bad line, each after "<n>行目: ".
inline constexpr const char* kHistoryKindReason =
    "ボーナスの種類は BIG か REG（B か R）にしてください（最後の行だけは、"
    "最後のボーナスからのG数を - で書けます）。";
inline constexpr const char* kHistoryFieldsReason =
    "種類とG数の2つを、タブかカンマで区切って書いてください。";
inline constexpr const char* kHistoryGamesReason = "G数は、1～10000000の整数にしてください。";
inline constexpr const char* kHistoryOpenGamesReason =
    "最後のボーナスからのG数は、0～10000000の整数にしてください。";
inline constexpr const char* kHistoryOpenNotLastReason =
    "最後のボーナスからのG数（- の行）は、最後の行にだけ書けます。";
inline constexpr const char* kHistoryCsvReason =
    "ボーナス情報のCSVの行は、PLAY数,PLAY数2,確定役（777 か REG）,… の形にしてください。";
inline constexpr const char* kHistoryTooManyLinesReason = "履歴は1000000行までにしてください。";
inline constexpr const char* kHistoryNotTextReason =
    "文字として読めないバイトがあります。UTF-8のテキストファイルにしてください。";

// "ボーナスは<most>回までにしてください。": a history longer than a reader takes.
std::string HistoryBonusLimitReason(int32_t most);

// "<n>行目: <reason>": a bad line of a history.
std::string HistoryLineMessage(long long line, std::string_view reason);

// --- The records on display ----------------------------------------------------
inline constexpr const char* kRowsReplacedMessage =
    "表示中の結果の記録は、その後の連続シミュレーションまたはファイルの読み込みで"
    "置き換えられています。もう一度開始するか、ファイルを開いてから実行してください。";

// Save after a batch: the run it writes is not the one shown. The name is
// that of the batch's last file, which holds the same run.
inline constexpr const char* kSaveLastRepetitionQuestion =
    "保存されるのは表示中の結果ではなく、連続シミュレーションの最後の回（%1）の記録です。"
    "保存しますか？";

}  // namespace sorimu
