#include "SimReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <optional>
#include <vector>

#include "Messages.h"
#include "PageMemory.h"
#include "RowRules.h"
#include "SimFormat.h"

namespace sorimu {

namespace {

// Fills up to `size` bytes; fewer only at the end of the data. -1 on error.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual long long ReadFully(unsigned char* out, size_t size) = 0;
};

class FdSource final : public ByteSource {
 public:
  explicit FdSource(int fd) : fd_(fd) {}
  long long ReadFully(unsigned char* out, size_t size) override {
    size_t done = 0;
    while (done < size) {
      const ssize_t got = ::read(fd_, out + done, size - done);
      if (got < 0) {
        if (errno == EINTR) continue;
        return -1;
      }
      if (got == 0) break;
      done += static_cast<size_t>(got);
    }
    return static_cast<long long>(done);
  }

 private:
  int fd_;
};

class MemorySource final : public ByteSource {
 public:
  MemorySource(const void* data, size_t size)
      : data_(static_cast<const unsigned char*>(data)), left_(size) {}
  long long ReadFully(unsigned char* out, size_t size) override {
    const size_t n = std::min(size, left_);
    if (n > 0) std::memcpy(out, data_, n);
    data_ += n;
    left_ -= n;
    return static_cast<long long>(n);
  }

 private:
  const unsigned char* data_;
  size_t left_;
};

int32_t GetInt32(const unsigned char* in) {
  return static_cast<int32_t>(static_cast<uint32_t>(in[0]) | static_cast<uint32_t>(in[1]) << 8 |
                              static_cast<uint32_t>(in[2]) << 16 |
                              static_cast<uint32_t>(in[3]) << 24);
}

RunRow DecodeRow(const unsigned char* in) {
  RunRow row;
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(&row, in, sizeof row);
  } else {
    int32_t values[kRunColumnCount];
    for (int c = 0; c < kRunColumnCount; ++c) values[c] = GetInt32(in + c * simfile::kValueBytes);
    std::memcpy(&row, values, sizeof row);
  }
  return row;
}

constexpr size_t kRowsPerBlock = 21845;  // about 1 MiB of rows per read

// Left free for everything else on the machine when a file is sized up.
constexpr size_t kMemoryMargin = size_t{64} << 20;

// Whether `rows` rows and what the caller shows of them fit in the memory
// the system has free, counting the row memory the records already hold.
bool FitsInMemory(size_t rows, size_t displayBytesPerRow, const RunRecords& records) {
  const size_t perRow = simfile::kRowBytes + displayBytesPerRow;
  if (rows > SIZE_MAX / perRow) return false;
  const size_t held = records.RowCapacity() * simfile::kRowBytes;
  const size_t needed = rows * perRow;
  const size_t fresh = needed > held ? needed - held : 0;
  const size_t available = AvailableMemoryBytes();
  return available > kMemoryMargin && fresh <= available - kMemoryMargin;
}

Status Failure(StatusKind kind, const char* message) { return Status::Fail(kind, message); }

Status Unreachable(const FieldFault& fault, const std::string& path) {
  return Status::Fail(StatusKind::Unreachable,
                      FileFailureMessage(kUnreachableFileMessage, path,
                                         UnreachableValueReason(fault.Row, fault.Field, fault.Value,
                                                                fault.Allowed)));
}

// `sizeHint` is the file's size when known (0 otherwise): it lets the rows be
// reserved at once, and refuses files no list could show before reading them.
SimReadResult Read(ByteSource& source, size_t sizeHint, size_t displayBytesPerRow,
                   RunRecords& records, const std::string& path) {
  SimReadResult result;
  records.ClearRows();

  unsigned char header[simfile::kHeaderBytes];
  const long long headerBytes = source.ReadFully(header, sizeof header);
  if (headerBytes < 0) {
    const int error = errno;
    result.status =
        Status::Fail(StatusKind::ReadError,
                     FileFailureMessage(kReadFailedMessage, path, FileErrorReason(error)), error);
    return result;
  }
  if (headerBytes < static_cast<long long>(simfile::kValueBytes) ||
      GetInt32(header) != simfile::kFormatMark ||
      headerBytes < static_cast<long long>(simfile::kHeaderBytes)) {
    result.status = Status::Fail(StatusKind::NotSimFile, NotSimFileMessage(path));
    return result;
  }
  result.header = SimFileHeader{
      GetInt32(header + simfile::kFlevelOffset), GetInt32(header + simfile::kGamesOffset),
      GetInt32(header + simfile::kBigStockOffset), GetInt32(header + simfile::kRegStockOffset)};
  if (const std::optional<FieldFault> fault = CheckHeader(result.header)) {
    result.status = Unreachable(*fault, path);
    return result;
  }

  if (sizeHint > simfile::kHeaderBytes) {
    const size_t rows = (sizeHint - simfile::kHeaderBytes) / simfile::kRowBytes;
    if (rows > ChunkedArray<RunRow, 17>::kMaxSize ||
        !FitsInMemory(rows, displayBytesPerRow, records)) {
      result.status = Status::Fail(StatusKind::TooLarge, FileTooLargeMessage(path));
      return result;
    }
    if (!records.ReserveRows(rows)) {
      records.ReleaseMemory();
      result.status = Failure(StatusKind::OutOfMemory, kReadOutOfMemoryMessage);
      return result;
    }
  }

  // Small files get a small buffer; the size is only a hint, the reads decide.
  size_t blockRows = kRowsPerBlock;
  if (sizeHint > 0)
    blockRows = std::min(blockRows, (sizeHint - simfile::kHeaderBytes) / simfile::kRowBytes + 1);
  std::vector<unsigned char> block(blockRows * simfile::kRowBytes);
  RowChecker checker(result.header);
  for (;;) {
    const long long got = source.ReadFully(block.data(), block.size());
    if (got < 0) {
      const int error = errno;
      records.ClearRows();
      result.status =
          Status::Fail(StatusKind::ReadError,
                       FileFailureMessage(kReadFailedMessage, path, FileErrorReason(error)), error);
      return result;
    }
    const size_t rows = static_cast<size_t>(got) / simfile::kRowBytes;
    for (size_t r = 0; r < rows; ++r) {
      if (records.RowCount() >= ChunkedArray<RunRow, 17>::kMaxSize) {
        records.ClearRows();
        result.status = Status::Fail(StatusKind::TooLarge, FileTooLargeMessage(path));
        return result;
      }
      const RunRow row = DecodeRow(block.data() + r * simfile::kRowBytes);
      if (const std::optional<FieldFault> fault = checker.Check(row)) {
        records.ClearRows();
        result.status = Unreachable(*fault, path);
        return result;
      }
      if (!records.AppendRow(row)) {
        records.ClearRows();
        records.ReleaseMemory();
        result.status = Failure(StatusKind::OutOfMemory, kReadOutOfMemoryMessage);
        return result;
      }
    }
    if (static_cast<size_t>(got) < block.size()) break;  // the end; a partial row is dropped
  }

  // The display needs at least one row: a file without one is not a run.
  if (records.RowCount() == 0) {
    result.status = Status::Fail(StatusKind::NotSimFile, NotSimFileMessage(path));
  } else if (const std::optional<FieldFault> fault = checker.Finish()) {
    records.ClearRows();
    result.status = Unreachable(*fault, path);
  }
  return result;
}

}  // namespace

SimReadResult ReadSimFile(const std::string& path, RunRecords& records, size_t displayBytesPerRow) {
  SimReadResult result;
  auto cannotOpen = [&](const std::string& reason, int error) {
    result.status = Status::Fail(StatusKind::CannotOpen,
                                 FileFailureMessage(kCannotOpenMessage, path, reason), error);
    return result;
  };
  // Without O_NONBLOCK, opening a pipe would wait for a writer forever.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    const int error = errno;
    struct stat info;
    // A socket cannot be opened at all (ENXIO): say what it is, as for a pipe.
    if (error == ENXIO && ::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
      return cannotOpen(kNotRegularReadReason, error);
    }
    return cannotOpen(FileErrorReason(error), error);
  }
  struct stat info;
  if (::fstat(fd, &info) != 0) {
    const int error = errno;
    ::close(fd);
    return cannotOpen(FileErrorReason(error), error);
  }
  if (!S_ISREG(info.st_mode)) {
    // A folder holds no run, and a device or pipe could stream without end.
    ::close(fd);
    return cannotOpen(S_ISDIR(info.st_mode) ? FileErrorReason(EISDIR) : kNotRegularReadReason, 0);
  }
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  FdSource source(fd);
  result = Read(source, static_cast<size_t>(info.st_size), displayBytesPerRow, records, path);
  ::close(fd);
  return result;
}

SimReadResult ReadSimBytes(const void* data, size_t size, RunRecords& records) {
  MemorySource source(data, size);
  return Read(source, size, 0, records, "");
}

}  // namespace sorimu
