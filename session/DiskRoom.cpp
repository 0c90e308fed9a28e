#include "DiskRoom.h"

#include <sys/statvfs.h>

#include <limits>

#include "Messages.h"
#include "SimFormat.h"

namespace sorimu {

uint64_t LeastSimFileBytes(int64_t games) {
  return simfile::kHeaderBytes + static_cast<uint64_t>(games < 0 ? 0 : games) * simfile::kRowBytes;
}

std::optional<std::string> CheckRoomFor(const std::string& path, uint64_t bytes) {
  const size_t slash = path.find_last_of('/');
  const std::string folder =
      slash == std::string::npos ? std::string(".") : path.substr(0, slash == 0 ? 1 : slash);
  struct statvfs disk {};
  if (statvfs(folder.c_str(), &disk) != 0) return std::nullopt;  // the save will say why
  const uint64_t blocks = disk.f_bavail;
  const uint64_t size = disk.f_frsize;
  const uint64_t free = size != 0 && blocks > std::numeric_limits<uint64_t>::max() / size
                            ? UINT64_MAX
                            : blocks * size;
  if (free >= bytes) return std::nullopt;
  return FileFailureMessage(kSaveFailedMessage, path, NoRoomReason(bytes, free));
}

}  // namespace sorimu
