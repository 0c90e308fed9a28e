#include "SafeSave.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <random>
#include <thread>
#include <utility>

#include "Messages.h"

namespace sorimu {

namespace {

constexpr int kMaxLinks = 40;  // as the kernel allows in one path
constexpr int kNameAttempts = 100;

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Temporary names stay within the file system's limit of 255 bytes.
constexpr size_t kMaxNameStem = 200;

std::string NameOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

const char* TypeReason(mode_t mode) {
  if (S_ISDIR(mode)) return kFolderReason;
  if (S_ISCHR(mode) || S_ISBLK(mode)) return kDeviceReason;
  if (S_ISFIFO(mode)) return kFifoReason;
  if (S_ISSOCK(mode)) return kSocketReason;
  return kOtherTypeReason;
}

// Where a save really goes: links followed to the file they name. `exists`
// tells whether that file is there; `info` describes it then.
struct Target {
  std::string path;
  bool exists = false;
  struct stat info {};
  int error = 0;  // lstat's errno other than ENOENT
  const char* refusal = nullptr;
};

Target ResolveTarget(const std::string& path) {
  Target target;
  target.path = path;
  for (int links = 0;; ++links) {
    if (::lstat(target.path.c_str(), &target.info) != 0) {
      if (errno != ENOENT) {
        target.error = errno;
      } else if (links > 0) {
        target.refusal = kDanglingLinkReason;
      }
      return target;
    }
    if (!S_ISLNK(target.info.st_mode)) break;
    if (links == kMaxLinks) {
      target.error = ELOOP;
      return target;
    }
    std::string link(static_cast<size_t>(target.info.st_size > 0 ? target.info.st_size : PATH_MAX),
                     '\0');
    const ssize_t length = ::readlink(target.path.c_str(), link.data(), link.size());
    if (length < 0) {
      target.error = errno;
      return target;
    }
    link.resize(static_cast<size_t>(length));
    target.path = link.front() == '/' ? link : FolderOf(target.path) + "/" + link;
  }
  target.exists = true;
  if (!S_ISREG(target.info.st_mode)) target.refusal = TypeReason(target.info.st_mode);
  return target;
}

std::string RandomSuffix() {
  static constexpr char kChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  thread_local std::mt19937_64 engine(std::random_device{}());
  std::string suffix(6, 'x');
  for (char& c : suffix) c = kChars[engine() % (sizeof kChars - 1)];
  return suffix;
}

// A hidden name beside the target that says whose it is: ".<name>.sorimu-XXXXXX".
std::string TemporaryName(const std::string& name) {
  std::string temporary = ".";
  temporary.append(name, 0, kMaxNameStem);
  temporary.append(".sorimu-");
  temporary.append(RandomSuffix());
  return temporary;
}

mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// Names an anonymous O_TMPFILE in `dirFd` as `name`; fails with EEXIST when
// the name is taken.
int LinkAnonymous(int fd, int dirFd, const std::string& name) {
  if (::linkat(fd, "", dirFd, name.c_str(), AT_EMPTY_PATH) == 0) return 0;
  if (errno != ENOENT && errno != EPERM && errno != EACCES) return errno;
  // Without the capability AT_EMPTY_PATH needs, the descriptor's /proc entry does it.
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  if (::linkat(AT_FDCWD, self.c_str(), dirFd, name.c_str(), AT_SYMLINK_FOLLOW) == 0) return 0;
  return errno;
}

// Another writer holds a folder's lock for two renames and a sync; one
// that holds it longer than this is stuck, and the set is not committed.
constexpr auto kLockPatience = std::chrono::seconds(10);
constexpr auto kLockRetry = std::chrono::milliseconds(2);

// Exclusive locks on the folders of a set of pending files, taken in one
// order (by device and inode) so that two sets never wait on each other.
// Each lock is on a descriptor of its own: the pending files close theirs
// as they commit. Where a file system offers no flock, sets there are
// committed unlocked, as before.
class FolderLocks {
 public:
  explicit FolderLocks(const std::vector<std::unique_ptr<PendingFile>>& files) {
    std::vector<std::pair<std::pair<dev_t, ino_t>, int>> folders;
    for (const auto& file : files) {
      struct stat info;
      if (::fstat(file->FolderFd(), &info) != 0) continue;
      folders.push_back({{info.st_dev, info.st_ino}, file->FolderFd()});
    }
    std::sort(folders.begin(), folders.end());
    for (size_t i = 0; i < folders.size(); ++i) {
      if (i > 0 && folders[i].first == folders[i - 1].first) continue;
      const int fd = ::openat(folders[i].second, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
      if (fd < 0) continue;
      fds_.push_back(fd);
      if (!Lock(fd)) {
        held_ = false;
        return;
      }
    }
  }
  ~FolderLocks() {
    for (int fd : fds_) ::close(fd);  // closing releases the lock
  }
  FolderLocks(const FolderLocks&) = delete;
  FolderLocks& operator=(const FolderLocks&) = delete;

  bool Held() const { return held_; }

 private:
  static bool Lock(int fd) {
    const auto deadline = std::chrono::steady_clock::now() + kLockPatience;
    for (;;) {
      if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return true;
      if (errno == EINTR) continue;
      if (errno != EWOULDBLOCK) return true;  // no locks here: go on without
      if (std::chrono::steady_clock::now() >= deadline) return false;
      std::this_thread::sleep_for(kLockRetry);
    }
  }

  std::vector<int> fds_;
  bool held_ = true;
};

}  // namespace

PendingFile::PendingFile(const std::string& path, const WriteContent& write,
                         const SaveOptions& options)
    : path_(path), options_(options) {
  status_ = Prepare(write);
  if (!status_.Ok()) Discard();
}

PendingFile::~PendingFile() {
  if (!committed_) Discard();
}

Status PendingFile::Fail(StatusKind kind, const std::string& reason, int error) {
  return Status::Fail(kind, FileFailureMessage(options_.headline, path_, reason), error);
}

Status PendingFile::Prepare(const WriteContent& write) {
  if (path_.empty() || path_.back() == '/') return Fail(StatusKind::Refused, kNoFileNameReason);
  const Target target = ResolveTarget(path_);
  if (target.error != 0) {
    return Fail(StatusKind::WriteFailed, FileErrorReason(target.error), target.error);
  }
  if (target.refusal != nullptr) return Fail(StatusKind::Refused, target.refusal);
  targetExists_ = target.exists;
  if (targetExists_ && ::faccessat(AT_FDCWD, target.path.c_str(), W_OK, AT_EACCESS) != 0) {
    // The folder might let a rename replace it, but the user cannot write it.
    const int error = errno;
    return Fail(StatusKind::Refused, FileErrorReason(error), error);
  }
  folder_ = FolderOf(target.path);
  name_ = NameOf(target.path);

  dirFd_ = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd_ < 0) {
    const int error = errno;
    return Fail(StatusKind::WriteFailed, FileErrorReason(error), error);
  }
#ifdef O_TMPFILE
  fd_ = ::openat(dirFd_, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
  anonymous_ = fd_ >= 0;
#endif
  for (int attempt = 0; fd_ < 0 && attempt < kNameAttempts; ++attempt) {
    tempName_ = TemporaryName(name_);
    fd_ = ::openat(dirFd_, tempName_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                   0600);
    if (fd_ < 0 && errno != EEXIST) break;
  }
  if (fd_ < 0) {
    const int error = errno;
    tempName_.clear();
    return Fail(StatusKind::WriteFailed, FileErrorReason(error), error);
  }

  int writeError = 0;
  bool written;
  {
    FdOutputStream file(fd_, options_.direct);
    std::unique_ptr<OutputStream> filtered = options_.filter ? options_.filter(file) : nullptr;
    written = write(filtered ? *filtered : file) && file.Flush();
    // The first failure's reason, whichever stream met it.
    writeError = filtered && filtered->Error() != 0 ? filtered->Error() : file.Error();
  }
  if (!written) {
    // A writer that gave up without a system error (a test's failing stream,
    // an ostream in a bad state) is reported as a failed write.
    const int error = writeError != 0 ? writeError : EIO;
    return Fail(StatusKind::WriteFailed, FileErrorReason(error), error);
  }
  const mode_t mode = targetExists_ ? (target.info.st_mode & 07777) : NewFileMode();
  if (::fchmod(fd_, mode) != 0) {
    const int error = errno;
    return Fail(StatusKind::WriteFailed, FileErrorReason(error), error);
  }
  if (targetExists_) {
    // Keeping the owner is only possible for root; anyone else keeps the group
    // where they belong to it. Neither failure is worth refusing the save.
    if (::fchown(fd_, target.info.st_uid, target.info.st_gid) != 0) {
      [[maybe_unused]] const int ignored =
          ::fchown(fd_, static_cast<uid_t>(-1), target.info.st_gid);
    }
  }
  if (::fsync(fd_) != 0) {
    const int error = errno;
    return Fail(StatusKind::WriteFailed, FileErrorReason(error), error);
  }
  return Status{};
}

bool PendingFile::LinkUnderUniqueName() {
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    std::string name = TemporaryName(name_);
    const int error = LinkAnonymous(fd_, dirFd_, name);
    if (error == 0) {
      tempName_ = std::move(name);
      anonymous_ = false;
      return true;
    }
    if (error != EEXIST) {
      errno = error;
      return false;
    }
  }
  errno = EEXIST;
  return false;
}

Status PendingFile::Commit() {
  if (!status_.Ok() || committed_) return status_;
  if (anonymous_ && !targetExists_) {
    // A new file appears under its name in one step; a name taken meanwhile
    // by someone else is replaced like any existing file.
    const int error = LinkAnonymous(fd_, dirFd_, name_);
    if (error == 0) {
      anonymous_ = false;
      committed_ = true;
    } else if (error != EEXIST) {
      status_ = Fail(StatusKind::WriteFailed, FileErrorReason(error), error);
      Discard();
      return status_;
    }
  }
  if (!committed_) {
    if (anonymous_ && !LinkUnderUniqueName()) {
      const int error = errno;
      status_ = Fail(StatusKind::WriteFailed, FileErrorReason(error), error);
      Discard();
      return status_;
    }
    if (::renameat(dirFd_, tempName_.c_str(), dirFd_, name_.c_str()) != 0) {
      const int error = errno;
      status_ = Fail(StatusKind::WriteFailed, FileErrorReason(error), error);
      Discard();
      return status_;
    }
    tempName_.clear();
    committed_ = true;
  }
  // The new name must survive a crash as the bytes do.
  ::fsync(dirFd_);
  Discard();
  return status_;
}

void PendingFile::Discard() {
  if (!tempName_.empty() && dirFd_ >= 0) ::unlinkat(dirFd_, tempName_.c_str(), 0);
  tempName_.clear();
  if (fd_ >= 0) ::close(fd_);
  if (dirFd_ >= 0) ::close(dirFd_);
  fd_ = -1;
  dirFd_ = -1;
}

WriteContent TextContent(std::function<void(std::ostream&)> write) {
  return [write = std::move(write)](OutputStream& out) {
    OutputStreamBuf buffer(out);
    std::ostream stream(&buffer);
    write(stream);
    stream.flush();
    return !stream.bad();
  };
}

Status SaveFile(const std::string& path, const WriteContent& write, const SaveOptions& options) {
  PendingFile file(path, write, options);
  if (!file.Prepared().Ok()) return file.Prepared();
  return file.Commit();
}

Status SaveFiles(const std::vector<FileToSave>& files, const SaveOptions& options) {
  std::vector<std::unique_ptr<PendingFile>> pending;
  for (const FileToSave& file : files) {
    pending.push_back(std::make_unique<PendingFile>(file.path, file.write, options));
    if (!pending.back()->Prepared().Ok()) return pending.back()->Prepared();
  }
  const FolderLocks locks(pending);
  if (!locks.Held()) {
    const std::string& path = files.front().path;
    return Status::Fail(StatusKind::WriteFailed,
                        FileFailureMessage(options.headline, path, kFolderBusyReason));
  }
  for (const auto& file : pending) {
    if (Status status = file->Commit(); !status.Ok()) return status;
  }
  return Status{};
}

}  // namespace sorimu
