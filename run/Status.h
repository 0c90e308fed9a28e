#pragma once

#include <string>
#include <utility>

// The one shape of an error at a module boundary: what kind of failure it
// was, the message a user is shown for it, and where a file failed, the
// system's error number. Functions that can fail return a Status (or a small
// struct holding one) and never throw across a module boundary.
namespace sorimu {

enum class StatusKind {
  Ok,
  BadInput,     // a value outside its range; the "エラー" box
  NotInteger,   // a text that is no integer; the application's error box
  CannotOpen,   // a file that cannot be opened for reading
  NotSimFile,   // wrong mark, too short, or not a single complete row
  Unreachable,  // a value no machine writes: the file was made or changed elsewhere
  TooLarge,     // more than a list can index or the memory can hold
  OutOfMemory,
  ReadError,    // the device failed while reading
  WriteFailed,  // a file that cannot be created, written or put in place
  Refused,      // a target that is not ours to replace
  Cancelled,    // the user stopped it
};

struct Status {
  StatusKind Kind = StatusKind::Ok;
  std::string Message;  // the user's text; empty when Ok
  int Errno = 0;        // the system's error number where a file failed

  bool Ok() const { return Kind == StatusKind::Ok; }

  static Status Fail(StatusKind kind, std::string message, int error = 0) {
    return Status{kind, std::move(message), error};
  }
};

}  // namespace sorimu
