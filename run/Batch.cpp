#include "Batch.h"

#include "SingleRun.h"

namespace sorimu {

std::string BatchFileName(const std::string& baseName, int32_t flevel, int32_t games,
                          int32_t repetition) {
  const std::string suffix =
      std::to_string(flevel) + "_" + std::to_string(games) + "_" + std::to_string(repetition);
  const size_t slash = baseName.rfind('/');
  const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  const size_t dot = baseName.find('.', nameStart);
  std::string name = baseName;
  name.insert(dot == std::string::npos ? nameStart : dot, suffix);
  return name;
}

int BatchProgressPosition(int32_t repetition, int32_t count) {
  return static_cast<int>(static_cast<double>(int64_t{repetition} + 1) / count * 100.0);
}

BatchStatus RunBatch(Slot& slot, RunRecords& records, const StartInputs& inputs,
                     const std::string& baseName, const BatchHooks& hooks) {
  for (int32_t i = 1; i <= inputs.SimNum; ++i) {
    if (Simulate(slot, records, inputs, hooks.messagePoint) == RunStatus::OutOfMemory) {
      if (hooks.report)
        hooks.report(kOutOfMemoryMessage, BatchProgressPosition(i - 1, inputs.SimNum));
      return BatchStatus::OutOfMemory;
    }
    const std::string path = BatchFileName(baseName, slot.GetFlevel(), slot.PlayCount, i);
    const int progress = BatchProgressPosition(i, inputs.SimNum);
    if (hooks.report) hooks.report(kBatchSavingStatus + path, progress);
    if (!hooks.writeFile || !hooks.writeFile(path)) {
      if (hooks.report) hooks.report(kBatchErrorStatus, progress);
      return BatchStatus::WriteFailed;
    }
    if (i == INT32_MAX) break;
  }
  if (hooks.report)
    hooks.report(kBatchDoneStatus, BatchProgressPosition(inputs.SimNum, inputs.SimNum));
  return BatchStatus::Completed;
}

}  // namespace sorimu
