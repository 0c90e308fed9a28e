#pragma once

#include <string>

#include "OutputStream.h"
#include "RunRecords.h"
#include "SafeSave.h"
#include "SimFileHeader.h"
#include "Status.h"

namespace sorimu {

// Writes the header and every row to a stream the caller opened. False when
// the stream refused a byte.
bool WriteSimFile(OutputStream& out, const SimFileHeader& header, const RunRecords& records);

// Saves the header and rows to `path` the safe way (SafeSave.h); the
// message of a failure starts with "シミュレーションファイルの保存に失敗しました。".
Status SaveSimFile(const std::string& path, const SimFileHeader& header, const RunRecords& records,
                   const StreamFilter& filter = {});

}  // namespace sorimu
