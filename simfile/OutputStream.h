#pragma once

#include <cstddef>
#include <memory>

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

 private:
  bool WriteBlocks(bool all);
  bool WriteAll(const char* data, size_t size);
  void LeaveDirectMode();

  int fd_;
  bool direct_ = false;
  bool failed_ = false;
  long long written_ = 0;
  char* buffer_ = nullptr;
  size_t used_ = 0;
};

}  // namespace sorimu
