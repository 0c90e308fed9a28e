#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <memory>

#include "SimReader.h"
#include "SimWriter.h"
#include "SingleRun.h"
#include "TestSupport.h"

using namespace sorimu;

using namespace testing_support;

namespace {

// Passes bytes through until `limit` bytes went by, then fails like a full disk.
class FailAfter final : public OutputStream {
 public:
  FailAfter(OutputStream& inner, size_t limit) : inner_(inner), left_(limit) {}
  bool Write(const void* data, size_t size) override {
    if (size > left_) {
      inner_.Write(data, left_);
      left_ = 0;
      return false;
    }
    left_ -= size;
    return inner_.Write(data, size);
  }

 private:
  OutputStream& inner_;
  size_t left_;
};

// The header a save of a freshly played run writes.
SimFileHeader HeaderOf(const Slot& slot, const RunRecords& records) {
  return SimFileHeader{slot.GetFlevel(), slot.PlayCount, records.StartBigStock,
                       records.StartRegStock};
}

struct SeededRun {
  Slot slot;
  RunRecords records;
  SeededRun(uint32_t seed, int32_t games, int32_t flevel) : slot(seed) {
    Simulate(slot, records, Inputs(games, flevel));
  }
};

}  // namespace

TEST(SimFile, KnownAnswerFilesAreByteExact) {
  TempDir dir;
  SeededRun one(0, 1, 1);
  ASSERT_TRUE(SaveSimFile(dir.File("a.sim"), HeaderOf(one.slot, one.records), one.records).Ok());
  const std::vector<unsigned char> a = ReadBytes(dir.File("a.sim"));
  ASSERT_EQ(a.size(), 68u);
  EXPECT_EQ(Sha256Hex(a), "ded6ffda75e8443f65d38e94d9483feb0381edb5e7468e2eae4ed2f5bcae0b12");

  SeededRun hidden(12345, 8000, 0);
  ASSERT_TRUE(
      SaveSimFile(dir.File("b.sim"), HeaderOf(hidden.slot, hidden.records), hidden.records).Ok());
  const std::vector<unsigned char> b = ReadBytes(dir.File("b.sim"));
  EXPECT_EQ(b.size(), 451604u);
  EXPECT_EQ(Sha256Hex(b), "6b2ad5171db07193a29f811a6b20e03bd6366b846d4002e18c7d80730f3dc584");
}

TEST(SimFile, RoundTripAndOpenThenSaveGiveIdenticalFiles) {
  TempDir dir;
  SeededRun run(77, 5000, 3);
  ASSERT_TRUE(SaveSimFile(dir.File("run.sim"), HeaderOf(run.slot, run.records), run.records).Ok());
  const std::vector<unsigned char> original = ReadBytes(dir.File("run.sim"));
  EXPECT_EQ(original.size(), 20 + 48 * run.records.RowCount());

  RunRecords loaded;
  loaded.SetStartStocks(1, 2);
  const SimReadResult result = ReadSimFile(dir.File("run.sim"), loaded);
  ASSERT_EQ(result.status.Kind, StatusKind::Ok);
  EXPECT_EQ(result.header.Flevel, 3);
  EXPECT_EQ(result.header.Games, 5000);
  EXPECT_EQ(result.header.BigStock, 255);
  ASSERT_EQ(loaded.RowCount(), run.records.RowCount());
  for (size_t i = 0; i < loaded.RowCount(); ++i) {
    ASSERT_EQ(std::memcmp(&loaded.Row(i), &run.records.Row(i), sizeof(RunRow)), 0) << i;
  }

  loaded.SetStartStocks(result.header.BigStock, result.header.RegStock);
  ASSERT_TRUE(SaveSimFile(dir.File("copy"), result.header, loaded).Ok());
  EXPECT_EQ(ReadBytes(dir.File("copy")), original) << "a name without extension is used as typed";
}

TEST(SimFile, TrailingPartialRowIsDroppedAtEveryLength) {
  TempDir dir;
  SeededRun run(5, 3, 1);
  ASSERT_TRUE(SaveSimFile(dir.File("r.sim"), HeaderOf(run.slot, run.records), run.records).Ok());
  const std::vector<unsigned char> bytes = ReadBytes(dir.File("r.sim"));
  const size_t rows = run.records.RowCount();
  for (size_t extra = 1; extra < 48; ++extra) {
    std::vector<unsigned char> longer = bytes;
    longer.resize(bytes.size() + extra, 0xAB);
    RunRecords loaded;
    ASSERT_EQ(ReadSimBytes(longer.data(), longer.size(), loaded).status.Kind, StatusKind::Ok);
    EXPECT_EQ(loaded.RowCount(), rows) << extra;
  }
  // Cut at every length: complete rows survive, anything short of one row is foreign.
  for (size_t length = 0; length < bytes.size(); ++length) {
    RunRecords loaded;
    const SimReadResult result = ReadSimBytes(bytes.data(), length, loaded);
    const size_t whole = length < 20 ? 0 : (length - 20) / 48;
    if (whole == 0) {
      EXPECT_EQ(result.status.Kind, StatusKind::NotSimFile) << length;
      EXPECT_EQ(loaded.RowCount(), 0u);
    } else {
      EXPECT_EQ(result.status.Kind, StatusKind::Ok) << length;
      EXPECT_EQ(loaded.RowCount(), whole);
    }
  }
}

TEST(SimFile, WriteErrorsAreReportedAndLeaveTheTargetIntact) {
  TempDir dir;
  SeededRun run(8, 2000, 2);
  const std::string target = dir.File("keep.sim");
  WriteBytes(target, {1, 2, 3, 4, 5});
  for (size_t limit : {size_t{0}, size_t{3}, size_t{20}, size_t{21}, size_t{5000}}) {
    const bool saved = SaveSimFile(target, HeaderOf(run.slot, run.records), run.records,
                                   [limit](OutputStream& file) {
                                     return std::make_unique<FailAfter>(file, limit);
                                   })
                           .Ok();
    EXPECT_FALSE(saved) << limit;
    EXPECT_EQ(ReadBytes(target), (std::vector<unsigned char>{1, 2, 3, 4, 5})) << limit;
  }
  // No temporary file is left behind.
  size_t entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
    ++entries;
  EXPECT_EQ(entries, 1u);

  EXPECT_FALSE(
      SaveSimFile(dir.File("missing/x.sim"), HeaderOf(run.slot, run.records), run.records).Ok());
  EXPECT_FALSE(SaveSimFile(dir.path(), HeaderOf(run.slot, run.records), run.records).Ok());
}

TEST(SimFile, DevFullIsAFailure) {
  SeededRun run(8, 10, 2);
  const int fd = ::open("/dev/full", O_WRONLY);
  if (fd < 0) GTEST_SKIP() << "no /dev/full here";
  bool ok;
  {
    FdOutputStream out(fd);
    ok = WriteSimFile(out, HeaderOf(run.slot, run.records), run.records) && out.Flush();
  }
  ::close(fd);
  EXPECT_FALSE(ok);
}

TEST(SimFile, SavedFileKeepsAnExistingFilesPermissions) {
  TempDir dir;
  SeededRun run(8, 10, 2);
  const std::string target = dir.File("p.sim");
  WriteBytes(target, {0});
  ::chmod(target.c_str(), 0640);
  ASSERT_TRUE(SaveSimFile(target, HeaderOf(run.slot, run.records), run.records).Ok());
  struct stat info;
  ASSERT_EQ(::stat(target.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
}
