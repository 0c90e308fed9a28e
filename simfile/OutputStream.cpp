#include "OutputStream.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace sorimu {

namespace {

constexpr size_t kDirectAlignment = 4096;  // covers every logical block size in use

}  // namespace

FdOutputStream::FdOutputStream(int fd, bool direct, size_t bufferBytes)
    : fd_(fd), bufferBytes_(bufferBytes) {
  buffer_ = static_cast<char*>(std::aligned_alloc(kDirectAlignment, bufferBytes_));
  if (buffer_ == nullptr) {
    failed_ = true;
    error_ = ENOMEM;
    return;
  }
#ifdef O_DIRECT
  if (direct) {
    const int flags = ::fcntl(fd_, F_GETFL);
    direct_ = flags >= 0 && ::fcntl(fd_, F_SETFL, flags | O_DIRECT) == 0;
  }
#else
  (void)direct;
#endif
}

FdOutputStream::~FdOutputStream() {
  LeaveDirectMode();
  std::free(buffer_);
}

bool FdOutputStream::Write(const void* data, size_t size) {
  const char* bytes = static_cast<const char*>(data);
  while (size > 0) {
    if (failed_) return false;
    const size_t n = std::min(size, bufferBytes_ - used_);
    std::memcpy(buffer_ + used_, bytes, n);
    used_ += n;
    bytes += n;
    size -= n;
    if (used_ == bufferBytes_ && !WriteBlocks(false)) return false;
  }
  return !failed_;
}

bool FdOutputStream::Flush() { return WriteBlocks(true); }

// Writes the buffer's whole aligned blocks, or with `all` everything in it;
// an unaligned tail of a direct stream is written the ordinary way.
bool FdOutputStream::WriteBlocks(bool all) {
  if (failed_) return false;
  size_t length = used_;
  if (direct_) {
    length -= used_ % kDirectAlignment;
    if (length > 0 && !WriteAll(buffer_, length)) return false;
    std::memmove(buffer_, buffer_ + length, used_ - length);
    used_ -= length;
    if (!all || used_ == 0) return true;
    LeaveDirectMode();
    length = used_;
  }
  const bool ok = WriteAll(buffer_, length);
  used_ = 0;
  return ok;
}

bool FdOutputStream::WriteAll(const char* data, size_t size) {
  const off_t start = written_;
  while (size > 0) {
    const ssize_t written = ::write(fd_, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      if (errno == EINVAL && direct_) {
        // The file system took the flag but not the write: go the ordinary way.
        LeaveDirectMode();
        continue;
      }
      failed_ = true;
      error_ = errno;
      return false;
    }
    data += written;
    size -= static_cast<size_t>(written);
    written_ += written;
  }
#ifdef SYNC_FILE_RANGE_WRITE
  // Start writing this block to disk now, so the final fsync of a large file
  // finds little left to do. Not a guarantee of anything; the fsync is.
  if (!direct_ && written_ > start)
    ::sync_file_range(fd_, start, written_ - start, SYNC_FILE_RANGE_WRITE);
#endif
  return true;
}

void FdOutputStream::LeaveDirectMode() {
#ifdef O_DIRECT
  if (!direct_) return;
  const int flags = ::fcntl(fd_, F_GETFL);
  if (flags >= 0) ::fcntl(fd_, F_SETFL, flags & ~O_DIRECT);
  direct_ = false;
#endif
}

bool OutputStreamBuf::Drain() {
  const std::ptrdiff_t used = pptr() - pbase();
  if (used > 0 && !out_.Write(pbase(), static_cast<size_t>(used))) return false;
  setp(buffer_, buffer_ + sizeof buffer_);
  return true;
}

OutputStreamBuf::int_type OutputStreamBuf::overflow(int_type c) {
  if (!Drain()) return traits_type::eof();
  if (!traits_type::eq_int_type(c, traits_type::eof())) {
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
  }
  return traits_type::not_eof(c);
}

int OutputStreamBuf::sync() { return Drain() ? 0 : -1; }

}  // namespace sorimu
