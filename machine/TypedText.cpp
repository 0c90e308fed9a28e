#include "TypedText.h"

#include <cstdint>

namespace sorimu {

namespace {

// The UTF-8 of U+FF01..U+FF5E: EF BC 81..BF, then EF BD 80..9E; the offset
// from the ASCII form is 0xFEE0.
constexpr uint32_t kFullWidthFirst = 0xFF01;
constexpr uint32_t kFullWidthLast = 0xFF5E;
constexpr uint32_t kFullWidthOffset = 0xFEE0;
constexpr uint32_t kIdeographicSpace = 0x3000;
constexpr uint32_t kMinusSign = 0x2212;

// The code point of a three-byte UTF-8 sequence at `at`, or 0.
uint32_t ThreeByteCodePoint(std::string_view text, size_t at) {
  if (at + 2 >= text.size()) return 0;
  const auto byte = [&](size_t i) {
    return static_cast<uint32_t>(static_cast<unsigned char>(text[i]));
  };
  if ((byte(at) & 0xF0u) != 0xE0u || (byte(at + 1) & 0xC0u) != 0x80u ||
      (byte(at + 2) & 0xC0u) != 0x80u) {
    return 0;
  }
  return ((byte(at) & 0x0Fu) << 12) | ((byte(at + 1) & 0x3Fu) << 6) | (byte(at + 2) & 0x3Fu);
}

}  // namespace

std::string HalfWidth(std::string_view text) {
  std::string plain;
  plain.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const uint32_t code = ThreeByteCodePoint(text, i);
    char ascii = 0;
    if (code >= kFullWidthFirst && code <= kFullWidthLast) {
      ascii = static_cast<char>(code - kFullWidthOffset);
    } else if (code == kIdeographicSpace) {
      ascii = ' ';
    } else if (code == kMinusSign) {
      ascii = '-';
    }
    if (ascii != 0) {
      plain.push_back(ascii);
      i += 3;
    } else {
      plain.push_back(text[i]);
      ++i;
    }
  }
  return plain;
}

}  // namespace sorimu
