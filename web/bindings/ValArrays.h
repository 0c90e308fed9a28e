#pragma once

#include <emscripten/val.h>

#include <string>
#include <vector>

#include "ResultStats.h"

// Plain JavaScript values from the core's: arrays of texts, rows of a table,
// typed arrays.
namespace sorimu::web {

template <typename T>
emscripten::val TypedArray(const char* type, const std::vector<T>& values) {
  // A copy: a view into the module's memory would move when it grows.
  return emscripten::val::global(type).new_(
      emscripten::typed_memory_view(values.size(), values.data()));
}

inline emscripten::val StringArray(const std::vector<std::string>& texts) {
  emscripten::val array = emscripten::val::array();
  for (const std::string& text : texts) array.call<void>("push", text);
  return array;
}

inline emscripten::val Rows(const std::vector<TableRow>& rows) {
  emscripten::val array = emscripten::val::array();
  for (const TableRow& row : rows) array.call<void>("push", StringArray(row));
  return array;
}

}  // namespace sorimu::web
