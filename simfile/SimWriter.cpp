#include "SimWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <bit>
#include <cstdio>
#include <cstring>
#include <vector>

namespace sorimu {

namespace {

void PutInt32(unsigned char* out, int32_t value) {
  const uint32_t v = static_cast<uint32_t>(value);
  out[0] = static_cast<unsigned char>(v);
  out[1] = static_cast<unsigned char>(v >> 8);
  out[2] = static_cast<unsigned char>(v >> 16);
  out[3] = static_cast<unsigned char>(v >> 24);
}

bool WriteRows(OutputStream& out, const RunRow* rows, size_t count) {
  if constexpr (std::endian::native == std::endian::little) {
    // A row in memory is already the row on disk.
    return out.Write(rows, count * sizeof(RunRow));
  } else {
    unsigned char bytes[simfile::kRowBytes];
    for (size_t i = 0; i < count; ++i) {
      for (int c = 0; c < kRunColumnCount; ++c) {
        PutInt32(bytes + c * simfile::kValueBytes, ColumnValue(rows[i], static_cast<RunColumn>(c)));
      }
      if (!out.Write(bytes, sizeof bytes)) return false;
    }
    return true;
  }
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

mode_t ModeForNewFile(const std::string& path) {
  struct stat existing;
  if (::stat(path.c_str(), &existing) == 0) return existing.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

SimFileHeader HeaderFor(const Slot& slot, const RunRecords& records) {
  return SimFileHeader{slot.GetFlevel(), slot.PlayCount, records.StartBigStock,
                       records.StartRegStock};
}

bool WriteSimFile(OutputStream& out, const SimFileHeader& header, const RunRecords& records) {
  unsigned char bytes[simfile::kHeaderBytes];
  PutInt32(bytes + 0, simfile::kFormatMark);
  PutInt32(bytes + 4, header.Flevel);
  PutInt32(bytes + 8, header.Games);
  PutInt32(bytes + 12, header.BigStock);
  PutInt32(bytes + 16, header.RegStock);
  if (!out.Write(bytes, sizeof bytes)) return false;
  bool ok = true;
  records.ForEachRowSpan([&](const RunRow* rows, size_t count) {
    if (ok) ok = WriteRows(out, rows, count);
  });
  return ok;
}

bool SaveSimFile(const std::string& path, const SimFileHeader& header, const RunRecords& records,
                 const StreamFilter& filter) {
  if (path.empty() || path.back() == '/') return false;
  std::string temp = FolderOf(path) + "/.sorimu-save-XXXXXX";
  std::vector<char> name(temp.begin(), temp.end());
  name.push_back('\0');
  const int fd = ::mkstemp(name.data());
  if (fd < 0) return false;
  temp.assign(name.data());

  bool ok;
  {
    FdOutputStream file(fd, /*direct=*/true);
    std::unique_ptr<OutputStream> filtered = filter ? filter(file) : nullptr;
    OutputStream& out = filtered ? *filtered : file;
    ok = WriteSimFile(out, header, records) && file.Flush();
  }
  ok = ok && ::fchmod(fd, ModeForNewFile(path)) == 0;
  ok = ok && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  ok = ok && ::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) ::unlink(temp.c_str());
  return ok;
}

}  // namespace sorimu
