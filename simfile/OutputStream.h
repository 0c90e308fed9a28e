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
  // The system's error number of the first write that failed; 0 before, and
  // for a stream that fails without one.
  virtual int Error() const { return 0; }
};

// A file descriptor written in large blocks, never a system call per value.
//
// With `direct`, whole blocks bypass the page cache (O_DIRECT) where the file
// system allows it: a long run's file is hundreds of megabytes, and on these
// machines filling the page cache with it costs several times what the disk
// write does. Whatever the file system refuses is written the ordinary way.
class FdOutputStream final : public OutputStream {
 public:
  // `bufferBytes` a multiple of 4096; a smaller buffer suits a terminal.
  explicit FdOutputStream(int fd, bool direct = false, size_t bufferBytes = size_t{4} << 20);
  ~FdOutputStream() override;
  FdOutputStream(const FdOutputStream&) = delete;
  FdOutputStream& operator=(const FdOutputStream&) = delete;

  bool Write(const void* data, size_t size) override;
  // Writes out everything buffered; false if any write failed.
  bool Flush();
  int Error() const override { return error_; }

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
  size_t bufferBytes_;
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
