#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <functional>
#include <vector>

#include "MachineRules.h"
#include "Messages.h"
#include "RowRules.h"
#include "SimReader.h"
#include "SingleRun.h"
#include "TestSupport.h"

using namespace testing_support;

namespace {

std::string Describe(const std::optional<FieldFault>& fault) {
  if (!fault) return "no fault";
  return UnreachableValueReason(fault->Row, fault->Field, fault->Value, fault->Allowed);
}

// How often the rarer paths of the machine came by, so that a pass means
// the rules met them.
struct Seen {
  std::array<long long, kRtCancelCauseCount> causes{};
  std::array<long long, 3> renCauses{};
  long long punks = 0;
  long long ztStarts = 0;
  long long cappedStocks = 0;

  void Count(const RunRow& row) {
    ++causes[static_cast<size_t>(row.RTCancel)];
    ++renCauses[static_cast<size_t>(row.RenCause)];
    punks += row.Punk;
    ztStarts += row.ZtCount == kZtGames ? 1 : 0;
    cappedStocks += row.BigStock == kMaxStock || row.RegStock == kMaxStock ? 1 : 0;
  }
};

// Plays one run as Simulate does (level, stocks, reset, games) and checks
// every row as the reader will; no row is kept.
void PlayAndCheck(Slot& slot, int32_t level, int32_t big, int32_t reg, int32_t games, Seen& seen) {
  slot.SetFlevel(level);
  slot.SetStock(big, reg);
  slot.Reset();
  RowChecker checker(SimFileHeader{level, games, big, reg});
  while (slot.PlayCount < games) {
    slot.Play();
    const RunRow row = RowOf(slot);
    const std::optional<FieldFault> fault = checker.Check(row);
    ASSERT_FALSE(fault) << Describe(fault) << " (setting " << level << ", stocks " << big << "/"
                        << reg << ")";
    seen.Count(row);
  }
  ASSERT_FALSE(checker.Finish());
}

std::vector<unsigned char> FileBytes(const SimFileHeader& header, const std::vector<RunRow>& rows) {
  std::vector<unsigned char> bytes;
  auto put = [&bytes](int32_t v) {
    for (int i = 0; i < 4; ++i)
      bytes.push_back(static_cast<unsigned char>(static_cast<uint32_t>(v) >> (8 * i)));
  };
  for (int32_t v : {4, header.Flevel, header.Games, header.BigStock, header.RegStock}) put(v);
  for (const RunRow& row : rows) {
    for (int c = 0; c < kRunColumnCount; ++c) put(ColumnValue(row, static_cast<RunColumn>(c)));
  }
  return bytes;
}

}  // namespace

// The proof that the reader never refuses what Sorimu writes: runs of every
// setting, from full and from empty stocks, short ones one after another on
// one machine (as a session plays them) and a long one each.
TEST(RowRules, EveryRowTheMachinePlaysPasses) {
  Seen seen;
  for (int32_t level = 1; level <= 6; ++level) {
    for (const auto& [big, reg] : {std::pair{255, 255}, std::pair{0, 0}}) {
      Slot slot(static_cast<uint32_t>(7100 + level * 2 + big % 2));
      for (int run = 0; run < 30; ++run) {
        ASSERT_NO_FATAL_FAILURE(PlayAndCheck(slot, level, big, reg, 4000, seen));
      }
      ASSERT_NO_FATAL_FAILURE(PlayAndCheck(slot, level, big, reg, 1500000, seen));
    }
  }
  for (size_t cause = 0; cause < seen.causes.size(); ++cause) {
    EXPECT_GT(seen.causes[cause], 0) << "RTCancel " << cause;
  }
  for (size_t cause = 0; cause < seen.renCauses.size(); ++cause) {
    EXPECT_GT(seen.renCauses[cause], 0) << "RenCause " << cause;
  }
  EXPECT_GT(seen.punks, 0);
  EXPECT_GT(seen.ztStarts, 0);
  EXPECT_GT(seen.cappedStocks, 0);
}

TEST(RowRules, TheFuzzCorpusReadsAsBefore) {
  int read = 0;
  for (const auto& entry : std::filesystem::directory_iterator(SORIMU_FUZZ_CORPUS)) {
    const std::vector<unsigned char> bytes = ReadBytes(entry.path().string());
    RunRecords records;
    const StatusKind kind = ReadSimBytes(bytes.data(), bytes.size(), records).status.Kind;
    EXPECT_TRUE(kind == StatusKind::Ok || kind == StatusKind::NotSimFile) << entry.path();
    read += kind == StatusKind::Ok ? 1 : 0;
  }
  EXPECT_GE(read, 3);
}

// A real run, changed in one place: the reader refuses it, names the row,
// the field and what the machine could have written, and keeps no row.
TEST(RowRules, ValuesNoMachineWritesAreRefusedByRowAndField) {
  Slot slot(11);
  RunRecords run;
  Simulate(slot, run, Inputs(3000, 6, 1, 1));
  const SimFileHeader header{6, 3000, 1, 1};
  std::vector<RunRow> rows;
  run.ForEachRowSpan([&](const RunRow* r, size_t n) { rows.insert(rows.end(), r, r + n); });
  auto find = [&](const std::function<bool(size_t)>& match) {
    for (size_t i = 1; i + 10 < rows.size(); ++i) {
      if (match(i)) return i;
    }
    ADD_FAILURE() << "no such row in the run";
    return size_t{1};
  };
  auto plainGame = [&](size_t i) {
    return rows[i].BonusGames == 0 && !IsBonusOutcome(rows[i].LastOutcome) &&
           rows[i].RTCancel == 0 && rows[i].ZtCount == 0;
  };
  const size_t bigLineUp = find([&](size_t i) { return rows[i].LastOutcome == 9; });
  const size_t regLineUp = find([&](size_t i) { return rows[i].LastOutcome == 10; });
  const size_t plain = find([&](size_t i) {
    return plainGame(i - 1) && plainGame(i) && plainGame(i + 1) && rows[i].LastOutcome == 0;
  });
  const long long last = static_cast<long long>(rows.size());
  const int32_t lastPlay = rows.back().PlayCount;
  auto at = [](size_t index) { return static_cast<long long>(index) + 1; };

  struct Case {
    const char* what;
    std::function<void(SimFileHeader&, std::vector<RunRow>&)> change;
    long long row;
    const char* field;
    std::string allowed;
  };
  const std::vector<Case> cases = {
      {"setting 7", [](SimFileHeader& h, auto&) { h.Flevel = 7; }, 0, kHeaderFlevelField, "1～6"},
      {"stock -1", [](SimFileHeader& h, auto&) { h.BigStock = -1; }, 0, kHeaderBigStockField,
       "0～255"},
      {"games -2^31", [](SimFileHeader& h, auto&) { h.Games = INT32_MIN; }, 0, kHeaderGamesField,
       "1～2147483647"},
      {"fewer games than the rows", [&](SimFileHeader& h, auto&) { h.Games = lastPlay - 1; }, 0,
       kHeaderGamesField, std::to_string(lastPlay) + "～2147483647"},
      {"role code 14", [](auto&, std::vector<RunRow>& r) { r[1].LastOutcome = 14; }, 2,
       kLastOutcomeField, "0～13"},
      {"negative game count", [](auto&, std::vector<RunRow>& r) { r.back().PlayCount = INT32_MIN; },
       last, kPlayCountField, std::to_string(lastPlay)},
      {"a BIG's 31st small-role game",
       [&](auto&, std::vector<RunRow>& r) { r[bigLineUp + 1].BonusGames = 31; }, at(bigLineUp + 1),
       kBonusGamesField, "0～30"},
      {"a REG's ninth JAC game",
       [&](auto&, std::vector<RunRow>& r) { r[regLineUp + 9] = r[regLineUp + 8]; },
       at(regLineUp + 9), kBonusGamesField, "0"},
      {"a stock won twice in one game",
       [&](auto&, std::vector<RunRow>& r) { r[plain].BigStock = r[plain - 1].BigStock + 2; },
       at(plain), kBigStockField,
       std::to_string(rows[plain - 1].BigStock) + "～" +
           std::to_string(rows[plain - 1].BigStock + 1)},
      {"a 2-cherry's cut kept past its one game",
       [&](auto&, std::vector<RunRow>& r) {
         r[plain].LastOutcome = Code(Outcome::Cherry2);
         r[plain].RTCancel = r[plain + 1].RTCancel = Code(RtCancelCause::Cherry2);
       },
       at(plain + 1), kRtCancelField, "0"},
      {"a ZT without a 4-cherry B", [&](auto&, std::vector<RunRow>& r) { r[plain].ZtCount = 30; },
       at(plain), kZtCountField, "0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SimFileHeader changedHeader = header;
    std::vector<RunRow> changedRows = rows;
    c.change(changedHeader, changedRows);
    const std::vector<unsigned char> bytes = FileBytes(changedHeader, changedRows);
    RunRecords records;
    records.AppendRow(RunRow{});
    const SimReadResult result = ReadSimBytes(bytes.data(), bytes.size(), records);
    EXPECT_EQ(result.status.Kind, StatusKind::Unreachable);
    EXPECT_EQ(records.RowCount(), 0u);
    const std::string& message = result.status.Message;
    const std::string where =
        (c.row == 0 ? std::string("ヘッダーの") : std::to_string(c.row) + "行目の") + c.field;
    EXPECT_NE(message.find("\n" + where + " が "), std::string::npos) << message;
    const std::string allowed = "この機械が書く値は " + c.allowed + " です。";
    EXPECT_EQ(message.substr(message.size() - std::min(message.size(), allowed.size())), allowed)
        << message;
  }
  const std::vector<unsigned char> bytes = FileBytes(header, rows);
  RunRecords records;
  EXPECT_TRUE(ReadSimBytes(bytes.data(), bytes.size(), records).status.Ok());
}
