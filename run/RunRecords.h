#pragma once

#include <cstddef>
#include <cstdint>

#include "ChunkedArray.h"
#include "RunRow.h"

namespace sorimu {

// What a run leaves behind: one row per game played, in play order, and the
// stocks the run started with. The twelve columns are stored row by row
// (the order the files use), so they can never differ in length.
class RunRecords {
  using Rows = ChunkedArray<RunRow, 17>;

 public:
  // Rows are held, and given back, in blocks of this many.
  static constexpr size_t kChunkRows = Rows::kChunkSize;

  void ClearRows() { rows_.clear(); }
  // False, with nothing appended, when memory runs out.
  bool AppendRow(const RunRow& row) { return rows_.push_back(row); }
  bool ReserveRows(size_t count) { return rows_.reserve(count); }
  void ReleaseMemory() { rows_.Release(); }
  // Gives back the memory its rows do not use.
  void ReleaseUnused() { rows_.ReleaseBeyond(rows_.size()); }

  size_t RowCount() const { return rows_.size(); }
  size_t RowCapacity() const { return rows_.capacity(); }
  const RunRow& Row(size_t index) const { return rows_[index]; }
  const RunRow& LastRow() const { return rows_.back(); }
  int32_t Value(RunColumn column, size_t index) const { return ColumnValue(rows_[index], column); }

  template <typename F>
  void ForEachRowSpan(F&& f) const {
    rows_.ForEachSpan(f);
  }

  void SetStartStocks(int32_t bigStock, int32_t regStock) {
    StartBigStock = bigStock;
    StartRegStock = regStock;
  }

  int32_t StartBigStock = 0;
  int32_t StartRegStock = 0;

 private:
  Rows rows_;
};

}  // namespace sorimu
