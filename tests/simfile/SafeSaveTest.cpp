// Saving never replaces what is not ours to replace, never follows a link it
// was not asked to follow, and never leaves a temporary behind.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "Messages.h"
#include "SafeSave.h"
#include "TestSupport.h"

using namespace sorimu;
using namespace testing_support;

namespace {

constexpr uid_t kNobody = 65534;
constexpr gid_t kNogroup = 65534;

WriteContent Bytes(const std::string& text) {
  return [text](OutputStream& out) { return out.Write(text.data(), text.size()); };
}

Status Save(const std::string& path, const std::string& text) {
  SaveOptions options;
  options.headline = "保存できません。";
  return SaveFile(path, Bytes(text), options);
}

std::string Text(const std::string& path) {
  const std::vector<unsigned char> bytes = ReadBytes(path);
  return std::string(bytes.begin(), bytes.end());
}

std::vector<std::string> Entries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// Runs `body` as an ordinary user: in a child that drops to nobody when the
// tests run as root, as they do in CI. The body's return value is the
// child's exit status, 0 for success.
int AsOrdinaryUser(const std::function<int()>& body) {
  if (::geteuid() != 0) return body();
  const pid_t child = ::fork();
  if (child == 0) {
    if (::setgid(kNogroup) != 0 || ::setuid(kNobody) != 0) ::_exit(100);
    ::_exit(body());
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 101;
}

}  // namespace

TEST(SafeSave, WhatIsNotARegularFileIsRefusedAndNothingIsCreated) {
  TempDir dir;
  ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0600), 0);
  ASSERT_EQ(::mkdir(dir.File("folder").c_str(), 0700), 0);
  const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string socketPath = dir.File("sock");
  std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socketPath.c_str());
  ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  std::vector<std::pair<std::string, const char*>> targets = {
      {dir.File("fifo"), kFifoReason},
      {dir.File("folder"), kFolderReason},
      {socketPath, kSocketReason},
      {dir.File("folder/"), kNoFileNameReason}};
  // Device nodes only where this user may make them; never a real one.
  if (::mknod(dir.File("device").c_str(), S_IFCHR | 0600, ::makedev(1, 7)) == 0) {
    targets.emplace_back(dir.File("device"), kDeviceReason);
  }
  const std::vector<std::string> before = Entries(dir.path());
  for (const auto& [path, reason] : targets) {
    const Status status = Save(path, "x");
    EXPECT_EQ(status.Kind, StatusKind::Refused) << path;
    EXPECT_EQ(status.Message, "保存できません。\n" + path + "\n" + reason);
  }
  EXPECT_EQ(Entries(dir.path()), before);
  struct stat info;
  ASSERT_EQ(::lstat(dir.File("fifo").c_str(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));
  ::close(sock);
}

TEST(SafeSave, LinksAreFollowedToTheFileTheyNameAndDanglingOnesRefused) {
  TempDir dir;
  ASSERT_EQ(::mkdir(dir.File("real").c_str(), 0700), 0);
  WriteBytes(dir.File("real/target.sim"), {'o', 'l', 'd'});
  ASSERT_EQ(::symlink("real/target.sim", dir.File("link.sim").c_str()), 0);
  ASSERT_EQ(::symlink("link.sim", dir.File("chain.sim").c_str()), 0);

  ASSERT_TRUE(Save(dir.File("chain.sim"), "new").Ok());
  EXPECT_EQ(Text(dir.File("real/target.sim")), "new");
  struct stat info;
  ASSERT_EQ(::lstat(dir.File("link.sim").c_str(), &info), 0);
  EXPECT_TRUE(S_ISLNK(info.st_mode)) << "the link stays a link";
  EXPECT_EQ(Entries(dir.File("real")), std::vector<std::string>{"target.sim"});

  ASSERT_EQ(::symlink("nowhere.sim", dir.File("dangling.sim").c_str()), 0);
  const Status dangling = Save(dir.File("dangling.sim"), "x");
  EXPECT_EQ(dangling.Kind, StatusKind::Refused);
  EXPECT_NE(dangling.Message.find(kDanglingLinkReason), std::string::npos);
  EXPECT_FALSE(FileExists(dir.File("nowhere.sim")));

  ASSERT_EQ(::symlink("loop.sim", dir.File("loop.sim").c_str()), 0);
  EXPECT_EQ(Save(dir.File("loop.sim"), "x").Kind, StatusKind::WriteFailed);
}

TEST(SafeSave, TemporariesAreExclusiveAndNeverFollowALink) {
  TempDir dir;
  WriteBytes(dir.File("victim.txt"), {'v'});
  ASSERT_EQ(::mkdir(dir.File("out").c_str(), 0700), 0);
  // The old fixed temporary names, planted as links and as a user's own file.
  ASSERT_EQ(::symlink("../victim.txt", dir.File("out/list.csv.part").c_str()), 0);
  WriteBytes(dir.File("out/list.sim.part"), {'m', 'i', 'n', 'e'});
  ASSERT_TRUE(Save(dir.File("out/list.csv"), "csv").Ok());
  ASSERT_TRUE(Save(dir.File("out/list.sim"), "sim").Ok());
  EXPECT_EQ(Text(dir.File("victim.txt")), "v");
  EXPECT_EQ(Text(dir.File("out/list.sim.part")), "mine");
  EXPECT_EQ(Entries(dir.File("out")),
            (std::vector<std::string>{"list.csv", "list.csv.part", "list.sim", "list.sim.part"}));
}

TEST(SafeSave, ConcurrentSavesToOneNameLeaveOneCompleteFile) {
  TempDir dir;
  const std::string path = dir.File("race.csv");
  for (int trial = 0; trial < 10; ++trial) {
    std::vector<std::string> contents;
    for (char c : {'a', 'b', 'c', 'd'}) contents.emplace_back(200000 + trial, c);
    std::vector<std::thread> savers;
    for (const std::string& content : contents) {
      savers.emplace_back([&path, &content] { EXPECT_TRUE(Save(path, content).Ok()); });
    }
    for (std::thread& saver : savers) saver.join();
    const std::string result = Text(path);
    EXPECT_NE(std::find(contents.begin(), contents.end(), result), contents.end()) << trial;
    EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"race.csv"});
  }
}

// Pairs from several processes at once into one folder: whoever commits
// last, both files come from one writer. Each trial releases four writers
// together; before pairs were committed under a lock, about one trial in
// three mixed them.
TEST(SafeSave, ConcurrentPairsLeaveOneWritersWholePair) {
  TempDir dir;
  const std::string games = dir.File("run_games.csv");
  const std::string bonuses = dir.File("run_bonuses.csv");
  constexpr int kWriters = 4;
  int mixed = 0;
  for (int trial = 0; trial < 25; ++trial) {
    int go[2];
    ASSERT_EQ(::pipe(go), 0);
    std::vector<pid_t> writers;
    for (int w = 0; w < kWriters; ++w) {
      const pid_t pid = ::fork();
      ASSERT_GE(pid, 0);
      if (pid == 0) {
        ::close(go[1]);
        char c;
        [[maybe_unused]] const ssize_t released = ::read(go[0], &c, 1);  // until the parent closes
        const std::string mark = std::to_string(w);
        const Status saved =
            SaveFiles({{games, Bytes("games " + mark)}, {bonuses, Bytes("bonuses " + mark)}}, {});
        ::_exit(saved.Ok() ? 0 : 1);
      }
      writers.push_back(pid);
    }
    ::close(go[0]);
    ::close(go[1]);
    for (pid_t pid : writers) {
      int status = 0;
      ASSERT_EQ(::waitpid(pid, &status, 0), pid);
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const std::string g = Text(games);
    const std::string b = Text(bonuses);
    mixed += g.substr(g.find(' ')) != b.substr(b.find(' ')) ? 1 : 0;
  }
  EXPECT_EQ(mixed, 0) << "trials that left one writer's games beside another's bonuses";
  EXPECT_EQ(Entries(dir.path()), (std::vector<std::string>{"run_bonuses.csv", "run_games.csv"}));
}

TEST(SafeSave, FailedWritesLeaveTheOldFileAndNoTemporary) {
  TempDir dir;
  WriteBytes(dir.File("keep.sim"), {'o', 'l', 'd'});
  SaveOptions options;
  options.headline = "保存できません。";
  const Status status = SaveFile(
      dir.File("keep.sim"), [](OutputStream& out) { return out.Write("new", 3) && false; },
      options);
  EXPECT_EQ(status.Kind, StatusKind::WriteFailed);
  EXPECT_EQ(Text(dir.File("keep.sim")), "old");
  EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"keep.sim"});

  // A device that fills up mid-stream: its reason, not a bare I/O error.
  class FullAfter final : public OutputStream {
   public:
    explicit FullAfter(OutputStream& file) : file_(file) {}
    bool Write(const void* data, size_t size) override {
      full_ = full_ || size > 1000;
      return !full_ && file_.Write(data, size);
    }
    int Error() const override { return full_ ? ENOSPC : 0; }

   private:
    OutputStream& file_;
    bool full_ = false;
  };
  options.filter = [](OutputStream& file) { return std::make_unique<FullAfter>(file); };
  const Status full =
      SaveFile(dir.File("keep.sim"),
               TextContent([](std::ostream& out) { out << std::string(5000, 'x'); }), options);
  EXPECT_EQ(full.Message,
            "保存できません。\n" + dir.File("keep.sim") + "\n" + FileErrorReason(ENOSPC));
  EXPECT_EQ(Text(dir.File("keep.sim")), "old");

  const Status missing = Save(dir.File("no/such/x.sim"), "x");
  EXPECT_EQ(missing.Message,
            "保存できません。\n" + dir.File("no/such/x.sim") + "\n" + FileErrorReason(ENOENT));
}

TEST(SafeSave, AFileSetIsReplacedWholeOrNotAtAll) {
  TempDir dir;
  WriteBytes(dir.File("a.csv"), {'1'});
  ASSERT_EQ(::mkdir(dir.File("b.csv").c_str(), 0700), 0);
  SaveOptions options;
  const Status status =
      SaveFiles({{dir.File("a.csv"), Bytes("2")}, {dir.File("b.csv"), Bytes("2")}}, options);
  EXPECT_EQ(status.Kind, StatusKind::Refused);
  EXPECT_EQ(Text(dir.File("a.csv")), "1") << "the first file is not replaced either";
  EXPECT_EQ(Entries(dir.path()), (std::vector<std::string>{"a.csv", "b.csv"}));

  ASSERT_TRUE(
      SaveFiles({{dir.File("a.csv"), Bytes("3")}, {dir.File("c.csv"), Bytes("3")}}, options).Ok());
  EXPECT_EQ(Text(dir.File("a.csv")), "3");
  EXPECT_EQ(Text(dir.File("c.csv")), "3");
}

TEST(SafeSave, ReplacedFilesKeepModeAndOwnerAndNewOnesTakeTheUmask) {
  TempDir dir;
  WriteBytes(dir.File("p.sim"), {0});
  ASSERT_EQ(::chmod(dir.File("p.sim").c_str(), 0640), 0);
  const bool root = ::geteuid() == 0;
  if (root) {
    ASSERT_EQ(::chown(dir.File("p.sim").c_str(), kNobody, kNogroup), 0);
  }
  ASSERT_TRUE(Save(dir.File("p.sim"), "x").Ok());
  struct stat info;
  ASSERT_EQ(::stat(dir.File("p.sim").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  if (root) {
    EXPECT_EQ(info.st_uid, kNobody);
    EXPECT_EQ(info.st_gid, kNogroup);
  }

  const mode_t mask = ::umask(027);
  ASSERT_TRUE(Save(dir.File("new.sim"), "x").Ok());
  ::umask(mask);
  ASSERT_EQ(::stat(dir.File("new.sim").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST(SafeSave, FilesTheUserMayNotWriteAreRefusedEvenInTheirOwnFolder) {
  TempDir dir;
  // The user's folder holds a read-only file of theirs and a file of root's.
  ASSERT_EQ(::chmod(dir.path().c_str(), 0777), 0);
  WriteBytes(dir.File("roots.sim"), {'r'});
  ASSERT_EQ(::chmod(dir.File("roots.sim").c_str(), 0644), 0);
  const bool root = ::geteuid() == 0;
  if (!root) GTEST_SKIP() << "needs a second user to own a file; runs as root in CI";

  const int status = AsOrdinaryUser([&] {
    const std::string own = dir.File("own.sim");
    if (!Save(own, "mine").Ok()) return 1;
    if (::chmod(own.c_str(), 0444) != 0) return 2;
    const Status readOnly = Save(own, "again");
    if (readOnly.Kind != StatusKind::Refused) return 3;
    if (readOnly.Message.find(FileErrorReason(EACCES)) == std::string::npos) return 4;
    if (Text(own) != "mine") return 5;
    const Status others = Save(dir.File("roots.sim"), "taken");
    if (others.Kind != StatusKind::Refused) return 6;
    return 0;
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(Text(dir.File("roots.sim")), "r");
  struct stat info;
  ASSERT_EQ(::stat(dir.File("roots.sim").c_str(), &info), 0);
  EXPECT_EQ(info.st_uid, 0u) << "the owner did not change";
}
