#pragma once

#include <cstddef>
#include <string>

// Where the writer's bytes go. A stream that failed stays failed.
class OutputStream {
 public:
  virtual ~OutputStream() = default;
  virtual bool Write(const void* data, size_t size) = 0;
};

// A file descriptor written in large blocks, never a system call per value.
class FdOutputStream final : public OutputStream {
 public:
  explicit FdOutputStream(int fd) : fd_(fd) {}
  ~FdOutputStream() override = default;
  bool Write(const void* data, size_t size) override;
  bool Flush();

 private:
  bool WriteAll(const char* data, size_t size);

  int fd_;
  bool failed_ = false;
  long long written_ = 0;
  std::string buffer_;
};
