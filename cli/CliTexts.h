#pragma once

// The command line's own texts: its usage and the messages about its
// arguments. What the commands report comes from results/Messages.h.
namespace sorimu {

inline constexpr const char* kUsage =
    "使い方:\n"
    "  sorimu-cli run  [--seed N] [--games N] [--setting S] [--big N] [--reg N] [--runs N]"
    " [--out FILE] [--rows] [--yes]\n"
    "  sorimu-cli show FILE [--rows | --csv DIR]\n"
    "  sorimu-cli analyze --games N --trials K [--setting S|all] [--big B] [--reg R] [--seed X]"
    " [--jobs J] [--csv FILE] [--yes]\n"
    "  sorimu-cli theory [--setting S|all] [--tail N] [--tsv]\n"
    "  sorimu-cli theory --since G [--after BIG|REG] [--prior W1,...,W6 | --history FILE] [--tsv]\n"
    "  sorimu-cli theory --quit-after BIG|REG [--games K] [--prior W1,...,W6 | --history FILE]"
    " [--tsv]\n"
    "  sorimu-cli theory --line N --setting S [--big B --reg R]\n"
    "  sorimu-cli estimate FILE [--prior W1,...,W6] [--tsv] [--next N [--draws K] [--seed X]"
    " [--jobs J] [--yes]]\n"
    "  sorimu-cli estimate --history FILE [--prior W1,...,W6] [--tsv]\n"
    "  sorimu-cli --help | --version\n";
inline constexpr const char* kAnalyzeUsage =
    "使い方:\n"
    "  sorimu-cli analyze --games N --trials K [--setting S|all] [--big N] [--reg N]"
    " [--seed N] [--jobs N] [--csv FILE] [--yes]\n";
inline constexpr const char* kTheoryUsage =
    "使い方:\n  sorimu-cli theory [--setting S|all] [--tail N] [--tsv]\n"
    "  sorimu-cli theory --since G [--after BIG|REG] [--prior W1,...,W6 | --history FILE] [--tsv]\n"
    "  sorimu-cli theory --quit-after BIG|REG [--games K] [--prior W1,...,W6 | --history FILE]"
    " [--tsv]\n"
    "  sorimu-cli theory --line N --setting S [--big B --reg R]\n";
inline constexpr const char* kEstimateUsage =
    "使い方:\n  sorimu-cli estimate FILE [--prior W1,...,W6] [--tsv]"
    " [--next N [--draws K] [--seed X] [--jobs J] [--yes]]\n"
    "  sorimu-cli estimate --history FILE [--prior W1,...,W6] [--tsv]\n";
inline constexpr const char* kNeedsNext = " は --next と一緒に指定してください。\n";
inline constexpr const char* kExportUsage = "使い方:\n  sorimu-cli show FILE --csv DIR\n";

inline constexpr const char* kUnknownCommand = "不明なコマンドです: ";
inline constexpr const char* kUnknownOption = "不明なオプションです: ";
inline constexpr const char* kNeedsValue = " には値が必要です。\n";
inline constexpr const char* kExtraArgument = "余分な引数です: ";
inline constexpr const char* kRequired = " を指定してください。\n";
inline constexpr const char* kEmptyPath = " には保存先を指定してください。\n";
inline constexpr const char* kBatchNeedsOut =
    "Sim回数が2以上のときは、--out で保存先を指定してください。\n";
inline constexpr const char* kRowsAndCsv = "--rows と --csv は同時に指定できません。\n";
inline constexpr const char* kCliSeedMessage = "--seed は、0～4294967295の整数にしてください。";
inline constexpr const char* kCliSettingMessage = "設定は、1～6またはallにしてください。";
inline constexpr const char* kCliJobsMessage = "--jobs は、1～256の整数にしてください。";
inline constexpr const char* kCliTailMessage = "--tail は、1～100000の整数にしてください。";
// "この指定では、終わるまでにおよそ<3年>かかる見込みです（1コアで毎秒<1500>万ゲーム
// としての見積もりです）。…短くするには <--games か --trials> を小さくしてください。"
inline constexpr const char* kLongRequestStart = "この指定では、終わるまでにおよそ";
inline constexpr const char* kLongRequestRate = "かかる見込みです（1コアで毎秒";
inline constexpr const char* kLongRequestMiddle =
    "万ゲームとしての見積もりです）。\n"
    "このまま実行するには --yes を付けてください。短くするには ";
inline constexpr const char* kLongRequestEnd = " を小さくしてください。\n";
inline constexpr const char* kAnalyzeSmaller = "--games か --trials";
inline constexpr const char* kNextSmaller = "--next か --draws";
inline constexpr const char* kRunSmaller = "--games か --runs";
inline constexpr const char* kCliSinceMessage = "--since は、0～10000000の整数にしてください。";
inline constexpr const char* kCliAfterMessage = "--after は、BIG か REG にしてください。";
inline constexpr const char* kCliQuitAfterMessage = "--quit-after は、BIG か REG にしてください。";
inline constexpr const char* kCliQuitGamesMessage = "--games は、1～200の整数にしてください。";
inline constexpr const char* kCliLineMessage = "--line は、1～10000000の整数にしてください。";
inline constexpr const char* kLineNeedsSetting =
    "--line には、--setting で設定を1つ指定してください。";
inline constexpr const char* kLineStocksMessage =
    "このストックで始めると途中でストックが尽きることがあるため、期待差枚を正確に計算できません。";
inline constexpr const char* kNotInThisUse = " は、この使い方では指定できません。\n";
inline constexpr const char* kPriorAndHistory = "--prior と --history は同時に指定できません。\n";
inline constexpr const char* kCannotMakeFolder = "フォルダを作成できません。";
inline constexpr const char* kStdoutFailed = "標準出力に書き込めません: ";
inline constexpr const char* kInterruptedMessage = "Ctrl-C で中断しました。";
// The progress line on a terminal: what is counted, and the time left.
inline constexpr const char* kGamesUnit = "ゲーム";
inline constexpr const char* kRowsUnit = "行";
inline constexpr const char* kDrawsUnit = "回";
inline constexpr const char* kPerSecond = "/秒";
inline constexpr const char* kTimeLeft = "残り ";

}  // namespace sorimu
