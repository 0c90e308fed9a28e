#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>

#include "Messages.h"
#include "PageMemory.h"
#include "SimReader.h"
#include "TestSupport.h"

using namespace sorimu;

using namespace testing_support;

namespace {

std::vector<unsigned char> Le(std::initializer_list<int32_t> values) {
  std::vector<unsigned char> bytes;
  for (int32_t v : values) {
    for (int i = 0; i < 4; ++i)
      bytes.push_back(static_cast<unsigned char>(static_cast<uint32_t>(v) >> (8 * i)));
  }
  return bytes;
}

StatusKind ReadFrom(const std::vector<unsigned char>& bytes, RunRecords& records) {
  TempDir dir;
  WriteBytes(dir.File("f.sim"), bytes);
  return ReadSimFile(dir.File("f.sim"), records).status.Kind;
}

}  // namespace

TEST(HostileFiles, ForeignAndEmptyFilesAreRejectedWithEmptyRecords) {
  std::vector<unsigned char> headerOnly = Le({4, 1, 100, 255, 255});
  std::vector<unsigned char> text(100, 'a');
  std::vector<unsigned char> wrongMark = Le({5, 1, 1, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
  std::vector<unsigned char> bigEndianMark = Le({0x04000000, 1, 1, 0, 0});
  for (const auto& bytes : {std::vector<unsigned char>{}, std::vector<unsigned char>{4, 0, 0},
                            headerOnly, text, wrongMark, bigEndianMark, Le({4})}) {
    RunRecords records;
    records.AppendRow(RunRow{});
    records.SetStartStocks(7, 8);
    EXPECT_EQ(ReadFrom(bytes, records), StatusKind::NotSimFile) << bytes.size();
    EXPECT_EQ(records.RowCount(), 0u);
    EXPECT_EQ(records.StartBigStock, 7) << "start stocks stay as they were";
  }
}

TEST(HostileFiles, MissingFilesAndFoldersCannotBeOpened) {
  TempDir dir;
  RunRecords records;
  records.AppendRow(RunRow{});
  EXPECT_EQ(ReadSimFile(dir.File("none.sim"), records).status.Kind, StatusKind::CannotOpen);
  EXPECT_EQ(ReadSimFile(dir.path(), records).status.Kind, StatusKind::CannotOpen);
  EXPECT_EQ(records.RowCount(), 1u) << "nothing changes when the file does not open";
  const SimReadResult missing = ReadSimFile(dir.File("none.sim"), records);
  // The reason in Japanese alone; the system's words only where there is none.
  EXPECT_EQ(missing.status.Message, std::string(kCannotOpenMessage) + "\n" + dir.File("none.sim") +
                                        "\nファイルまたはフォルダがありません。");
  EXPECT_EQ(FileErrorReason(ECONNREFUSED), std::strerror(ECONNREFUSED));
}

TEST(HostileFiles, PipesAndDevicesAreRefusedWithoutWaiting) {
  TempDir dir;
  // A pipe with no writer would block an ordinary open forever.
  ASSERT_EQ(::mkfifo(dir.File("f.sim").c_str(), 0600), 0);
  RunRecords records;
  records.AppendRow(RunRow{});
  for (const std::string& path : {dir.File("f.sim"), std::string("/dev/zero")}) {
    const SimReadResult result = ReadSimFile(path, records);
    EXPECT_EQ(result.status.Kind, StatusKind::CannotOpen) << path;
    EXPECT_NE(result.status.Message.find(kNotRegularReadReason), std::string::npos);
  }
  EXPECT_EQ(records.RowCount(), 1u);
}

TEST(HostileFiles, HugeSparseFilesAreRefusedAtOnce) {
  TempDir dir;
  const std::string path = dir.File("huge.sim");
  WriteBytes(path, Le({4, 1, 1, 0, 0}));
  for (off_t size : {off_t{1} << 40, off_t{1} << 37}) {  // 1 TiB and 128 GiB, no disk used
    ASSERT_EQ(::truncate(path.c_str(), size), 0);
    RunRecords records;
    EXPECT_EQ(ReadSimFile(path, records).status.Kind, StatusKind::TooLarge);
    EXPECT_EQ(records.RowCount(), 0u);
  }
  RunRecords records;
  EXPECT_EQ(ReadSimFile(path, records).status.Message,
            path + "\nこのファイルは大きすぎるため、読み込めません。");
}

TEST(HostileFiles, FilesThatWouldNotFitInTheFreeMemoryAreRefusedUnread) {
  // Sized against what is free, not what is installed: rows that fit but
  // whose display would not are refused before a byte of them is read.
  TempDir dir;
  const std::string path = dir.File("wide.sim");
  WriteBytes(path, Le({4, 1, 1, 0, 0}));
  const size_t rows = AvailableMemoryBytes() / 1000;
  ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(20 + 48 * rows)), 0);
  RunRecords records;
  records.AppendRow(RunRow{});
  const SimReadResult result = ReadSimFile(path, records, /*displayBytesPerRow=*/2000);
  EXPECT_EQ(result.status.Kind, StatusKind::TooLarge);
  EXPECT_EQ(records.RowCount(), 0u);
}

TEST(HostileFiles, RandomBytesNeverCrashAndValuesNoMachineWritesAreRefused) {
  std::mt19937 random(1);
  for (int trial = 0; trial < 300; ++trial) {
    std::vector<unsigned char> bytes(random() % 400);
    for (auto& b : bytes) b = static_cast<unsigned char>(random());
    if (trial % 2 == 0 && bytes.size() >= 4) bytes[0] = 4, bytes[1] = bytes[2] = bytes[3] = 0;
    RunRecords records;
    const SimReadResult result = ReadSimBytes(bytes.data(), bytes.size(), records);
    if (result.status.Ok()) {
      EXPECT_EQ(records.RowCount(), (bytes.size() - 20) / 48);
    }
  }
  std::vector<unsigned char> odd =
      Le({4, 7, -5, 999, -1, -1, INT32_MIN, 0, 99, 99, 99, 99, 99, 99, 99, 99, 99});
  RunRecords records;
  const SimReadResult result = ReadSimBytes(odd.data(), odd.size(), records);
  EXPECT_EQ(result.status.Kind, StatusKind::Unreachable);
  EXPECT_EQ(result.status.Message,
            std::string(kUnreachableFileMessage) +
                "\n\nヘッダーの設定 (Flevel) が 7 です。この機械が書く値は 1～6 です。");
  EXPECT_EQ(records.RowCount(), 0u);
}
