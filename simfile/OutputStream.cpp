#include "OutputStream.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {
constexpr size_t kBufferBytes = size_t{1} << 20;
}

bool FdOutputStream::Write(const void* data, size_t size) {
  if (failed_) return false;
  const char* bytes = static_cast<const char*>(data);
  if (buffer_.size() + size > kBufferBytes) {
    if (!Flush()) return false;
    if (size >= kBufferBytes) return WriteAll(bytes, size);
  }
  if (buffer_.capacity() < kBufferBytes) buffer_.reserve(kBufferBytes);
  buffer_.append(bytes, size);
  return true;
}

bool FdOutputStream::Flush() {
  if (failed_) return false;
  const bool ok = WriteAll(buffer_.data(), buffer_.size());
  buffer_.clear();
  return ok;
}

bool FdOutputStream::WriteAll(const char* data, size_t size) {
  const off_t start = written_;
  while (size > 0) {
    const ssize_t written = ::write(fd_, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      failed_ = true;
      return false;
    }
    data += written;
    size -= static_cast<size_t>(written);
    written_ += written;
  }
#ifdef SYNC_FILE_RANGE_WRITE
  // Start writing this block to disk now, so the final fsync of a large file
  // finds little left to do. Not a guarantee of anything; the fsync is.
  if (written_ > start) ::sync_file_range(fd_, start, written_ - start, SYNC_FILE_RANGE_WRITE);
#endif
  return true;
}
