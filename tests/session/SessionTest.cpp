// The session's commands and states without a window: what each command
// returns, what it leaves in the records, and what it refuses while busy.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cstring>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "Messages.h"
#include "Session.h"
#include "TestSupport.h"

using namespace sorimu;
using namespace testing_support;

namespace {

StartTexts Texts(const char* play, const char* flevel, const char* sim = "1",
                 const char* big = "255", const char* reg = "255") {
  return StartTexts{play, flevel, sim, big, reg};
}

// A session with hooks that record what they were told.
struct Recorded {
  explicit Recorded(uint32_t seed = 12345) : session(seed) {
    SessionHooks hooks;
    hooks.report = [this](StatusLine line, const std::string& detail, int progress) {
      reports.push_back({line, detail, progress});
    };
    hooks.messagePoint = [this](bool hidden) {
      hiddenAtMessagePoint.push_back(hidden);
      if (onMessagePoint) onMessagePoint();
    };
    hooks.askBatchPath = [this] { return batchPath; };
    hooks.batchFileSaved = [this](const std::string& path) { saved.push_back(path); };
    hooks.stateChanged = [this] { ++stateChanges; };
    hooks.runProgress = [this](const RunProgressInfo& info) {
      progress.push_back(info);
      return !cancelAt || info.GamesDone < *cancelAt;
    };
    session.SetHooks(hooks);
  }

  Session session;
  struct Report {
    StatusLine line;
    std::string detail;
    int progress;
  };
  std::vector<Report> reports;
  std::vector<bool> hiddenAtMessagePoint;
  std::function<void()> onMessagePoint;
  std::optional<std::string> batchPath;
  std::vector<std::string> saved;
  std::vector<RunProgressInfo> progress;
  std::optional<int64_t> cancelAt;
  int stateChanges = 0;
};

}  // namespace

TEST(Session, SingleRunReplacesTheRecordsAndIsShown) {
  Recorded r;
  EXPECT_EQ(r.session.SettingCheck(), 1) << "a new machine's level";
  EXPECT_FALSE(r.session.CanSave());

  const CommandOutcome outcome = r.session.Start(Texts("8000", "?"));
  ASSERT_TRUE(outcome.status.Ok()) << outcome.status.Message;
  EXPECT_TRUE(outcome.display);
  EXPECT_FALSE(outcome.notify);
  EXPECT_EQ(outcome.line, StatusLine::Done);
  ASSERT_EQ(r.reports.size(), 1u);
  EXPECT_EQ(r.reports[0].line, StatusLine::Running);
  EXPECT_EQ(r.hiddenAtMessagePoint, std::vector<bool>{true});
  EXPECT_EQ(r.stateChanges, 3) << "busy, shown, idle";

  EXPECT_EQ(r.session.Display(), DisplayState::Current);
  EXPECT_TRUE(r.session.CanSave());
  EXPECT_EQ(r.session.Records().LastRow().PlayCount, 8000);
  EXPECT_EQ(r.session.Info().Source, RecordsSource::Played);
  // The seed draws setting 5 for the first run, as `sorimu-cli run --seed 12345` shows.
  EXPECT_EQ(r.session.SettingCheck(), 5);
  EXPECT_EQ(r.session.Header().Flevel, 5);
  EXPECT_EQ(r.session.Header().Games, 8000);
}

TEST(Session, InputChecksFailBeforeAnythingIsPlayed) {
  Recorded r;
  CommandOutcome outcome = r.session.Start(Texts("0", "1"));
  EXPECT_EQ(outcome.status.Kind, StatusKind::BadInput);
  EXPECT_TRUE(outcome.notify);
  EXPECT_EQ(outcome.status.Message, kPlayNumRangeMessage);
  EXPECT_EQ(outcome.line, StatusLine::Clear) << "a range error empties the status text";

  outcome = r.session.Start(Texts("abc", "1"));
  EXPECT_EQ(outcome.status.Kind, StatusKind::NotInteger);
  EXPECT_EQ(outcome.line, StatusLine::Keep) << "a conversion error leaves it";
  EXPECT_TRUE(r.reports.empty());
  EXPECT_EQ(r.stateChanges, 0);
  EXPECT_EQ(r.session.Display(), DisplayState::Nothing);
}

TEST(Session, BatchWritesEveryRepetitionAndLeavesTheDisplayStale) {
  TempDir dir;
  Recorded r;
  ASSERT_TRUE(r.session.Start(Texts("8000", "1")).status.Ok());

  r.reports.clear();
  r.batchPath = dir.File("run.sim");
  const CommandOutcome outcome = r.session.Start(Texts("8000", "?", "3"));
  ASSERT_TRUE(outcome.status.Ok()) << outcome.status.Message;
  EXPECT_FALSE(outcome.display);
  // It ends by saying how many files it wrote, and in which folder.
  EXPECT_EQ(outcome.line, StatusLine::BatchFinished);
  EXPECT_EQ(outcome.lineDetail,
            BatchFinishedStatus(3, dir.File("run.sim").substr(0, dir.File("run.sim").rfind('/'))));
  ASSERT_EQ(r.saved.size(), 3u);
  ASSERT_EQ(r.reports.size(), 5u);
  EXPECT_EQ(r.reports[0].line, StatusLine::Running);
  EXPECT_EQ(r.reports[1].line, StatusLine::BatchSaving);
  EXPECT_EQ(r.reports[1].detail, r.saved[0]);
  EXPECT_EQ(r.reports[1].progress, 66);
  EXPECT_EQ(r.reports[2].progress, 100);
  EXPECT_EQ(r.reports[3].progress, 133);
  EXPECT_EQ(r.reports[4].line, StatusLine::BatchDone);
  for (const std::string& path : r.saved) EXPECT_EQ(ReadBytes(path).size() % 48, 20u);

  // The views still show the single run; the records and Save hold the last repetition.
  EXPECT_EQ(r.session.Display(), DisplayState::Stale);
  EXPECT_FALSE(r.session.RecordsOnDisplay());
  EXPECT_TRUE(r.session.CanSave());
  EXPECT_EQ(r.session.Info().Source, RecordsSource::Batch);
  EXPECT_EQ(r.session.Info().Path, r.saved.back());
  ASSERT_TRUE(r.session.Save(dir.File("copy.sim")).status.Ok());
  EXPECT_EQ(ReadBytes(dir.File("copy.sim")), ReadBytes(r.saved.back()));
}

TEST(Session, BatchBeforeAnythingWasShownLeavesSaveUnavailable) {
  TempDir dir;
  Recorded r;
  r.batchPath = dir.File("b.sim");
  ASSERT_TRUE(r.session.Start(Texts("100", "2", "2")).status.Ok());
  EXPECT_EQ(r.session.Display(), DisplayState::Nothing);
  EXPECT_FALSE(r.session.CanSave());
  EXPECT_FALSE(r.session.Save(dir.File("x.sim")).status.Ok() && FileExists(dir.File("x.sim")));
  EXPECT_FALSE(FileExists(dir.File("x.sim")));
}

TEST(Session, CancelledBatchDialogPlaysAndWritesNothing) {
  Recorded r;
  const CommandOutcome outcome = r.session.Start(Texts("100", "1", "2"));
  EXPECT_EQ(outcome.status.Kind, StatusKind::Cancelled);
  EXPECT_FALSE(outcome.notify);
  EXPECT_EQ(outcome.line, StatusLine::Clear);
  EXPECT_TRUE(r.hiddenAtMessagePoint.empty());
  EXPECT_EQ(r.session.Records().RowCount(), 0u);
}

TEST(Session, BatchStopsAtAFileThatCannotBeWrittenAndSaysWhy) {
  TempDir dir;
  Recorded r;
  r.batchPath = dir.File("missing/run.sim");
  const CommandOutcome outcome = r.session.Start(Texts("50", "2", "5", "0", "0"));
  EXPECT_EQ(outcome.status.Kind, StatusKind::WriteFailed);
  EXPECT_TRUE(outcome.notify);
  EXPECT_EQ(outcome.line, StatusLine::BatchError);
  EXPECT_EQ(outcome.status.Message.rfind(kSaveFailedMessage, 0), 0u);
  EXPECT_NE(outcome.status.Message.find(dir.File("missing/run2_50_1.sim")), std::string::npos);
  EXPECT_NE(outcome.status.Message.find("ファイルまたはフォルダがありません。"), std::string::npos);
  EXPECT_EQ(r.hiddenAtMessagePoint.size(), 1u) << "no repetition after the failed one";
  EXPECT_EQ(r.session.Records().LastRow().PlayCount, 50)
      << "the records hold the failed repetition";
}

TEST(Session, CancelledRunLeavesRecordsAndDisplayAsTheyWere) {
  Recorded r;
  ASSERT_TRUE(r.session.Start(Texts("3000", "4")).status.Ok());
  const std::vector<unsigned char> before = RowBytes(r.session.Records());
  const RecordsInfo info = r.session.Info();

  r.cancelAt = 2 * 65536;
  const CommandOutcome outcome = r.session.Start(Texts("1000000", "?"));
  EXPECT_EQ(outcome.status.Kind, StatusKind::Cancelled);
  EXPECT_FALSE(outcome.display);
  EXPECT_FALSE(outcome.notify);
  EXPECT_EQ(outcome.line, StatusLine::Cancelled);
  ASSERT_EQ(r.progress.size(), 2u);
  EXPECT_EQ(r.progress[0].GamesDone, 65536);
  EXPECT_EQ(r.progress[0].GamesTotal, 1000000);
  EXPECT_EQ(RowBytes(r.session.Records()), before);
  EXPECT_EQ(r.session.Info().Flevel, info.Flevel);
  EXPECT_EQ(r.session.SettingCheck(), 4) << "the level of the run on display";
  EXPECT_EQ(r.session.Display(), DisplayState::Current);

  // The machine goes on from where the cancelled run stopped.
  r.cancelAt.reset();
  ASSERT_TRUE(r.session.Start(Texts("100", "1")).status.Ok());
  EXPECT_EQ(r.session.Records().LastRow().PlayCount, 100);
}

TEST(Session, CommandsArrivingAtTheMessagePointAreIgnored) {
  TempDir dir;
  Recorded r;
  ASSERT_TRUE(r.session.Start(Texts("200", "3")).status.Ok());
  ASSERT_TRUE(r.session.Save(dir.File("a.sim")).status.Ok());
  std::vector<CommandOutcome> nested;
  r.onMessagePoint = [&] {
    EXPECT_TRUE(r.session.Busy());
    nested.push_back(r.session.Start(Texts("5", "1")));
    nested.push_back(r.session.Open(dir.File("a.sim")));
    nested.push_back(r.session.Save(dir.File("b.sim")));
    EXPECT_FALSE(r.session.SettingCheck().has_value());
  };
  ASSERT_TRUE(r.session.Start(Texts("300", "6")).status.Ok());
  for (const CommandOutcome& outcome : nested) {
    EXPECT_TRUE(outcome.status.Ok());
    EXPECT_FALSE(outcome.display || outcome.notify || outcome.line != StatusLine::Keep);
  }
  EXPECT_FALSE(FileExists(dir.File("b.sim")));
  EXPECT_EQ(r.session.Records().LastRow().PlayCount, 300);
  EXPECT_FALSE(r.session.Busy());
}

TEST(Session, OpenShowsTheFileAndAForeignFileChangesNothing) {
  TempDir dir;
  Recorded writer(777);
  ASSERT_TRUE(writer.session.Start(Texts("500", "?", "1", "3", "0")).status.Ok());
  ASSERT_TRUE(writer.session.Save(dir.File("a.sim")).status.Ok());

  Recorded r;
  ASSERT_TRUE(r.session.Start(Texts("100", "2")).status.Ok());
  const std::vector<unsigned char> shown = RowBytes(r.session.Records());
  WriteBytes(dir.File("foreign.sim"), {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'});
  r.reports.clear();
  CommandOutcome outcome = r.session.Open(dir.File("foreign.sim"));
  EXPECT_EQ(outcome.status.Kind, StatusKind::NotSimFile);
  EXPECT_EQ(outcome.status.Message, dir.File("foreign.sim") + "\n" + kNotSimFileMessage);
  EXPECT_EQ(outcome.line, StatusLine::ReadBrokenOff);
  EXPECT_EQ(r.reports.front().line, StatusLine::Reading);
  EXPECT_EQ(RowBytes(r.session.Records()), shown) << "the run on display can still be saved";
  EXPECT_EQ(r.session.Display(), DisplayState::Current);

  outcome = r.session.Open(dir.File("nowhere.sim"));
  EXPECT_EQ(outcome.status.Kind, StatusKind::CannotOpen);
  EXPECT_TRUE(outcome.notify);
  EXPECT_EQ(outcome.line, StatusLine::Keep) << "the status text goes back";
  EXPECT_NE(outcome.status.Message.find(dir.File("nowhere.sim")), std::string::npos);

  outcome = r.session.Open(dir.File("a.sim"));
  ASSERT_TRUE(outcome.status.Ok());
  EXPECT_TRUE(outcome.display);
  ASSERT_TRUE(outcome.shownHeader);
  EXPECT_EQ(outcome.shownHeader->Games, 500);
  EXPECT_EQ(outcome.shownHeader->BigStock, 3);
  EXPECT_EQ(r.session.SettingCheck(), writer.session.SettingCheck());
  EXPECT_EQ(r.session.Info().Source, RecordsSource::Opened);
  ASSERT_TRUE(r.session.Save(dir.File("b.sim")).status.Ok());
  EXPECT_EQ(ReadBytes(dir.File("b.sim")), ReadBytes(dir.File("a.sim")));
}

TEST(Session, FailedSaveNamesThePathAndTheReason) {
  TempDir dir;
  Recorded r;
  ASSERT_TRUE(r.session.Start(Texts("10", "1")).status.Ok());
  const CommandOutcome outcome = r.session.Save(dir.path());
  EXPECT_EQ(outcome.status.Kind, StatusKind::Refused);
  EXPECT_TRUE(outcome.notify);
  EXPECT_EQ(outcome.line, StatusLine::Keep);
  EXPECT_EQ(outcome.status.Message,
            std::string(kSaveFailedMessage) + "\n" + dir.path() + "\n" + kFolderReason);
}

namespace {

// In a process of its own: limits `resource` to what the process holds
// (its `held` line in /proc/self/status) and 512 MiB more, asks for a run
// far too long, then plays the largest one the refusal names. Exits 0 when
// that run is complete.
[[noreturn]] void PlayTheLargestUnderALimit(int resource, const char* held) {
  unsigned long long kib = 0;
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind(held, 0) == 0) kib = std::stoull(line.substr(std::strlen(held)));
  }
  struct rlimit limit;
  limit.rlim_cur = limit.rlim_max = kib * 1024 + (rlim_t{512} << 20);
  if (kib == 0 || ::setrlimit(resource, &limit) != 0) std::exit(9);
  Session session(1);
  const CommandOutcome huge = session.Start(Texts("100000000", "1"));
  if (huge.status.Kind != StatusKind::TooLarge) std::exit(1);
  const std::string& message = huge.status.Message;
  // Named as a person reads it: digit groups of three.
  std::string digits;
  for (char c : message.substr(message.find("およそ") + std::strlen("およそ"))) {
    if (c >= '0' && c <= '9') digits += c;
    if (c != ',' && (c < '0' || c > '9')) break;
  }
  if (digits.size() < 7 || message.find(',') == std::string::npos) std::exit(4);
  const long long largest = std::stoll(digits);
  if (largest < 1000000 || largest > 10000000) std::exit(2);
  const CommandOutcome fits = session.Start(Texts(std::to_string(largest).c_str(), "1"));
  std::exit(fits.status.Ok() && session.Records().LastRow().PlayCount == largest ? 0 : 3);
}

}  // namespace

// Under a limit of the process's own (ulimit -v or -d), the run it refuses
// names the largest that fits, and that one plays to its end.
TEST(Session, UnderAMemoryLimitTheLargestRunItNamesFits) {
#ifdef __SANITIZE_ADDRESS__
  GTEST_SKIP() << "the sanitizer's allocator spends memory no real build does";
#endif
  EXPECT_EXIT(PlayTheLargestUnderALimit(RLIMIT_AS, "VmSize:"), ::testing::ExitedWithCode(0), "");
  EXPECT_EXIT(PlayTheLargestUnderALimit(RLIMIT_DATA, "VmData:"), ::testing::ExitedWithCode(0), "");
}

TEST(Session, RunThatCannotFitInMemoryIsRefusedWithTheLargestThatFits) {
  Recorded r;
  const CommandOutcome outcome = r.session.Start(Texts("2147483647", "1"));
  ASSERT_EQ(outcome.status.Kind, StatusKind::TooLarge) << "this needs about 120 GB";
  EXPECT_TRUE(outcome.notify);
  EXPECT_NE(outcome.status.Message.find("およそ"), std::string::npos);
  EXPECT_TRUE(r.hiddenAtMessagePoint.empty());
}

// A published run is never changed under whoever holds it; a run the session
// no longer needs is reused when nobody holds it, and a big one is let go
// when a smaller one replaces it, so its memory goes back.
TEST(Session, PublishedRunsStayAsTheyWereAndABigRunIsLetGo) {
  Recorded r;
  ASSERT_TRUE(r.session.Start(Texts("300000", "2")).status.Ok());
  RunRef held = r.session.Current();
  EXPECT_EQ(held, r.session.ShownSnapshot());
  const std::vector<unsigned char> bytes = RowBytes(held->Records);
  ASSERT_TRUE(r.session.Start(Texts("300000", "5")).status.Ok());
  ASSERT_TRUE(r.session.Start(Texts("300000", "6")).status.Ok());
  EXPECT_EQ(RowBytes(held->Records), bytes) << "a reader's run is its own";
  EXPECT_EQ(held->Header.Flevel, 2);

  const std::weak_ptr<const RunSnapshot> big = r.session.Current();
  held.reset();
  ASSERT_TRUE(r.session.Start(Texts("100", "1")).status.Ok());
  EXPECT_TRUE(big.expired()) << "the larger run before is let go";
  EXPECT_LE(r.session.Current()->Records.RowCapacity(), RunRecords::kChunkRows)
      << "a reused run gives back what the smaller one does not use";
}
