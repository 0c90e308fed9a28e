#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "PageMemory.h"

namespace sorimu {

// A growable array of trivially copyable values in fixed-size chunks. Growth
// never copies or moves what is stored, so the peak memory of a run stays at
// its size (a doubling vector peaks near three times it), and cleared chunks
// are kept for the next run: on these machines touching fresh pages costs far
// more than the games themselves.
template <typename T, size_t ChunkShift>
class ChunkedArray {
 public:
  static constexpr size_t kChunkSize = size_t{1} << ChunkShift;
  static constexpr size_t kMaxSize = 0x7FFFFFFF;  // rows are indexed by int in the views

  ChunkedArray() = default;
  ChunkedArray(const ChunkedArray&) = delete;
  ChunkedArray& operator=(const ChunkedArray&) = delete;
  ~ChunkedArray() { Release(); }

  size_t size() const { return size_; }
  // Values the chunks already held can take without asking the system.
  size_t capacity() const { return chunks_.size() * kChunkSize; }
  bool empty() const { return size_ == 0; }

  const T& operator[](size_t i) const { return chunks_[i >> ChunkShift][i & (kChunkSize - 1)]; }
  T& operator[](size_t i) { return chunks_[i >> ChunkShift][i & (kChunkSize - 1)]; }
  const T& back() const { return (*this)[size_ - 1]; }

  // Appends one value; false (and nothing appended) when memory runs out.
  bool push_back(const T& value) {
    const size_t offset = size_ & (kChunkSize - 1);
    if (offset == 0 && !HaveChunkFor(size_)) [[unlikely]] {
      if (!AddChunk()) return false;
    }
    chunks_[size_ >> ChunkShift][offset] = value;
    ++size_;
    return true;
  }

  // Makes room for `count` values in all; false when memory runs out.
  bool reserve(size_t count) {
    if (count > kMaxSize) return false;
    while (chunks_.size() * kChunkSize < count) {
      if (!AddChunk()) return false;
    }
    return true;
  }

  void clear() { size_ = 0; }  // keeps the chunks

  // Gives back the chunks that `count` values do not need.
  void ReleaseBeyond(size_t count) {
    const size_t keep = (std::max(count, size_) + kChunkSize - 1) >> ChunkShift;
    while (chunks_.size() > keep) {
      FreePages(chunks_.back(), kChunkSize * sizeof(T));
      chunks_.pop_back();
    }
  }

  void Release() {
    for (T* chunk : chunks_) FreePages(chunk, kChunkSize * sizeof(T));
    chunks_.clear();
    size_ = 0;
  }

  // Calls f(pointer, count) for the stored values, chunk by chunk, in order.
  template <typename F>
  void ForEachSpan(F&& f) const {
    size_t left = size_;
    for (size_t c = 0; left > 0; ++c) {
      const size_t n = left < kChunkSize ? left : kChunkSize;
      f(chunks_[c], n);
      left -= n;
    }
  }

 private:
  bool HaveChunkFor(size_t index) const { return (index >> ChunkShift) < chunks_.size(); }

  bool AddChunk() {
    if ((chunks_.size() + 1) * kChunkSize > kMaxSize + kChunkSize) return false;
    void* memory = AllocatePages(kChunkSize * sizeof(T));
    if (memory == nullptr) return false;
    try {
      chunks_.push_back(static_cast<T*>(memory));
    } catch (...) {
      FreePages(memory, kChunkSize * sizeof(T));
      return false;
    }
    return true;
  }

  std::vector<T*> chunks_;
  size_t size_ = 0;
};

}  // namespace sorimu
