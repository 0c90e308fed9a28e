#pragma once

#include <cstddef>
#include <cstdint>

namespace sorimu {

// Layout of a simulation file, shared by reader and writer: a 20-byte header
// of five little-endian int32 values, then 48-byte rows of twelve, to the end
// of the file. No row count is stored; a short tail is not a row.
namespace simfile {

inline constexpr int32_t kFormatMark = 4;
inline constexpr size_t kValueBytes = 4;
inline constexpr size_t kHeaderValues = 5;
inline constexpr size_t kHeaderBytes = kHeaderValues * kValueBytes;  // 20
inline constexpr size_t kRowValues = 12;
inline constexpr size_t kRowBytes = kRowValues * kValueBytes;  // 48

}  // namespace simfile

struct SimFileHeader {
  int32_t Flevel = 0;
  int32_t Games = 0;
  int32_t BigStock = 0;
  int32_t RegStock = 0;
};

inline constexpr const char* kNotSimFileMessage = "このファイルは、Sorimuファイルではありません。";
inline constexpr const char* kSaveFailedMessage = "シミュレーションファイルの保存に失敗しました。";
inline constexpr const char* kFileTooLargeMessage =
    "このファイルは大きすぎるため、読み込めません。";

}  // namespace sorimu
