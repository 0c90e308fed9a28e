#pragma once

#include <vector>

namespace sorimu {

// A table of integer weights with a weighted pick. Entry i covers the draws
// [w0 + ... + w(i-1), w0 + ... + wi); a draw beyond all weights yields the
// entry count, which each lottery gives a meaning of its own.
template <typename T>
class Rate_TBL : public std::vector<T> {
 public:
  int Pick(T draw) const {
    T cumulative = 0;
    int index = 0;
    for (T weight : *this) {
      const T next = cumulative + weight;
      if (cumulative <= draw && draw < next) return index;
      cumulative = next;
      ++index;
    }
    return index;
  }
};

}  // namespace sorimu
