#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "CliRunner.h"
#include "CliTexts.h"
#include "DryStretch.h"

namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::stringstream stream(text);
  for (std::string part; std::getline(stream, part, separator);) parts.push_back(part);
  return parts;
}

size_t SignificantDigits(const std::string& decimal) {
  const size_t first = decimal.find_first_of("123456789");
  size_t digits = 0;
  for (size_t i = first; i < decimal.size(); ++i) digits += decimal[i] >= '0' && decimal[i] <= '9';
  return digits;
}

// 機械割 of settings 1..6 as ratios, to 12 digits.
constexpr long double kPayouts[] = {0.986187071973L, 1.015223719963L, 1.053281452702L,
                                    1.109593246325L, 1.148522813333L, 1.218228031701L};

}  // namespace

TEST(CliTheory, TsvGivesEverySettingsExactFigures) {
  const CliResult result = Cli({"theory", "--tsv"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "");
  const std::vector<std::string> lines = Split(result.out, '\n');
  ASSERT_EQ(lines.size(), 7u);
  const std::vector<std::string> header = Split(lines[0], '\t');
  const std::vector<std::string> required = {"setting",
                                             "payout",
                                             "big_per_game",
                                             "reg_per_game",
                                             "big_first_per_game",
                                             "reg_first_per_game",
                                             "games_per_first_hit"};
  ASSERT_GE(header.size(), required.size());
  EXPECT_TRUE(std::equal(required.begin(), required.end(), header.begin())) << lines[0];

  for (size_t s = 1; s <= 6; ++s) {
    SCOPED_TRACE(s);
    const std::vector<std::string> fields = Split(lines[s], '\t');
    ASSERT_EQ(fields.size(), header.size());
    EXPECT_EQ(fields[0], std::to_string(s));
    for (size_t i = 1; i < fields.size(); ++i) {
      EXPECT_EQ(fields[i].find_first_not_of("0123456789."), std::string::npos) << fields[i];
      EXPECT_GE(SignificantDigits(fields[i]), 15u) << header[i] << " " << fields[i];
    }
    EXPECT_NEAR(std::strtold(fields[1].c_str(), nullptr), kPayouts[s - 1], 5e-13L) << fields[1];
    // BIG and REG first hits can only be rarer than all BIGs and REGs, and
    // the games per first hit is the inverse of their sum.
    const long double big = std::strtold(fields[2].c_str(), nullptr);
    const long double reg = std::strtold(fields[3].c_str(), nullptr);
    const long double bigFirst = std::strtold(fields[4].c_str(), nullptr);
    const long double regFirst = std::strtold(fields[5].c_str(), nullptr);
    EXPECT_LT(bigFirst, big);
    EXPECT_LT(regFirst, reg);
    EXPECT_NEAR(std::strtold(fields[6].c_str(), nullptr) * (bigFirst + regFirst), 1, 1e-15L);
  }

  const CliResult one = Cli({"theory", "--setting", "4", "--tsv"});
  ASSERT_EQ(one.status, 0);
  EXPECT_EQ(one.out, lines[0] + "\n" + lines[4] + "\n");
}

TEST(CliTheory, TableShowsTheSpecSheetLikeTheOtherReports) {
  const CliResult result = Cli({"theory"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out.rfind("[スペック表]\n項目\t設定1\t設定2\t設定3\t設定4\t設定5\t設定6\n"
                             "BIG確率\t1/516.6\t",
                             0),
            0u)
      << result.out;
  EXPECT_NE(result.out.find("\n機械割(%)\t98.62\t101.52\t105.33\t110.96\t114.85\t121.82\n"),
            std::string::npos);
  for (const std::string& line : Split(result.out, '\n')) {
    if (line[0] != '[') {
      EXPECT_EQ(Split(line, '\t').size(), 7u) << line;
    }
  }
  EXPECT_EQ(Cli({"theory", "--setting", "all"}).out, result.out);

  const CliResult six = Cli({"theory", "--setting", "6"});
  ASSERT_EQ(six.status, 0);
  EXPECT_EQ(six.out.rfind("[スペック表]\n項目\t設定6\nBIG確率\t", 0), 0u) << six.out;
  EXPECT_NE(six.out.find("\n機械割(%)\t121.82\n"), std::string::npos);
}

TEST(CliTheory, TailGivesTheDryStretchChancesOfEachSetting) {
  const CliResult table = Cli({"theory", "--tail", "800"});
  ASSERT_EQ(table.status, 0) << table.err;
  const std::vector<std::string> lines = Split(table.out, '\n');
  ASSERT_EQ(lines.size(), 4u) << table.out;
  EXPECT_EQ(lines[0], "[ハマリ確率]");
  EXPECT_EQ(lines[1], "項目\t設定1\t設定2\t設定3\t設定4\t設定5\t設定6");
  EXPECT_EQ(lines[2].rfind("ボーナス間 800G以上\t", 0), 0u);
  EXPECT_EQ(lines[3].rfind("初当り間 800G以上\t", 0), 0u);

  const CliResult tsv = Cli({"theory", "--tail", "800", "--tsv", "--setting", "2"});
  ASSERT_EQ(tsv.status, 0) << tsv.err;
  const std::vector<std::string> tsvLines = Split(tsv.out, '\n');
  ASSERT_EQ(tsvLines.size(), 2u);
  EXPECT_EQ(tsvLines[0], "setting\tgames\tbetween_bonuses\tbetween_first_hits");
  const std::vector<std::string> fields = Split(tsvLines[1], '\t');
  ASSERT_EQ(fields.size(), 4u);
  EXPECT_EQ(fields[0], "2");
  EXPECT_EQ(fields[1], "800");
  const theory::DryStretchTail tail =
      theory::ComputeDryStretchTail(theory::DefaultCycleModel(2), 800);
  EXPECT_NEAR(std::strtold(fields[2].c_str(), nullptr) / tail.BetweenBonuses[800], 1, 1e-17L);
  EXPECT_NEAR(std::strtold(fields[3].c_str(), nullptr) / tail.BetweenFirstHits[800], 1, 1e-17L);
  // The same setting's column of the table, rounded as the lists round.
  EXPECT_NEAR(std::strtod(Split(lines[3], '\t')[2].c_str(), nullptr) /
                  static_cast<double>(tail.BetweenFirstHits[800]),
              1, 1e-14);

  // Every stretch lasts at least one game.
  const CliResult one = Cli({"theory", "--tail", "1", "--tsv"});
  ASSERT_EQ(one.status, 0);
  for (const std::string& line : Split(one.out, '\n')) {
    if (line.rfind("setting", 0) == 0) continue;
    const std::vector<std::string> cells = Split(line, '\t');
    EXPECT_NEAR(std::strtold(cells[2].c_str(), nullptr), 1, 1e-17L) << line;
    EXPECT_NEAR(std::strtold(cells[3].c_str(), nullptr), 1, 1e-17L) << line;
  }
}

TEST(CliTheory, BadInputsSayWhatIsWrongAndExitWithTwo) {
  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const Case cases[] = {
      {{"--setting", "0"}, "設定は、1～6またはallにしてください。\n"},
      {{"--setting", "7"}, "設定は、1～6またはallにしてください。\n"},
      {{"--setting", "?"}, "設定は、1～6またはallにしてください。\n"},
      {{"--setting", ""}, "設定は、1～6またはallにしてください。\n"},
      {{"--tail", "0"}, "--tail は、1～100000の整数にしてください。\n"},
      {{"--tail", "100001"}, "--tail は、1～100000の整数にしてください。\n"},
      {{"--tail", "-5", "--tsv"}, "--tail は、1～100000の整数にしてください。\n"},
      {{"--tail", "x"}, "'x' は整数ではありません\n"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"theory"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const CliResult result = Cli(args);
    EXPECT_EQ(result.status, 2) << c.message;
    EXPECT_EQ(result.err, c.message);
    EXPECT_EQ(result.out, "");
  }
  const std::string usage = kTheoryUsage;
  EXPECT_EQ(usage.rfind("使い方:\n  sorimu-cli theory [--setting S|all] [--tail N] [--tsv]\n", 0),
            0u);
  const CliResult unknown = Cli({"theory", "--trials", "100"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_EQ(unknown.err, "不明なオプションです: --trials\n" + usage);
  const CliResult noValue = Cli({"theory", "--tail"});
  EXPECT_EQ(noValue.status, 2);
  EXPECT_EQ(noValue.err, "--tail には値が必要です。\n" + usage);
  const CliResult extra = Cli({"theory", "3"});
  EXPECT_EQ(extra.status, 2);
  EXPECT_EQ(extra.err, "余分な引数です: 3\n" + usage);
  EXPECT_EQ(extra.out, "");

  const CliResult help = Cli({"--help"});
  EXPECT_NE(help.out.find("\n  sorimu-cli theory [--setting S|all] [--tail N] [--tsv]\n"),
            std::string::npos);
}
