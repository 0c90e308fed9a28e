#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "RunRecords.h"
#include "Slot.h"
#include "StartInputs.h"

namespace sorimu {

inline constexpr const char* kBatchSavingStatus = "シミュレーションファイルに保存中。";
inline constexpr const char* kBatchDoneStatus = "シミュレーションファイルに保存完了";
inline constexpr const char* kBatchErrorStatus = "エラーにより強制終了しました。";

// The file of repetition `repetition`: "<level>_<games>_<repetition>" goes
// before the first "." of the file's own name (after the last "/"), or in
// front of that name when it has none. Folder names are never touched.
std::string BatchFileName(const std::string& baseName, int32_t flevel, int32_t games,
                          int32_t repetition);

// The progress bar after repetition i of n: (i + 1) / n × 100, truncated. It
// runs one repetition ahead and passes 100 at the end on purpose.
int BatchProgressPosition(int32_t repetition, int32_t count);

struct BatchHooks {
  std::function<void()> messagePoint;  // handed to every Simulate
  std::function<void(const std::string& status, int progress)> report;
  // Writes the current records (with the machine's level and games) to the
  // path; false when the file cannot be created or written.
  std::function<bool(const std::string& path)> writeFile;
};

enum class BatchStatus { Completed, WriteFailed, OutOfMemory };

// Plays inputs.SimNum runs one after another, each written to its own file.
// Stops at the first file that cannot be written; earlier files remain.
BatchStatus RunBatch(Slot& slot, RunRecords& records, const StartInputs& inputs,
                     const std::string& baseName, const BatchHooks& hooks);

}  // namespace sorimu
