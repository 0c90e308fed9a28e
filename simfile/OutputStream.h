#pragma once

#include <cstddef>
#include <memory>
#include <streambuf>

namespace sorimu {

// Where the writer's bytes go. A stream that failed stays failed.
class OutputStream {
 public:
  virtual ~OutputStream() = default;
  virtual bool Write(const void* data, size_t size) = 0;
};

// A file descriptor written in large blocks, never a system call per value.
//
// With `direct`, whole blocks bypass the page cache (O_DIRECT) where the file
// system allows it: a long run's file is hundreds of megabytes, and on these
// machines filling the page cache with it costs several times what the disk
// write does. Whatever the file system refuses is written the ordinary way.
class FdOutputStream final : public OutputStream {
 public:
  explicit FdOutputStream(int fd, bool direct = false);
  ~FdOutputStream() override;
  FdOutputStream(const FdOutputStream&) = delete;
  FdOutputStream& operator=(const FdOutputStream&) = delete;

  bool Write(const void* data, size_t size) override;
  // Writes out everything buffered; false if any write failed.
  bool Flush();
  // The system's error number of the write that failed; 0 before.
  int Error() const { return error_; }

 private:
  bool WriteBlocks(bool all);
  bool WriteAll(const char* data, size_t size);
  void LeaveDirectMode();

  int fd_;
  bool direct_ = false;
  bool failed_ = false;
  int error_ = 0;
  long long written_ = 0;
  char* buffer_ = nullptr;
  size_t used_ = 0;
};

// Lets text writers that take a std::ostream write into an OutputStream. The
// ostream's badbit says whether every byte was taken.
class OutputStreamBuf final : public std::streambuf {
 public:
  explicit OutputStreamBuf(OutputStream& out) : out_(out) {
    setp(buffer_, buffer_ + sizeof buffer_);
  }
  ~OutputStreamBuf() override { sync(); }
  OutputStreamBuf(const OutputStreamBuf&) = delete;
  OutputStreamBuf& operator=(const OutputStreamBuf&) = delete;

 protected:
  int_type overflow(int_type c) override;
  int sync() override;

 private:
  bool Drain();

  OutputStream& out_;
  char buffer_[64 * 1024];
};

}  // namespace sorimu
