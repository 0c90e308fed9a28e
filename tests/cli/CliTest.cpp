#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <sstream>

#include "BatchNames.h"
#include "CliRunner.h"
#include "CommandOptions.h"
#include "Messages.h"
#include "TestSupport.h"

using namespace sorimu;

using namespace testing_support;

TEST(Cli, SeededRunMatchesTheKnownAnswersAndShowRepeatsItsReport) {
  TempDir dir;
  const CliResult run = Cli({"run", "--seed", "12345", "--games", "8000", "--setting", "?", "--big",
                             "255", "--reg", "255", "--out", dir.File("b.sim")});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out.rfind("BIG回数:24\u3000REG回数:14\nBIG初当り回数:17  REG初当り回数:11\n"
                          "BIG確率:1/333  REG確率:1/571\n収支:136500円\n\n[ボーナス情報]\n"
                          "PLAY数\tPLAY数2\t確定役\tRT解除契機\t獲得メダル\n"
                          "161\t161\tREG\t4枚チェリーB1\t127\n"
                          "419\t258\t777\t2枚チェリー\t711\n"
                          "423\t4\t777\t3G連\t711\n",
                          0),
            0u)
      << run.out;
  EXPECT_NE(run.out.find("\n\n[RT解除情報]\n種別\t解除回数\t割合\n"), std::string::npos);
  EXPECT_EQ(run.out.find("[PLAY情報]"), std::string::npos);
  EXPECT_EQ(Sha256Hex(ReadBytes(dir.File("b.sim"))),
            "6b2ad5171db07193a29f811a6b20e03bd6366b846d4002e18c7d80730f3dc584");

  const CliResult show = Cli({"show", dir.File("b.sim")});
  ASSERT_EQ(show.status, 0);
  EXPECT_EQ(show.out, run.out);

  const CliResult rows = Cli({"show", dir.File("b.sim"), "--rows"});
  EXPECT_NE(
      rows.out.find("\n\n[PLAY情報]\nPLAY数\tPLAY数2\t確定役\tメダル数\tＺＴ\tRT解除状態\tBIG "
                    "Stock\tREG Stock\n"),
      std::string::npos);
  size_t lines = 0;
  for (char c : rows.out) lines += c == '\n';
  size_t plain = 0;
  for (char c : show.out) plain += c == '\n';
  EXPECT_EQ(lines - plain, 9408u + 3u);
}

TEST(Cli, BatchWritesNamedFilesContinuingTheSequence) {
  TempDir dir;
  const CliResult batch = Cli({"run", "--seed", "12345", "--games", "8000", "--setting", "?",
                               "--runs", "2", "--out", dir.File("run.sim")});
  ASSERT_EQ(batch.status, 0) << batch.err;
  EXPECT_EQ(batch.out, dir.File("run5_8000_1.sim") + "\n" + dir.File("run4_8000_2.sim") + "\n");
  EXPECT_EQ(Sha256Hex(ReadBytes(dir.File("run5_8000_1.sim"))),
            "6b2ad5171db07193a29f811a6b20e03bd6366b846d4002e18c7d80730f3dc584");
  const std::vector<unsigned char> second = ReadBytes(dir.File("run4_8000_2.sim"));
  EXPECT_EQ(second.size(), 427124u);
  EXPECT_EQ(Sha256Hex(second), "78cdbf7ed50b2d63739299ca2ee7e5c4a182e9c2efae350e7f62ef6ffcc4d054");
}

// One line is one file, whatever the name holds.
TEST(Cli, BatchNamesWithANewlineAreQuotedOnTheirLine) {
  TempDir dir;
  const CliResult batch =
      Cli({"run", "--games", "10", "--runs", "2", "--out", dir.File("a\nb.sim")});
  ASSERT_EQ(batch.status, 0) << batch.err;
  std::string lines;
  for (const char* name : {"a\\nb1_10_1.sim", "a\\nb1_10_2.sim"}) {
    lines.append("\"").append(dir.File(name)).append("\"\n");
  }
  EXPECT_EQ(batch.out, lines);
  EXPECT_TRUE(FileExists(dir.File("a\nb1_10_2.sim")));
  EXPECT_EQ(PathLine("plain name.sim"), "plain name.sim");
  EXPECT_EQ(PathLine("\"q\\\t\x01"), "\"\\\"q\\\\\\t\\x01\"");
}

TEST(Cli, BatchIntoAMissingFolderStopsWithTheErrorText) {
  TempDir dir;
  const CliResult batch =
      Cli({"run", "--games", "10", "--runs", "3", "--out", dir.File("no/run.sim")});
  EXPECT_EQ(batch.status, 1);
  EXPECT_EQ(batch.err, "シミュレーションファイルの保存に失敗しました。\n" +
                           dir.File("no/run1_10_1.sim") + "\n" + FileErrorReason(ENOENT) +
                           "\nエラーにより強制終了しました。\n");
  EXPECT_EQ(batch.out, "");
}

TEST(Cli, BadInputsGiveTheWindowsMessagesAndStatus2) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"run", "--games", "0", "--big", "300"}, "Play数は、1以上にしてください。\n"},
      {{"run", "--runs", "0"}, "Sim回数は、1以上にしてください。\n"},
      {{"run", "--big", "256"}, "BIGストック数は、0～255にしてください。\n"},
      {{"run", "--reg", "-1"}, "REGストック数は、0～255にしてください。\n"},
      {{"run", "--games", "abc"}, "'abc' は整数ではありません\n"},
      {{"run", "--games", "12 "}, "'12 ' は整数ではありません\n"},
      {{"run", "--setting", "7"}, "設定は、1～6または?にしてください。\n"},
      {{"run", "--runs", "2"}, "Sim回数が2以上のときは、--out で保存先を指定してください。\n"},
      {{"run", "--seed", "4294967296"}, "--seed は、0～4294967295の整数にしてください。\n"},
  };
  for (const auto& [args, message] : cases) {
    const CliResult result = Cli(args);
    EXPECT_EQ(result.status, 2) << message;
    EXPECT_EQ(result.err, message);
    EXPECT_EQ(result.out, "");
  }
  EXPECT_EQ(Cli({"run", "--bogus", "1"}).status, 2);
  EXPECT_EQ(Cli({"run", "--games"}).status, 2);
  EXPECT_EQ(Cli({"fly"}).status, 2);
  EXPECT_EQ(Cli({}).status, 2);
}

TEST(Cli, ShowRejectsForeignFilesLikeTheOpenCommand) {
  TempDir dir;
  WriteBytes(dir.File("text.sim"), {'h', 'e', 'l', 'l', 'o', '\n'});
  const CliResult foreign = Cli({"show", dir.File("text.sim")});
  EXPECT_EQ(foreign.status, 1);
  EXPECT_EQ(foreign.err,
            dir.File("text.sim") + "\nこのファイルは、Sorimuファイルではありません。\n");
  WriteBytes(dir.File("empty.sim"), {4, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  EXPECT_EQ(Cli({"show", dir.File("empty.sim")}).err,
            dir.File("empty.sim") + "\nこのファイルは、Sorimuファイルではありません。\n");
  EXPECT_EQ(Cli({"show", dir.File("missing.sim")}).status, 1);
}

TEST(Cli, SaveFailureIsReportedNotClaimed) {
  const CliResult result = Cli({"run", "--games", "5", "--out", "/nonexistent-folder/a.sim"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err,
            "シミュレーションファイルの保存に失敗しました。\n/nonexistent-folder/a.sim\n" +
                FileErrorReason(ENOENT) + "\n");
}

// Runs that would take hours wait for --yes; a batch whose files cannot fit
// on their disk is refused before its first run, so nothing is written.
TEST(Cli, HugeRunsAskFirstAndNeverPlayIntoAFullDisk) {
  TempDir dir;
  const std::vector<std::string> batch = {"run",    "--games", "10000000",       "--runs",
                                          "100000", "--out",   dir.File("b.sim")};
  const CliResult hours = Cli(batch);
  EXPECT_EQ(hours.status, 2);
  EXPECT_NE(hours.err.find("19時間かかる見込みです"), std::string::npos) << hours.err;
  EXPECT_NE(hours.err.find("--games か --runs"), std::string::npos) << hours.err;

  std::vector<std::string> confirmed = batch;
  confirmed.push_back("--yes");
  const CliResult full = Cli(confirmed);
  EXPECT_EQ(full.status, 1);
  EXPECT_EQ(full.out, "");
  EXPECT_EQ(full.err.rfind(std::string(kSaveFailedMessage) + "\n" + dir.File("b.sim") +
                               "\n空き容量が足りません。少なくとも 48.0 TB",
                           0),
            0u)
      << full.err;
  EXPECT_FALSE(FileExists(BatchFileName(dir.File("b.sim"), 1, 10000000, 1)));
}

TEST(Cli, TheProgramItselfRuns) {
  TempDir dir;
  const std::string command = std::string(SORIMU_CLI_PATH) + " run --seed 0 --games 1 --out " +
                              dir.File("a.sim") + " > /dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_EQ(Sha256Hex(ReadBytes(dir.File("a.sim"))),
            "ded6ffda75e8443f65d38e94d9483feb0381edb5e7468e2eae4ed2f5bcae0b12");
}

// Minutes of work, stopped by Ctrl-C two seconds in (late enough that a
// loaded machine has started the work; a Ctrl-C before that ends the program
// the usual way): the program says so and ends at once with 130, printing no
// table of the runs it did not finish. timeout(1) signals the program and
// its process group alike, which must count as one Ctrl-C, not two.
TEST(Cli, CtrlCStopsLongWorkCleanly) {
  TempDir dir;
  const std::string command = "timeout --preserve-status -s INT 2 " + std::string(SORIMU_CLI_PATH) +
                              " analyze --games 2000000 --trials 1000 --seed 1 > " +
                              dir.File("out.txt") + " 2> " + dir.File("err.txt");
  const auto start = std::chrono::steady_clock::now();
  const int status = std::system(command.c_str());
  const auto took = std::chrono::steady_clock::now() - start;
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 130);
  EXPECT_LT(took, std::chrono::seconds(12));
  const std::vector<unsigned char> err = ReadBytes(dir.File("err.txt"));
  EXPECT_EQ(std::string(err.begin(), err.end()), "Ctrl-C で中断しました。\n")
      << "no progress line: stderr is no terminal";
  EXPECT_TRUE(ReadBytes(dir.File("out.txt")).empty());
}

TEST(Cli, OutputThatCannotBeWrittenIsAFailure) {
  if (!FileExists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  TempDir dir;
  ASSERT_EQ(Cli({"run", "--games", "10", "--out", dir.File("g.sim")}).status, 0);
  const std::string command = std::string(SORIMU_CLI_PATH) + " show " + dir.File("g.sim") +
                              " --rows > /dev/full 2> " + dir.File("err.txt");
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  const std::vector<unsigned char> err = ReadBytes(dir.File("err.txt"));
  const std::string reason = "標準出力に書き込めません: " + FileErrorReason(ENOSPC) + "\n";
  EXPECT_EQ(std::string(err.begin(), err.end()), reason);
  // Megabytes of rows fail long before the end; the first failure's reason stays.
  const std::string midway = std::string(SORIMU_CLI_PATH) +
                             " run --games 100000 --rows > /dev/full 2> " + dir.File("err2.txt");
  EXPECT_EQ(WEXITSTATUS(std::system(midway.c_str())), 1);
  const std::vector<unsigned char> err2 = ReadBytes(dir.File("err2.txt"));
  EXPECT_EQ(std::string(err2.begin(), err2.end()), reason);
}

TEST(Cli, TargetsThatAreNotRegularFilesAreRefused) {
  TempDir dir;
  ASSERT_EQ(::mkfifo(dir.File("fifo.sim").c_str(), 0600), 0);
  const CliResult fifo = Cli({"run", "--games", "10", "--out", dir.File("fifo.sim")});
  EXPECT_EQ(fifo.status, 1);
  EXPECT_EQ(fifo.err, "シミュレーションファイルの保存に失敗しました。\n" + dir.File("fifo.sim") +
                          "\n" + kFifoReason + "\n");
  // Reading it would wait for a writer forever; it is refused at once instead.
  const CliResult shown = Cli({"show", dir.File("fifo.sim")});
  EXPECT_EQ(shown.status, 1);
  EXPECT_NE(shown.err.find(kNotRegularReadReason), std::string::npos);
  // A socket cannot even be opened; it is named for what it is, in Japanese.
  const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string socketPath = dir.File("s.sim");
  ASSERT_LT(socketPath.size(), sizeof address.sun_path);
  socketPath.copy(address.sun_path, socketPath.size());
  ASSERT_EQ(::bind(sock, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  const CliResult socketShown = Cli({"show", socketPath});
  ::close(sock);
  EXPECT_EQ(socketShown.status, 1);
  EXPECT_EQ(socketShown.err, std::string(kCannotOpenMessage) + "\n" + socketPath + "\n" +
                                 kNotRegularReadReason + "\n");

  const CliResult empty = Cli({"run", "--games", "10", "--out", ""});
  EXPECT_EQ(empty.status, 2);
  EXPECT_EQ(empty.err.rfind("--out には保存先を指定してください。\n", 0), 0u);
}

TEST(Cli, HelpAndVersionGoToStandardOutput) {
  const CliResult help = Cli({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("使い方:\n", 0), 0u);
  EXPECT_EQ(help.err, "");
  const CliResult version = Cli({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out.rfind("sorimu-cli ", 0), 0u);
}
