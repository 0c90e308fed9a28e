#include "Messages.h"

#include <cerrno>
#include <cstring>

namespace sorimu {

std::string NotIntegerMessage(std::string_view text) {
  std::string message = "'";
  message.append(text).append("' は整数ではありません");
  return message;
}

std::string RunTooLargeMessage(long long largestPlayNum) {
  return "メモリが足りないため、このPlay数では実行できません。このコンピュータで実行できるPlay数は"
         "およそ" +
         std::to_string(largestPlayNum) + "までです。";
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
    default: break;
  }
  const std::string system = std::strerror(error);
  if (japanese == nullptr) return system;
  return std::string(japanese) + " (" + system + ")";
}

std::string FileFailureMessage(std::string_view headline, std::string_view path,
                               std::string_view reason) {
  std::string message(headline);
  message.append("\n").append(path);
  if (!reason.empty()) message.append("\n").append(reason);
  return message;
}

}  // namespace sorimu
