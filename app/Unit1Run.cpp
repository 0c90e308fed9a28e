// Single runs and batches, played by the core with the window's hooks.
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <algorithm>

#include "Batch.h"
#include "Dialogs.h"
#include "SimWriter.h"
#include "SingleRun.h"
#include "StartInputs.h"
#include "Unit1.h"

namespace sorimu {

namespace {

constexpr const char* kHiddenFlevelNote = "終了時に設定が確認できます。";
constexpr int kHintRightEdge = 149;
constexpr int kHintTop = 36;

}  // namespace

void TMainForm::SetHint(const QString& text) {
  QFont hintFont = font();
  Label3->setFont(hintFont);
  Label3->setText(text);
  Label3->adjustSize();
  // A face with full-width kana would push the note past the window's left
  // edge; it is set a little tighter instead, so that it keeps its place.
  for (double spacing = 99; Label3->width() > kHintRightEdge && spacing >= 80; --spacing) {
    hintFont.setLetterSpacing(QFont::PercentageSpacing, spacing);
    Label3->setFont(hintFont);
    Label3->adjustSize();
  }
  Label3->move(std::max(0, kHintRightEdge - Label3->width()), kHintTop);
}

void TMainForm::MessagePoint(const StartInputs& inputs) {
  SetHint(inputs.HiddenFlevel ? QString::fromUtf8(kHiddenFlevelNote) : QString());
  // The only moment of a run at which the window repaints and takes input;
  // WorkScope keeps what arrives here from touching the run.
  QCoreApplication::processEvents();
}

bool TMainForm::Simulate(const StartInputs& inputs) {
  recordsShown_ = false;  // until DisplayResults shows the new rows
  const RunStatus status = sorimu::Simulate(slot_, records_, inputs, [&] { MessagePoint(inputs); });
  if (status == RunStatus::Completed) return true;
  const QString message = QString::fromUtf8(kOutOfMemoryMessage);
  SetStatusText(message);
  dialogs_.Error(this, message);
  return false;
}

TMainForm::BatchEnd TMainForm::SimulateBatch(const StartInputs& inputs) {
  // Without a name the batch could only overwrite the files of an earlier
  // save or batch, so a cancelled dialog ends it before its first run.
  const std::optional<QString> baseName = dialogs_.AskSavePath(this, saveDialogName_);
  if (!baseName) return BatchEnd::Cancelled;
  saveDialogName_ = *baseName;
  recordsShown_ = false;  // the batch fills the records but leaves the views

  BatchHooks hooks;
  hooks.messagePoint = [&] { MessagePoint(inputs); };
  hooks.report = [&](const std::string& status, int progress) {
    SetStatusText(QString::fromStdString(status));
    SetProgress(progress);
  };
  hooks.writeFile = [&](const std::string& path) {
    return SaveSimFile(path, HeaderFor(slot_, records_), records_);
  };
  const BatchStatus status =
      RunBatch(slot_, records_, inputs, QFile::encodeName(*baseName).toStdString(), hooks);
  switch (status) {
    case BatchStatus::Completed: return BatchEnd::Completed;
    case BatchStatus::WriteFailed: return BatchEnd::Stopped;
    case BatchStatus::OutOfMemory:
      dialogs_.Error(this, QString::fromUtf8(kOutOfMemoryMessage));
      return BatchEnd::Stopped;
  }
  return BatchEnd::Stopped;
}

void TMainForm::SetProgress(int position) {
  // The positions run past 100 on purpose; the bar shows them full.
  const int clamped = std::clamp(position, ProgressBar1->minimum(), ProgressBar1->maximum());
  if (ProgressBar1->value() != clamped) ProgressBar1->setValue(clamped);
}

}  // namespace sorimu
