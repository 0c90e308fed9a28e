#include "StatusLineText.h"

#include "Messages.h"
#include "QtText.h"
#include "WindowTexts.h"

namespace sorimu {

QString StatusLineText(StatusLine line, const std::string& detail) {
  switch (line) {
    case StatusLine::Keep:
    case StatusLine::Clear: return QString();
    case StatusLine::Running: return Text(kRunningStatus);
    case StatusLine::Done: return Text(kDoneStatus);
    case StatusLine::Cancelled: return Text(kRunCancelledStatus);
    case StatusLine::OutOfMemory: return Text(kOutOfMemoryMessage);
    case StatusLine::BatchSaving: return Text(kBatchSavingStatus + detail);
    case StatusLine::BatchDone: return Text(kBatchDoneStatus);
    case StatusLine::BatchFinished: return QString::fromStdString(detail);
    case StatusLine::BatchError: return Text(kBatchErrorStatus);
    case StatusLine::Reading: return Text(kReadingStatus);
    case StatusLine::ReadDone: return Text(kReadDoneStatus);
    case StatusLine::ReadBrokenOff: return Text(kReadBrokenOffStatus);
    case StatusLine::SaveDone: return Text(kSaveDoneStatus);
    case StatusLine::CsvDone: return Text(wintext::kCsvDoneStatus);
    case StatusLine::ImagesDone: return Text(wintext::kImageDoneStatus);
  }
  return QString();
}

}  // namespace sorimu
