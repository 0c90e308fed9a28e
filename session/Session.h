#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "RunRecords.h"
#include "ShownRun.h"
#include "SimFileHeader.h"
#include "SingleRun.h"
#include "Slot.h"
#include "StartChecks.h"
#include "Status.h"

// What one window session (or one sorimu-cli process) owns and does, without
// a window: the machine, the records, what is known of them, and the Start,
// Open, Save and setting-check commands. The window binds its controls to
// it and shows what the commands return; the command line prints it.
namespace sorimu {

enum class RecordsSource { None, Played, Batch, Opened };

// What the records hold besides their rows: the header a save writes and
// where the rows came from.
struct RecordsInfo {
  int32_t Flevel = 1;  // a new machine's level, which the setting check shows first
  int32_t Games = 0;
  RecordsSource Source = RecordsSource::None;
  std::string Path;  // the file they were opened from, or last saved to
};

// Whether the views show the records. A batch replaces the records while the
// views keep showing the run before it.
enum class DisplayState { Nothing, Current, Stale };

struct RunProgressInfo {
  int64_t GamesDone = 0;
  int64_t GamesTotal = 0;
  int32_t Repetition = 1;  // 1-based, of Repetitions
  int32_t Repetitions = 1;
};

// What a session asks of whoever drives it. Every hook may be left empty.
struct SessionHooks {
  // The status text and the progress bar while a command works; a progress
  // below 0 leaves the bar as it is.
  std::function<void(const std::string& status, int progress)> report;
  // Once per run, before its first game: the one point at which a window
  // processes its messages. Tells whether the level is hidden.
  std::function<void(bool hiddenLevel)> messagePoint;
  // The base name of a batch's files; nothing when the user cancelled.
  std::function<std::optional<std::string>()> askBatchPath;
  std::function<void(const std::string& path)> batchFileSaved;
  // Every few tens of thousands of normal games of a run; false cancels it.
  std::function<bool(const RunProgressInfo& progress)> runProgress;
  // Busy() or Display() changed.
  std::function<void()> stateChanged;
};

// What a command leaves for its caller to show, in this order: the message
// of a failure (when `notify`), the records in every view (when `display`),
// the input boxes (when `shownHeader`), then the status text.
struct CommandOutcome {
  Status status;        // Ok, or what failed; Cancelled when the user stopped it
  bool notify = false;  // show status.Message in a box: the application's for NotInteger
  bool display = false;
  std::optional<SimFileHeader> shownHeader;  // an opened file's values for the input boxes
  // The status text afterwards; nothing leaves the text it had before the command.
  std::optional<std::string> statusText;
};

class Session {
 public:
  // A fixed machine for tests and the command line; the clock otherwise.
  explicit Session(std::optional<uint32_t> seed = std::nullopt);
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  void SetHooks(SessionHooks hooks) { hooks_ = std::move(hooks); }
  // Memory a window spends per row on showing it, for sizing up runs and files.
  void SetDisplayBytesPerRow(size_t bytes) { displayBytesPerRow_ = bytes; }

  // Checks the texts, then plays one run or a batch. A run that completes
  // replaces the records; one that runs out of memory or is cancelled leaves
  // them, and the display, as they were. Ignored while busy.
  CommandOutcome Start(const StartTexts& texts);
  // Reads a simulation file; a file that cannot be read leaves the records
  // as they were. Ignored while busy.
  CommandOutcome Open(const std::string& path);
  // Saves the records with their header. Ignored while busy or before
  // anything was shown.
  CommandOutcome Save(const std::string& path);
  // The level of the run the records hold (the drawn one for "?"); nothing
  // while busy, when the setting box is one of the run's inputs. When the
  // records are the run on display, its level is known from then on.
  std::optional<int32_t> SettingCheck();

  bool Busy() const { return busy_; }
  DisplayState Display() const { return display_; }
  bool CanSave() const { return !busy_ && display_ != DisplayState::Nothing; }
  // The records are the run on display: what the estimate and exports describe.
  bool RecordsOnDisplay() const { return display_ == DisplayState::Current; }

  const Slot& Machine() const { return slot_; }
  const RunRecords& Records() const { return records_[shown_]; }
  const RecordsInfo& Info() const { return info_; }
  const ShownRun& Shown() const { return shownRun_; }
  SimFileHeader Header() const;  // what a save writes

  // Rows a run of `playNum` normal games is expected to leave: the normal
  // games and the bonus games between them, with room to spare.
  static int64_t ExpectedRows(int64_t playNum);

 private:
  class BusyScope;

  CommandOutcome PlaySingle(const StartInputs& inputs);
  CommandOutcome PlayBatch(const StartInputs& inputs);
  std::optional<std::string> CheckRunFits(int32_t playNum) const;
  RunStatus PlayInto(RunRecords& records, const StartInputs& inputs, int32_t repetition);
  // What a run that did not complete leaves to show; nothing when it did.
  std::optional<CommandOutcome> RunStopped(RunStatus status);
  RunRecords& Spare() { return records_[1 - shown_]; }
  void ShowSpare();
  void SetDisplay(DisplayState state);
  void Report(const std::string& status, int progress) const;

  Slot slot_;
  // The records on hand and a spare that a run or a read fills first, so
  // that a failed or cancelled one leaves the records as they were. The
  // spare keeps its memory for the next run.
  std::array<RunRecords, 2> records_;
  size_t shown_ = 0;
  RecordsInfo info_;
  ShownRun shownRun_;
  DisplayState display_ = DisplayState::Nothing;
  bool busy_ = false;
  size_t displayBytesPerRow_ = 0;
  SessionHooks hooks_;
};

}  // namespace sorimu
