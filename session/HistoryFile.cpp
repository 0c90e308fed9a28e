#include "HistoryFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "HistoryText.h"
#include "Messages.h"
#include "SimReader.h"

namespace sorimu {

namespace {

// A history of kMaxHistoryLines lines of a few dozen bytes each fits well.
constexpr size_t kMaxHistoryBytes = size_t{64} << 20;

Status CannotOpen(const std::string& path, const std::string& reason, int error) {
  return Status::Fail(StatusKind::CannotOpen, FileFailureMessage(kCannotOpenMessage, path, reason),
                      error);
}

// The file's bytes, if it is a regular file of at most kMaxHistoryBytes.
Status ReadText(const std::string& path, std::string& text) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return CannotOpen(path, FileErrorReason(errno), errno);
  struct stat info;
  if (::fstat(fd, &info) != 0) {
    const int error = errno;
    ::close(fd);
    return CannotOpen(path, FileErrorReason(error), error);
  }
  if (!S_ISREG(info.st_mode)) {
    ::close(fd);
    return CannotOpen(path, S_ISDIR(info.st_mode) ? FileErrorReason(EISDIR) : kNotRegularReadReason,
                      0);
  }
  Status status;
  char block[1 << 16];
  for (;;) {
    const ssize_t got = ::read(fd, block, sizeof block);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      const int error = errno;
      status = Status::Fail(
          StatusKind::ReadError,
          FileFailureMessage(kHistoryReadFailedMessage, path, FileErrorReason(error)), error);
      break;
    }
    if (got == 0) break;
    if (text.size() + static_cast<size_t>(got) > kMaxHistoryBytes) {
      status = Status::Fail(StatusKind::TooLarge, FileTooLargeMessage(path));
      break;
    }
    text.append(block, static_cast<size_t>(got));
  }
  ::close(fd);
  return status;
}

}  // namespace

HistoryRead ReadHistoryFile(const std::string& path) {
  HistoryRead read;
  {
    // A simulation file's mark comes first; anything else is read as text.
    RunRecords records;
    const SimReadResult sim = ReadSimFile(path, records);
    if (sim.status.Ok()) {
      records.SetStartStocks(sim.header.BigStock, sim.header.RegStock);
      read.history = HistoryFromRecords(records);
      return read;
    }
    if (sim.status.Kind != StatusKind::NotSimFile) {
      read.status = sim.status;
      return read;
    }
  }
  std::string text;
  read.status = ReadText(path, text);
  if (!read.status.Ok()) return read;
  HistoryParse parse = ParseHistoryText(text);
  if (!parse.status.Ok()) {
    read.status =
        Status::Fail(StatusKind::BadInput,
                     FileFailureMessage(kHistoryReadFailedMessage, path, parse.status.Message));
    return read;
  }
  read.history = std::move(parse.history);
  return read;
}

}  // namespace sorimu
