#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <initializer_list>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "RunRecords.h"
#include "Slot.h"
#include "StartInputs.h"

// The tests speak of the project's types by their plain names.
using namespace sorimu;

namespace testing_support {

// Inputs for a run at a known level (0 for "?").
StartInputs Inputs(int32_t games, int32_t flevel, int32_t bigStock = 255, int32_t regStock = 255,
                   int32_t runs = 1);

// Records built from hand-written rows.
void Fill(RunRecords& records, std::initializer_list<RunRow> rows);

// A normal-game row with the given counters; everything else 0.
RunRow NormalRow(int32_t playCount, int32_t gamesSinceBonus, int32_t medal, int32_t outcome = 0,
                 int32_t rtCancel = 0);

// The row a run records after the machine's last Play.
RunRow RowOf(const Slot& slot);

// A folder under /tmp removed with everything in it when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

std::vector<unsigned char> ReadBytes(const std::string& path);
bool FileExists(const std::string& path);
// The rows as a file stores them, to compare two records.
std::vector<unsigned char> RowBytes(const RunRecords& records);
void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes);

// An owner's event loop for tests without a window: calls posted from any
// thread wait here until Drain runs them, on the test's thread.
class PostQueue {
 public:
  std::function<void(std::function<void()>)> Poster() {
    return [this](std::function<void()> call) {
      std::lock_guard lock(mutex_);
      calls_.push_back(std::move(call));
    };
  }
  void Drain() {
    std::deque<std::function<void()>> calls;
    {
      std::lock_guard lock(mutex_);
      calls.swap(calls_);
    }
    for (auto& call : calls) call();
  }
  // Runs what is posted until `until` holds; false after a minute without.
  template <typename Until>
  bool DrainUntil(Until until) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!until()) {
      if (std::chrono::steady_clock::now() > end) return false;
      Drain();
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
  }

 private:
  std::mutex mutex_;
  std::deque<std::function<void()>> calls_;
};

// SHA-256 of bytes as lowercase hex, to pin files against known answers.
std::string Sha256Hex(const std::vector<unsigned char>& bytes);

}  // namespace testing_support
