// Kills a save at random moments and looks at what it left: the old file
// intact, the new file complete, or (never, if saving is safe) something in
// between; and any temporaries left beside it.
//
//   save_kill_bench [trials] [games] [parent folder]
//
// Each trial forks a child that saves a run of `games` normal games over a
// file holding another run, kills it with SIGKILL after a random delay
// within the time a save takes, and reads the file back.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "SimWriter.h"
#include "SingleRun.h"

using namespace sorimu;

namespace {

std::vector<char> FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Run {
  RunRecords records;
  SimFileHeader header;
};

void Play(Run& run, uint32_t seed, int32_t games) {
  Slot slot(seed);
  StartInputs inputs;
  inputs.PlayNum = games;
  inputs.Flevel = 3;
  Simulate(slot, run.records, inputs);
  run.header = {slot.GetFlevel(), slot.PlayCount, 255, 255};
}

int Temporaries(const std::string& folder) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().filename().string().find(".sorimu-") != std::string::npos) ++count;
  }
  return count;
}

}  // namespace

int main(int argc, char** argv) {
  const int trials = argc > 1 ? std::atoi(argv[1]) : 120;
  const int32_t games = argc > 2 ? std::atoi(argv[2]) : 2000000;
  // A folder of its own, removed at the end: the trials delete what they find in it.
  std::string folder = argc > 3 ? argv[3] : "/tmp";
  folder += "/sorimu-kill-XXXXXX";
  if (::mkdtemp(folder.data()) == nullptr) return 1;
  const std::string target = folder + "/run.sim";

  Run oldRun, newRun;
  Play(oldRun, 1, games);
  Play(newRun, 2, games);
  if (!SaveSimFile(target, oldRun.header, oldRun.records).Ok()) return 1;
  const std::vector<char> oldBytes = FileBytes(target);
  const auto started = std::chrono::steady_clock::now();
  if (!SaveSimFile(target, newRun.header, newRun.records).Ok()) return 1;
  const auto saveTime = std::chrono::steady_clock::now() - started;
  const std::vector<char> newBytes = FileBytes(target);
  std::printf("file %zu bytes, one save %.0f ms, %d trials in %s\n", newBytes.size(),
              std::chrono::duration<double, std::milli>(saveTime).count(), trials, folder.c_str());

  std::mt19937 random(12345);
  const auto window = std::chrono::duration_cast<std::chrono::microseconds>(saveTime) * 12 / 10;
  int intact = 0, replaced = 0, damaged = 0, finished = 0, temporariesLeft = 0;
  for (int trial = 0; trial < trials; ++trial) {
    if (!SaveSimFile(target, oldRun.header, oldRun.records).Ok()) return 1;
    const pid_t child = ::fork();
    if (child == 0) {
      ::_exit(SaveSimFile(target, newRun.header, newRun.records).Ok() ? 0 : 1);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(random() % window.count()));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFEXITED(status)) ++finished;
    const std::vector<char> bytes = FileBytes(target);
    if (bytes == oldBytes) {
      ++intact;
    } else if (bytes == newBytes) {
      ++replaced;
    } else {
      ++damaged;
    }
    const int left = Temporaries(folder);
    temporariesLeft += left;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      if (entry.path().filename() != "run.sim") std::filesystem::remove(entry.path());
    }
  }
  std::printf(
      "trials %d: old file intact %d, fully replaced %d, damaged %d, "
      "temporaries left %d (saves that finished before the kill: %d)\n",
      trials, intact, replaced, damaged, temporariesLeft, finished);
  std::filesystem::remove_all(folder);
  return damaged == 0 ? 0 : 1;
}
