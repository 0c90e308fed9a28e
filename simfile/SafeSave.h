#pragma once

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "OutputStream.h"
#include "Status.h"

// The one way every file of Sorimu is written: simulation files, batch
// files, CSV lists and chart pictures alike.
//
// What it guarantees:
// - The target is replaced only by a complete, flushed, synced file: a full
//   disk, a failing device or a kill at any moment leaves the old file as it
//   was. Where the file system offers O_TMPFILE the new bytes have no name
//   until they are complete, so a kill leaves nothing behind; elsewhere they
//   go to a hidden ".<name>.sorimu-XXXXXX" beside the target, created
//   exclusively and never through a link.
// - A link is followed: the file it points to is replaced, in that file's
//   folder, and the link stays a link. A link pointing nowhere is refused.
// - Only a regular file is ever replaced: a device, a pipe, a socket or a
//   folder of that name is refused and nothing is created.
// - A file the user may not write is refused, even where the folder would
//   let a rename replace it. A replaced file keeps its mode and, where the
//   system permits, its owner and group; a new one gets the umask's mode.
// - Every failure names the path and the reason.
namespace sorimu {

using WriteContent = std::function<bool(OutputStream& out)>;

// Content written as text to a std::ostream, such as the CSV lists.
WriteContent TextContent(std::function<void(std::ostream&)> write);
// Lets tests put a failing stream between the writer and the file.
using StreamFilter = std::function<std::unique_ptr<OutputStream>(OutputStream& file)>;

struct SaveOptions {
  const char* headline = "";  // the first line of a failure's message
  bool direct = false;        // bypass the page cache for large files
  StreamFilter filter;
};

// A file written beside its target and not yet in place. Several can be
// prepared and then committed together, so that a pair of files is either
// both replaced or neither. Dropped without Commit, it leaves no trace.
class PendingFile {
 public:
  PendingFile(const std::string& path, const WriteContent& write, const SaveOptions& options);
  ~PendingFile();
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;

  // Whether preparing worked; the failure otherwise.
  const Status& Prepared() const { return status_; }
  // Puts the file in place of its target. Only after a successful prepare.
  Status Commit();
  // The folder the file goes into, open while the file is pending.
  int FolderFd() const { return dirFd_; }

 private:
  Status Fail(StatusKind kind, const std::string& reason, int error = 0);
  Status Prepare(const WriteContent& write);
  bool LinkUnderUniqueName();
  void Discard();

  std::string path_;    // as the caller named it, for messages
  std::string folder_;  // the real target's folder and name
  std::string name_;
  SaveOptions options_;
  Status status_;
  bool targetExists_ = false;
  int dirFd_ = -1;
  int fd_ = -1;
  bool anonymous_ = false;  // an O_TMPFILE without a name yet
  std::string tempName_;    // the temporary's name in the folder, once it has one
  bool committed_ = false;
};

// Prepares and commits one file.
Status SaveFile(const std::string& path, const WriteContent& write, const SaveOptions& options);

// A file to write as part of a set.
struct FileToSave {
  std::string path;
  WriteContent write;
};

// Prepares every file, then commits them all: when one cannot be written,
// none of the targets is touched. The commits hold a lock on each folder
// (flock on the folder itself), so that sets written at once by several
// processes or threads leave one writer's whole set, not a mix.
Status SaveFiles(const std::vector<FileToSave>& files, const SaveOptions& options);

}  // namespace sorimu
