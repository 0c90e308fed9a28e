#pragma once

#include <cstdint>
#include <string_view>

// Result of one game, as recorded in every row.
enum Outcome : int32_t {
  Miss = 0,
  Cherry2 = 1,
  Cherry4A = 2,
  Cherry4B = 3,
  nCherry = 4,
  Plum = 5,
  Bell = 6,
  Replay = 7,
  Hazure = 8,
  BIG = 9,
  REG = 10,
  JAC = 11,
  JACHazure = 12,
  JACIN = 13,
};

// How the current RT ended.
enum class RtCancelCause : int32_t {
  None = 0,
  Expired = 1,
  Cherry2 = 2,
  Cherry4B1 = 3,
  Cherry4B2 = 4,
  Hazure = 5,
  Ren1G = 6,
  Ren3G = 7,
};

// Display texts of the result lists. Codes outside the known range (possible
// only in foreign files) have no text: callers decide what to show instead.
inline constexpr int kOutcomeCount = 14;
inline constexpr int kRtCancelCauseCount = 8;

inline bool IsKnownOutcome(int32_t code) { return code >= 0 && code < kOutcomeCount; }
inline bool IsKnownRtCancelCause(int32_t code) { return code >= 0 && code < kRtCancelCauseCount; }

std::string_view OutcomeText(int32_t code);        // "" for Miss and unknown codes
std::string_view RtCancelCauseText(int32_t code);  // "" for None and unknown codes
