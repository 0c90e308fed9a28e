#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <sstream>

#include "CliRunner.h"
#include "CliTexts.h"
#include "LongRequest.h"
#include "Messages.h"
#include "TestSupport.h"

using namespace sorimu;

using namespace testing_support;

namespace {

std::string ReadText(const std::string& path) {
  const std::vector<unsigned char> bytes = ReadBytes(path);
  return std::string(bytes.begin(), bytes.end());
}

size_t Lines(const std::string& text) {
  size_t count = 0;
  for (char c : text) count += c == '\n';
  return count;
}

}  // namespace

TEST(CliAnalyze, PrintsOneColumnPerSettingTheSameForAnyNumberOfJobs) {
  TempDir dir;
  const std::vector<std::string> args = {"analyze", "--games", "2000", "--trials", "30", "--seed",
                                         "11",      "--big",   "10",   "--reg",    "0"};
  std::vector<std::string> withJobs = args;
  withJobs.insert(withJobs.end(), {"--jobs", "1", "--csv", dir.File("runs.csv")});
  const CliResult one = Cli(withJobs);
  ASSERT_EQ(one.status, 0) << one.err;
  EXPECT_EQ(one.err, "");
  EXPECT_EQ(one.out.rfind("Play数:2000  試行回数:30  BIGストック:10  REGストック:0  seed:11\n\n"
                          "[複数回分析]\n項目\t設定1\t設定2\t設定3\t設定4\t設定5\t設定6\n"
                          "試行回数\t30\t30\t30\t30\t30\t30\n機械割(%) 各回平均\t",
                          0),
            0u)
      << one.out;
  EXPECT_NE(one.out.find("\n\n[差枚分布]\n下限\t上限\t設定1\t"), std::string::npos);
  EXPECT_NE(one.out.find("\n最大ハマリ P95\t"), std::string::npos);

  withJobs[12] = "2";
  withJobs[14] = dir.File("runs2.csv");
  const CliResult two = Cli(withJobs);
  ASSERT_EQ(two.status, 0);
  EXPECT_EQ(two.out, one.out);
  const std::string csv = ReadText(dir.File("runs.csv"));
  EXPECT_EQ(csv, ReadText(dir.File("runs2.csv")));
  EXPECT_EQ(csv.rfind("\xEF\xBB\xBF設定,試行,seed,Play数,差枚,収支(円),", 0), 0u);
  EXPECT_EQ(Lines(csv), 1u + 6 * 30);

  const CliResult single = Cli({"analyze", "--games", "2000", "--trials", "30", "--seed", "11",
                                "--big", "10", "--reg", "0", "--setting", "3"});
  ASSERT_EQ(single.status, 0);
  EXPECT_NE(single.out.find("項目\t設定3\n試行回数\t30\n"), std::string::npos);
}

TEST(CliAnalyze, BadInputsSayWhatIsWrongAndExitWithTwo) {
  const std::vector<std::string> base = {"analyze", "--games", "100", "--trials", "2"};
  struct Case {
    std::vector<std::string> extra;
    std::string message;
  };
  const Case cases[] = {
      {{"--setting", "7"}, "設定は、1～6またはallにしてください。\n"},
      {{"--setting", "?"}, "設定は、1～6またはallにしてください。\n"},
      {{"--big", "256"}, "BIGストック数は、0～255にしてください。\n"},
      {{"--reg", "x"}, "'x' は整数ではありません\n"},
      {{"--seed", "-1"}, "--seed は、0～4294967295の整数にしてください。\n"},
      {{"--jobs", "0"}, "--jobs は、1～256の整数にしてください。\n"},
      {{"--trials", "1000001"}, "試行回数は、1～1000000にしてください。\n"},
      {{"--games", "0"}, "Play数は、1以上にしてください。\n"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = base;
    args.insert(args.end(), c.extra.begin(), c.extra.end());
    const CliResult result = Cli(args);
    EXPECT_EQ(result.status, 2) << c.message;
    EXPECT_EQ(result.err, c.message);
    EXPECT_EQ(result.out, "");
  }
  const CliResult missing = Cli({"analyze", "--games", "100"});
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.err.rfind("--trials を指定してください。\n使い方:", 0), 0u);
  const CliResult unknown = Cli({"analyze", "--games", "100", "--trials", "2", "--runs", "3"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_EQ(unknown.err.rfind("不明なオプションです: --runs\n", 0), 0u);
  const CliResult noValue = Cli({"analyze", "--games", "100", "--trials"});
  EXPECT_EQ(noValue.err.rfind("--trials には値が必要です。\n", 0), 0u);

  TempDir dir;
  const CliResult unwritable =
      Cli({"analyze", "--games", "100", "--trials", "2", "--csv", dir.File("missing/runs.csv")});
  EXPECT_EQ(unwritable.status, 1);
  EXPECT_EQ(unwritable.err, "CSVファイルの保存に失敗しました。\n" + dir.File("missing/runs.csv") +
                                "\n" + FileErrorReason(ENOENT) + "\n");
  const CliResult empty = Cli({"analyze", "--games", "100", "--trials", "2", "--csv", ""});
  EXPECT_EQ(empty.status, 2);
  EXPECT_EQ(empty.err.rfind("--csv には保存先を指定してください。\n", 0), 0u);
}

// Work past an hour by the estimate says so and waits for --yes; the
// estimate's rate is the measured one with room for a slower machine.
TEST(CliAnalyze, RequestsEstimatedPastAnHourNeedYes) {
  const CliResult years = Cli({"analyze", "--games", "2147483647", "--trials", "1000000"});
  EXPECT_EQ(years.status, 2);
  EXPECT_EQ(years.out, "");
  EXPECT_EQ(years.err.rfind(kLongRequestStart, 0), 0u) << years.err;
  EXPECT_NE(years.err.find("年かかる見込みです（1コアで毎秒1500万ゲームとしての見積もりです）。"),
            std::string::npos)
      << years.err;
  EXPECT_NE(years.err.find("--games か --trials"), std::string::npos);

  EXPECT_EQ(LongRequestMessage(3600 * 15e6 * 2, 2, ""), std::nullopt) << "one hour is taken";
  const std::optional<std::string> days = LongRequestMessage(1e13, 2, "--next か --draws");
  ASSERT_TRUE(days);
  EXPECT_EQ(*days,
            "この指定では、終わるまでにおよそ4日かかる見込みです（1コアで毎秒1500万ゲームとしての"
            "見積もりです）。\nこのまま実行するには --yes を付けてください。短くするには --next "
            "か --draws を小さくしてください。\n");
  EXPECT_EQ(Cli({"analyze", "--games", "100", "--trials", "2", "--yes"}).status, 0);
}

TEST(CliShowCsv, WritesBothListsOfASavedRun) {
  TempDir dir;
  ASSERT_EQ(Cli({"run", "--seed", "12345", "--games", "8000", "--setting", "?", "--out",
                 dir.File("b.sim")})
                .status,
            0);
  const CliResult shown = Cli({"show", dir.File("b.sim"), "--csv", dir.File("out/csv")});
  ASSERT_EQ(shown.status, 0) << shown.err;
  const std::string games = dir.File("out/csv/b_games.csv");
  const std::string bonuses = dir.File("out/csv/b_bonuses.csv");
  EXPECT_EQ(shown.out, games + "\n" + bonuses + "\n");

  const std::string gameText = ReadText(games);
  EXPECT_EQ(gameText.rfind("\xEF\xBB\xBFPLAY数,PLAY数2,確定役,メダル数,ＺＴ,RT解除状態,BIG Stock,"
                           "REG Stock\r\n1,1,",
                           0),
            0u);
  EXPECT_EQ(Lines(gameText), 1u + 9408u);
  // The same bonuses as the report of the same file shows.
  EXPECT_EQ(ReadText(bonuses).rfind("\xEF\xBB\xBFPLAY数,PLAY数2,確定役,RT解除契機,獲得メダル\r\n"
                                    "161,161,REG,4枚チェリーB1,127\r\n"
                                    "419,258,777,2枚チェリー,711\r\n",
                                    0),
            0u);

  // Plain show is untouched by the export.
  const CliResult plain = Cli({"show", dir.File("b.sim")});
  EXPECT_EQ(plain.status, 0);
  EXPECT_EQ(plain.out.rfind("BIG回数:24", 0), 0u);
}

TEST(CliShowCsv, RefusesWhatItCannotDo) {
  TempDir dir;
  const CliResult missing = Cli({"show", dir.File("none.sim"), "--csv", dir.path()});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "ファイルを開けません。\n" + dir.File("none.sim") + "\n" +
                             FileErrorReason(ENOENT) + "\n");

  WriteBytes(dir.File("bad.sim"), {1, 2, 3});
  const CliResult bad = Cli({"show", dir.File("bad.sim"), "--csv", dir.path()});
  EXPECT_EQ(bad.status, 1);
  EXPECT_NE(bad.err, "");
  EXPECT_FALSE(std::filesystem::exists(dir.File("bad_games.csv")));

  ASSERT_EQ(Cli({"run", "--seed", "1", "--games", "100", "--out", dir.File("a.sim")}).status, 0);
  WriteBytes(dir.File("plain"), {'x'});
  const CliResult notFolder = Cli({"show", dir.File("a.sim"), "--csv", dir.File("plain")});
  EXPECT_EQ(notFolder.status, 1);
  EXPECT_EQ(notFolder.err, "フォルダを作成できません。\n" + dir.File("plain") + "\n" +
                               FileErrorReason(ENOTDIR) + "\n");

  // A link to a folder that is not there: said so, not "File exists".
  ASSERT_EQ(::symlink(dir.File("gone").c_str(), dir.File("link").c_str()), 0);
  const CliResult dangling = Cli({"show", dir.File("a.sim"), "--csv", dir.File("link")});
  EXPECT_EQ(dangling.status, 1);
  EXPECT_EQ(dangling.err, "フォルダを作成できません。\n" + dir.File("link") + "\n" +
                              kDanglingFolderLinkReason + "\n");

  // When the second list cannot be written the first is not left alone.
  ASSERT_EQ(::mkdir(dir.File("pair").c_str(), 0700), 0);
  ASSERT_EQ(::mkdir(dir.File("pair/a_bonuses.csv").c_str(), 0700), 0);
  const CliResult half = Cli({"show", dir.File("a.sim"), "--csv", dir.File("pair")});
  EXPECT_EQ(half.status, 1);
  EXPECT_EQ(half.out, "");
  EXPECT_NE(half.err.find(dir.File("pair/a_bonuses.csv")), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir.File("pair/a_games.csv")));

  EXPECT_EQ(Cli({"show", dir.File("a.sim"), "--csv"}).status, 2);
  EXPECT_EQ(Cli({"show", dir.File("a.sim"), "--rows", "--csv", dir.path()}).status, 2);
  EXPECT_EQ(Cli({"show", "--csv", dir.path()}).status, 2);
}
