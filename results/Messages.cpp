#include "Messages.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "NumberFormat.h"

namespace sorimu {

std::string NotIntegerMessage(std::string_view text) {
  std::string message = "'";
  message.append(text).append("' は整数ではありません");
  return message;
}

std::string RunTooLargeMessage(long long largestPlayNum) {
  return "メモリが足りないため、このPlay数では実行できません。このコンピュータで実行できるPlay数は"
         "およそ" +
         FormatGrouped(static_cast<double>(largestPlayNum)) + "までです。";
}

std::string UnreachableValueReason(long long row, std::string_view field, long long value,
                                   std::string_view allowed) {
  std::string reason = row == 0 ? std::string("ヘッダーの") : std::to_string(row) + "行目の";
  reason.append(field).append(" が ").append(std::to_string(value)).append(" です。");
  reason.append("この機械が書く値は ").append(allowed).append(" です。");
  return reason;
}

std::string HistoryBonusLimitReason(int32_t most) {
  return "ボーナスは" + std::to_string(most) + "回までにしてください。";
}

std::string BatchFinishedStatus(long long files, std::string_view folder) {
  return std::string(kDoneStatus) + "：" + std::to_string(files) + "個のファイルを " +
         std::string(folder) + " に保存しました";
}

std::string HistoryLineMessage(long long line, std::string_view reason) {
  std::string message = std::to_string(line) + "行目: ";
  message.append(reason);
  return message;
}

std::string FileErrorReason(int error) {
  const char* japanese = nullptr;
  switch (error) {
    case EACCES:
    case EPERM: japanese = "アクセスが許可されていません。"; break;
    case ENOENT: japanese = "ファイルまたはフォルダがありません。"; break;
    case ENOTDIR: japanese = "フォルダではありません。"; break;
    case EISDIR: japanese = "フォルダです。"; break;
    case ENOSPC:
    case EDQUOT: japanese = "ディスクの空き容量が足りません。"; break;
    case EROFS: japanese = "読み取り専用のファイルシステムです。"; break;
    case ENAMETOOLONG: japanese = "名前が長すぎます。"; break;
    case ELOOP: japanese = "シンボリックリンクが多すぎます。"; break;
    case EIO: japanese = "入出力エラーが起きました。"; break;
    case EFBIG: japanese = "ファイルが大きすぎます。"; break;
    case ENOMEM: japanese = "メモリが足りません。"; break;
    case EEXIST: japanese = "同じ名前のファイルがすでにあります。"; break;
    case ENXIO: japanese = "デバイスまたはアドレスがありません。"; break;
    case ENODEV: japanese = "デバイスがありません。"; break;
    case EBUSY: japanese = "使用中です。"; break;
    case ETXTBSY: japanese = "実行中のプログラムのファイルです。"; break;
    case EMFILE:
    case ENFILE: japanese = "開いているファイルが多すぎます。"; break;
    case EPIPE: japanese = "書き込み先が閉じられました。"; break;
    case EAGAIN: japanese = "一時的に使用できません。"; break;
    case EINTR: japanese = "中断されました。"; break;
    case EINVAL: japanese = "この操作はできません。"; break;
    case EXDEV: japanese = "別のファイルシステムにまたがる操作はできません。"; break;
    case EOVERFLOW: japanese = "ファイルが大きすぎます。"; break;
    case EMLINK: japanese = "リンクが多すぎます。"; break;
    case ENOTEMPTY: japanese = "フォルダが空ではありません。"; break;
    case EOPNOTSUPP: japanese = "このファイルシステムではできない操作です。"; break;
    case ENOLCK: japanese = "ロックを取れません。"; break;
    case ESTALE: japanese = "ファイルへの参照が古くなっています。"; break;
    case ETIMEDOUT: japanese = "時間切れになりました。"; break;
    default: break;
  }
  // The system's own words only where there is no Japanese reason.
  return japanese != nullptr ? std::string(japanese) : std::string(std::strerror(error));
}

namespace {

// A sentence about "このファイル", under the name of the file it reads of.
std::string UnderItsName(std::string_view path, const char* sentence) {
  if (path.empty()) return sentence;
  std::string message(path);
  message.append("\n").append(sentence);
  return message;
}

}  // namespace

std::string NotSimFileMessage(std::string_view path) {
  return UnderItsName(path, kNotSimFileMessage);
}

std::string FileTooLargeMessage(std::string_view path) {
  return UnderItsName(path, kFileTooLargeMessage);
}

std::string FileFailureMessage(std::string_view headline, std::string_view path,
                               std::string_view reason) {
  std::string message(headline);
  message.append("\n").append(path);
  if (!reason.empty()) message.append("\n").append(reason);
  return message;
}

namespace {

// Bytes as a person reads a disk's size: 5.3 GB, 850 MB, 12 KB.
std::string ByteSize(unsigned long long bytes) {
  const struct {
    double scale;
    const char* unit;
  } units[] = {{1e12, "TB"}, {1e9, "GB"}, {1e6, "MB"}, {1e3, "KB"}};
  char text[48];
  for (const auto& unit : units) {
    if (static_cast<double>(bytes) >= unit.scale) {
      std::snprintf(text, sizeof text, "%.1f %s", static_cast<double>(bytes) / unit.scale,
                    unit.unit);
      return text;
    }
  }
  std::snprintf(text, sizeof text, "%llu B", bytes);
  return text;
}

}  // namespace

std::string NoRoomReason(unsigned long long needed, unsigned long long free) {
  return "空き容量が足りません。少なくとも " + ByteSize(needed) + " 必要で、空きは " +
         ByteSize(free) + " です。";
}

}  // namespace sorimu
