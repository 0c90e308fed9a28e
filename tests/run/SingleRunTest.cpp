#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "SingleRun.h"
#include "TestSupport.h"

using namespace sorimu;

using testing_support::Inputs;

namespace {

// Folds every value of every row, so a single changed draw shows.
uint64_t Signature(const RunRecords& records) {
  uint64_t hash = 1469598103934665603ull;
  records.ForEachRowSpan([&](const RunRow* rows, size_t count) {
    for (size_t i = 0; i < count; ++i) {
      for (int c = 0; c < kRunColumnCount; ++c) {
        hash = (hash ^ static_cast<uint32_t>(ColumnValue(rows[i], static_cast<RunColumn>(c)))) *
               1099511628211ull;
      }
    }
  });
  return hash;
}

}  // namespace

TEST(Simulate, SeededHiddenRunIsPinned) {
  Slot slot(12345);
  RunRecords records;
  ASSERT_EQ(Simulate(slot, records, Inputs(8000, 0)), RunStatus::Completed);
  EXPECT_EQ(slot.GetFlevel(), 5);
  EXPECT_EQ(records.RowCount(), 9408u);
  EXPECT_EQ(slot.PlayCount, 8000);
  EXPECT_EQ(records.LastRow().PlayCount, 8000);
  EXPECT_EQ(records.LastRow().BonusGames, 0);
  // A change here means a draw moved: say why in the commit that changes it.
  EXPECT_EQ(Signature(records), 0xbae6f5d832db8053ull) << std::hex << Signature(records);
}

TEST(Simulate, OneGameGivesOneRow) {
  for (uint32_t seed = 0; seed < 50; ++seed) {
    Slot slot(seed);
    RunRecords records;
    Simulate(slot, records, Inputs(1, 1 + seed % 6, seed % 2 ? 0 : 255, 0));
    ASSERT_EQ(records.RowCount(), 1u);
    EXPECT_EQ(records.Row(0).PlayCount, 1);
    EXPECT_EQ(records.Row(0).GamesSinceBonus, 1);
    EXPECT_EQ(records.StartBigStock, seed % 2 ? 0 : 255);
  }
}

TEST(Simulate, StopsRightAfterTheLastNormalGameEvenWhenItLinesUpABonus) {
  for (uint32_t seed = 0;; ++seed) {
    ASSERT_LT(seed, 10000u);
    Slot slot(seed);
    RunRecords records;
    Simulate(slot, records, Inputs(5, 6));
    const RunRow& last = records.LastRow();
    if (last.LastOutcome != Code(Outcome::BIG) && last.LastOutcome != Code(Outcome::REG)) continue;
    EXPECT_EQ(last.PlayCount, 5);
    EXPECT_EQ(last.BonusGames, 0);
    EXPECT_NE(last.BonusKind, 0);
    EXPECT_EQ(records.RowCount(), 5u) << "the bonus's games are not played";
    break;
  }
}

TEST(Simulate, RowCountIsGamesPlusBonusGamesAndRunsContinueOneSequence) {
  Slot slot(99);
  RunRecords records;
  Simulate(slot, records, Inputs(3000, 4));
  size_t bonusRows = 0;
  for (size_t i = 0; i < records.RowCount(); ++i) bonusRows += IsBonusGameRow(records.Row(i));
  EXPECT_EQ(records.RowCount(), 3000 + bonusRows);
  const uint64_t first = Signature(records);

  Simulate(slot, records, Inputs(3000, 4));
  EXPECT_NE(Signature(records), first) << "the second run must not restart the sequence";

  Slot again(99);
  RunRecords replay;
  Simulate(again, replay, Inputs(3000, 4));
  EXPECT_EQ(Signature(replay), first);
}

TEST(Simulate, MessagePointComesOnceAfterTheLevelAndBeforeAnyGame) {
  Slot slot(7);
  RunRecords records;
  records.AppendRow(RunRow{});
  records.SetStartStocks(9, 9);
  int calls = 0;
  Simulate(slot, records, Inputs(100, 0, 10, 20), [&] {
    ++calls;
    EXPECT_EQ(records.RowCount(), 0u);
    EXPECT_GE(slot.GetFlevel(), 1);
    EXPECT_LE(slot.GetFlevel(), 6);
    EXPECT_EQ(records.StartBigStock, 9) << "start stocks are read after the message point";
  });
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(records.StartBigStock, 10);
  EXPECT_EQ(records.StartRegStock, 20);
}

TEST(Simulate, HiddenLevelIsDrawnBeforeSetFlevel) {
  // The hidden draw is the first value of the sequence: (Next mod 6) + 1.
  RandomSource random;
  random.Seed(12345);
  const int32_t expected = random.Next() % 6 + 1;
  Slot slot(12345);
  RunRecords records;
  Simulate(slot, records, Inputs(10, 0));
  EXPECT_EQ(slot.GetFlevel(), expected);
}

TEST(Simulate, RunningOutOfMemoryEndsTheRunWithAnErrorNotACrash) {
  // In a child process with a small address space, so the limit hurts no one.
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const rlimit limit{256u << 20, 256u << 20};
    setrlimit(RLIMIT_AS, &limit);
    Slot slot(3);
    RunRecords records;
    const RunStatus status = Simulate(slot, records, Inputs(50'000'000, 1));
    _exit(status == RunStatus::OutOfMemory && records.RowCount() == 0 ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status)) << "the child crashed";
  EXPECT_EQ(WEXITSTATUS(status), 0);
}
