#pragma once

#include <cstddef>
#include <cstdint>

// Layout of a simulation file, shared by reader and writer: a 20-byte header
// of five little-endian int32 values, then 48-byte rows of twelve, to the end
// of the file. No row count is stored; a short tail is not a row.
namespace sorimu::simfile {

inline constexpr int32_t kFormatMark = 4;
inline constexpr size_t kValueBytes = 4;
inline constexpr size_t kHeaderValues = 5;
inline constexpr size_t kHeaderBytes = kHeaderValues * kValueBytes;  // 20
inline constexpr size_t kRowValues = 12;
inline constexpr size_t kRowBytes = kRowValues * kValueBytes;  // 48

// Offsets of the header's values after the mark.
inline constexpr size_t kFlevelOffset = 4;
inline constexpr size_t kGamesOffset = 8;
inline constexpr size_t kBigStockOffset = 12;
inline constexpr size_t kRegStockOffset = 16;

}  // namespace sorimu::simfile
