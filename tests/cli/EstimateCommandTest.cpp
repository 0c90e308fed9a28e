#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "CliRunner.h"
#include "Messages.h"
#include "Session.h"
#include "SettingEstimate.h"
#include "TestSupport.h"

using namespace sorimu;

using namespace testing_support;

namespace {

// A run from empty stocks, saved: its estimate reads both kinds of stretch.
std::string SavedRun(const TempDir& dir) {
  const std::string path = dir.File("run.sim");
  const CliResult run = Cli({"run", "--seed", "321", "--games", "20000", "--setting", "5", "--big",
                             "0", "--reg", "0", "--out", path});
  EXPECT_EQ(run.status, 0) << run.err;
  return path;
}

// The window's estimate: the session opens the file, the box estimates the
// records on display.
SettingEstimate WindowEstimate(const std::string& path, const SettingWeights& prior) {
  Session session;
  EXPECT_TRUE(session.Open(path).status.Ok());
  return EstimateSetting(session.Records(), prior);
}

std::array<double, 6> TsvProbabilities(const std::string& out) {
  std::istringstream in(out);
  std::string line;
  std::getline(in, line);
  EXPECT_EQ(line, "setting\tprobability");
  std::array<double, 6> p{};
  for (int s = 1; s <= 6; ++s) {
    std::getline(in, line);
    EXPECT_EQ(line.substr(0, 2), std::to_string(s) + "\t");
    p[static_cast<size_t>(s - 1)] = std::strtod(line.c_str() + 2, nullptr);
  }
  return p;
}

}  // namespace

TEST(CliEstimate, GivesTheWindowsEstimateToTheLastDigit) {
  TempDir dir;
  const std::string path = SavedRun(dir);
  const CliResult flat = Cli({"estimate", path, "--tsv"});
  ASSERT_EQ(flat.status, 0) << flat.err;
  EXPECT_EQ(flat.err, "");
  const SettingEstimate window = WindowEstimate(path, UniformPrior());
  EXPECT_EQ(TsvProbabilities(flat.out), window.Probability);
  EXPECT_EQ(flat.out.find("\n\n"), std::string::npos) << "nothing after the six lines";

  const CliResult hall = Cli({"estimate", path, "--prior", "40,25,15,10,5,5", "--tsv"});
  ASSERT_EQ(hall.status, 0);
  EXPECT_EQ(TsvProbabilities(hall.out), WindowEstimate(path, {40, 25, 15, 10, 5, 5}).Probability);
  EXPECT_NE(TsvProbabilities(hall.out), window.Probability);

  // As the box shows it: prior and posterior side by side, then the note.
  const CliResult shown = Cli({"estimate", path, "--prior", "40,25,15,10,5,5"});
  ASSERT_EQ(shown.status, 0);
  EXPECT_EQ(shown.out.rfind("[設定推測]\n設定\t設定配分\t確率\n1\t40.0 %\t", 0), 0u) << shown.out;
  EXPECT_NE(shown.out.find("\n6\t5.0 %\t"), std::string::npos);
  EXPECT_NE(shown.out.find("件から推測しました。"), std::string::npos);
}

TEST(CliEstimate, BadPriorsAndUnreadableFilesGetTheirStatusAndMessage) {
  TempDir dir;
  const std::string path = SavedRun(dir);
  for (const char* prior : {"1,1,1,1,1", "1,1,1,1,1,-1", "0,0,0,0,0,0", "a,b,c,d,e,f", ""}) {
    const CliResult bad = Cli({"estimate", path, "--prior", prior});
    EXPECT_EQ(bad.status, 2) << prior;
    EXPECT_EQ(bad.err, std::string(kPriorMessage) + "\n");
    EXPECT_EQ(bad.out, "");
  }
  const CliResult missing = Cli({"estimate", dir.File("missing.sim")});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err.rfind(kCannotOpenMessage, 0), 0u) << missing.err;
  WriteBytes(dir.File("text.sim"), {'h', 'e', 'l', 'l', 'o', '\n'});
  const CliResult foreign = Cli({"estimate", dir.File("text.sim"), "--tsv"});
  EXPECT_EQ(foreign.status, 1);
  EXPECT_EQ(foreign.err, dir.File("text.sim") + "\n" + kNotSimFileMessage + "\n");
  EXPECT_EQ(foreign.out, "");

  EXPECT_EQ(Cli({"estimate"}).status, 2);
  EXPECT_EQ(Cli({"estimate", path, path}).status, 2);
  const CliResult alone = Cli({"estimate", path, "--draws", "10"});
  EXPECT_EQ(alone.status, 2);
  EXPECT_EQ(alone.err.rfind("--draws は --next と一緒に指定してください。\n", 0), 0u);
  const CliResult zero = Cli({"estimate", path, "--next", "0"});
  EXPECT_EQ(zero.status, 2);
  EXPECT_EQ(zero.err, std::string(kNextGamesRangeMessage) + "\n");
  // Past 32 bits a count is too large, not "no integer".
  const CliResult huge = Cli({"estimate", path, "--next", "1000000000000"});
  EXPECT_EQ(huge.status, 2);
  EXPECT_EQ(huge.err, std::string(kNextGamesRangeMessage) + "\n");
  const CliResult days = Cli({"estimate", path, "--next", "10000000", "--draws", "1000000"});
  EXPECT_EQ(days.status, 2);
  EXPECT_NE(days.err.find("日かかる見込みです"), std::string::npos) << days.err;
  EXPECT_EQ(days.out, "");
  // Weights whose sum overflows a double still say a 50:50 mix of settings 1 and 2.
  const CliResult vast = Cli({"estimate", path, "--prior", "1e308,1e308,0,0,0,0", "--tsv"});
  EXPECT_EQ(vast.status, 0) << vast.err;
  EXPECT_EQ(vast.out, Cli({"estimate", path, "--prior", "1,1,0,0,0,0", "--tsv"}).out);
  EXPECT_EQ(Cli({"estimate", path, "--next", "10", "--draws", "x"}).err,
            "'x' は整数ではありません\n");
  EXPECT_EQ(Cli({"estimate", path, "--next", "10", "--seed", "-1"}).status, 2);
}

TEST(CliEstimate, NextGamesAreTheSameForASeedOnAnyNumberOfJobs) {
  TempDir dir;
  const std::string path = SavedRun(dir);
  const std::vector<std::string> args = {"estimate", path,     "--next", "200",    "--draws",
                                         "300",      "--seed", "17",     "--jobs", "1"};
  const CliResult one = Cli(args);
  ASSERT_EQ(one.status, 0) << one.err;
  EXPECT_NE(
      one.out.find("\n\n[次の200ゲーム]  予測回数:300  seed:17\n項目\t差枚\t収支(円)\n平均\t"),
      std::string::npos)
      << one.out;
  EXPECT_NE(one.out.find("\nプラスで終わる確率(%)\t"), std::string::npos);
  std::vector<std::string> two = args;
  two.back() = "2";
  EXPECT_EQ(Cli(two).out, one.out);

  std::vector<std::string> tsv = args;
  tsv.push_back("--tsv");
  const CliResult table = Cli(tsv);
  ASSERT_EQ(table.status, 0);
  EXPECT_NE(table.out.find("\n\nfigure\tmedals\tyen\nmean\t"), std::string::npos);
  EXPECT_NE(table.out.find("\nahead\t"), std::string::npos);
  const size_t fan = table.out.find("\n\ngames\tmean\tp5\tp25\tp50\tp75\tp95\n2\t");
  ASSERT_NE(fan, std::string::npos);
  size_t lines = 0;
  for (size_t i = fan + 2; i < table.out.size(); ++i) lines += table.out[i] == '\n';
  EXPECT_EQ(lines, 1u + 100u);
}

// A file that ends inside a BIG whose small-role count is past 30 once sent
// every draw of the prediction into billions of bonus games. Every command
// now refuses it at once, naming the row and the field.
TEST(CliEstimate, ACorruptCounterIsRefusedByEveryCommandBeforeAnythingIsPlayed) {
  TempDir dir;
  const std::string path = dir.File("corrupt.sim");
  ASSERT_EQ(Cli({"run", "--seed", "1", "--games", "100", "--out", path}).status, 0);
  std::vector<unsigned char> bytes = ReadBytes(path);
  for (const std::vector<int32_t>& row :
       {std::vector<int32_t>{101, -206, 101, 1, 9, 1, 0, 0, 0, 0, 255, 255},
        {101, -194, 101, 1, 5, 1, 31, 0, 0, 0, 255, 255}}) {
    for (int32_t v : row) {
      for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<unsigned char>(v >> (8 * i)));
    }
  }
  WriteBytes(path, bytes);
  const std::string expected = std::string(kUnreachableFileMessage) + "\n" + path +
                               "\n102行目のボーナス中の小役ゲーム数 (BonusGames) が 31 です。"
                               "この機械が書く値は 0～30 です。\n";
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"estimate", path, "--next", "1", "--draws", "1", "--seed", "1",
                                 "--jobs", "1"},
        {"show", path},
        {"show", path, "--csv", dir.File("out")}}) {
    const CliResult result = Cli(args);
    EXPECT_EQ(result.status, 1) << args[0];
    EXPECT_EQ(result.err, expected);
    EXPECT_EQ(result.out, "");
  }
  EXPECT_FALSE(FileExists(dir.File("out/corrupt_games.csv")));
}
