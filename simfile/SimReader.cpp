#include "SimReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <vector>

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

size_t PhysicalMemoryBytes() {
  const long pages = ::sysconf(_SC_PHYS_PAGES);
  const long pageSize = ::sysconf(_SC_PAGESIZE);
  if (pages <= 0 || pageSize <= 0) return SIZE_MAX;
  return static_cast<size_t>(pages) * static_cast<size_t>(pageSize);
}

constexpr size_t kRowsPerBlock = 21845;  // about 1 MiB of rows per read

// `sizeHint` is the file's size when known (0 otherwise): it lets the rows be
// reserved at once, and refuses files no list could show before reading them.
SimReadResult Read(ByteSource& source, size_t sizeHint, RunRecords& records) {
  SimReadResult result;
  records.ClearRows();

  unsigned char header[simfile::kHeaderBytes];
  const long long headerBytes = source.ReadFully(header, sizeof header);
  if (headerBytes < 0) {
    result.status = SimReadStatus::ReadError;
    return result;
  }
  if (headerBytes < static_cast<long long>(simfile::kValueBytes) ||
      GetInt32(header) != simfile::kFormatMark ||
      headerBytes < static_cast<long long>(simfile::kHeaderBytes)) {
    result.status = SimReadStatus::NotSimFile;
    return result;
  }
  result.header = SimFileHeader{GetInt32(header + 4), GetInt32(header + 8), GetInt32(header + 12),
                                GetInt32(header + 16)};

  if (sizeHint > simfile::kHeaderBytes) {
    const size_t rows = (sizeHint - simfile::kHeaderBytes) / simfile::kRowBytes;
    if (rows > ChunkedArray<RunRow, 17>::kMaxSize ||
        rows > PhysicalMemoryBytes() / simfile::kRowBytes) {
      result.status = SimReadStatus::TooLarge;
      return result;
    }
    if (!records.ReserveRows(rows)) {
      records.ReleaseMemory();
      result.status = SimReadStatus::OutOfMemory;
      return result;
    }
  }

  // Small files get a small buffer; the size is only a hint, the reads decide.
  size_t blockRows = kRowsPerBlock;
  if (sizeHint > 0)
    blockRows = std::min(blockRows, (sizeHint - simfile::kHeaderBytes) / simfile::kRowBytes + 1);
  std::vector<unsigned char> block(blockRows * simfile::kRowBytes);
  for (;;) {
    const long long got = source.ReadFully(block.data(), block.size());
    if (got < 0) {
      records.ClearRows();
      result.status = SimReadStatus::ReadError;
      return result;
    }
    const size_t rows = static_cast<size_t>(got) / simfile::kRowBytes;
    for (size_t r = 0; r < rows; ++r) {
      if (records.RowCount() >= ChunkedArray<RunRow, 17>::kMaxSize) {
        records.ClearRows();
        result.status = SimReadStatus::TooLarge;
        return result;
      }
      if (!records.AppendRow(DecodeRow(block.data() + r * simfile::kRowBytes))) {
        records.ClearRows();
        records.ReleaseMemory();
        result.status = SimReadStatus::OutOfMemory;
        return result;
      }
    }
    if (static_cast<size_t>(got) < block.size()) break;  // the end; a partial row is dropped
  }

  // The display needs at least one row: a file without one is not a run.
  result.status = records.RowCount() == 0 ? SimReadStatus::NotSimFile : SimReadStatus::Ok;
  return result;
}

}  // namespace

SimReadResult ReadSimFile(const std::string& path, RunRecords& records) {
  SimReadResult result;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return result;
  struct stat info;
  if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    ::close(fd);
    return result;
  }
  if (!S_ISREG(info.st_mode)) {
    // A device or pipe could stream without end; only regular files are runs.
    ::close(fd);
    records.ClearRows();
    result.status = SimReadStatus::NotSimFile;
    return result;
  }
  FdSource source(fd);
  result = Read(source, static_cast<size_t>(info.st_size), records);
  ::close(fd);
  return result;
}

SimReadResult ReadSimBytes(const void* data, size_t size, RunRecords& records) {
  MemorySource source(data, size);
  return Read(source, size, records);
}

const char* SimReadMessage(SimReadStatus status) {
  switch (status) {
    case SimReadStatus::Ok:
    case SimReadStatus::CannotOpen: return "";
    case SimReadStatus::NotSimFile: return kNotSimFileMessage;
    case SimReadStatus::TooLarge: return kFileTooLargeMessage;
    case SimReadStatus::OutOfMemory: return "メモリが不足しているため、ファイルを読み込めません。";
    case SimReadStatus::ReadError: return "シミュレーションファイルの読み込みに失敗しました。";
  }
  return "";
}

}  // namespace sorimu
