#include "SimWriter.h"

#include <bit>

#include "Messages.h"
#include "SimFormat.h"

namespace sorimu {

namespace {

void PutInt32(unsigned char* out, int32_t value) {
  const uint32_t v = static_cast<uint32_t>(value);
  out[0] = static_cast<unsigned char>(v);
  out[1] = static_cast<unsigned char>(v >> 8);
  out[2] = static_cast<unsigned char>(v >> 16);
  out[3] = static_cast<unsigned char>(v >> 24);
}

bool WriteRows(OutputStream& out, const RunRow* rows, size_t count) {
  if constexpr (std::endian::native == std::endian::little) {
    // A row in memory is already the row on disk.
    return out.Write(rows, count * sizeof(RunRow));
  } else {
    unsigned char bytes[simfile::kRowBytes];
    for (size_t i = 0; i < count; ++i) {
      for (int c = 0; c < kRunColumnCount; ++c) {
        PutInt32(bytes + c * simfile::kValueBytes, ColumnValue(rows[i], static_cast<RunColumn>(c)));
      }
      if (!out.Write(bytes, sizeof bytes)) return false;
    }
    return true;
  }
}

}  // namespace

bool WriteSimFile(OutputStream& out, const SimFileHeader& header, const RunRecords& records) {
  unsigned char bytes[simfile::kHeaderBytes];
  PutInt32(bytes + 0, simfile::kFormatMark);
  PutInt32(bytes + simfile::kFlevelOffset, header.Flevel);
  PutInt32(bytes + simfile::kGamesOffset, header.Games);
  PutInt32(bytes + simfile::kBigStockOffset, header.BigStock);
  PutInt32(bytes + simfile::kRegStockOffset, header.RegStock);
  if (!out.Write(bytes, sizeof bytes)) return false;
  bool ok = true;
  records.ForEachRowSpan([&](const RunRow* rows, size_t count) {
    if (ok) ok = WriteRows(out, rows, count);
  });
  return ok;
}

Status SaveSimFile(const std::string& path, const SimFileHeader& header, const RunRecords& records,
                   const StreamFilter& filter) {
  SaveOptions options;
  options.headline = kSaveFailedMessage;
  options.direct = true;  // a long run's file is hundreds of megabytes
  options.filter = filter;
  return SaveFile(
      path, [&](OutputStream& out) { return WriteSimFile(out, header, records); }, options);
}

}  // namespace sorimu
