#pragma once

#include <cstdint>
#include <type_traits>

// The codes a game leaves in the machine's fields, and so in every row and
// every file. They are stored as plain 32-bit integers; these enums name
// them, and Code() turns a name back into the stored value.
namespace sorimu {

// Result of one game ("確定役").
enum class Outcome : int32_t {
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

// How the current RT ended ("RT解除状態").
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

// The field BonusKind: the bonus under way, from the game that lines it up
// to its last game.
enum class BonusKindCode : int32_t { None = 0, Big = 1, Reg = 2 };

// The field RenCause: why a game inside a bonus made a 1G連 due.
enum class RenCauseCode : int32_t { None = 0, Hazure = 1, JacHazure = 2 };

template <typename Enum>
requires std::is_enum_v<Enum>
constexpr int32_t Code(Enum value) { return static_cast<int32_t>(value); }

inline constexpr int kOutcomeCount = 14;
inline constexpr int kRtCancelCauseCount = 8;

// Codes outside the known range are possible only in foreign files.
constexpr bool IsKnownOutcome(int32_t code) { return code >= 0 && code < kOutcomeCount; }
constexpr bool IsKnownRtCancelCause(int32_t code) {
  return code >= 0 && code < kRtCancelCauseCount;
}

// The line-up game of a bonus shows the bonus instead of its role.
constexpr bool IsBonusOutcome(int32_t code) {
  return code == Code(Outcome::BIG) || code == Code(Outcome::REG);
}

// The causes by which a role cuts an RT short before it runs out.
constexpr bool IsEarlyCancel(int32_t cause) {
  return cause >= Code(RtCancelCause::Cherry2) && cause <= Code(RtCancelCause::Hazure);
}

}  // namespace sorimu
