#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "RunRecords.h"
#include "RunSnapshot.h"
#include "ShownRun.h"
#include "SimFileHeader.h"
#include "SingleRun.h"
#include "Slot.h"
#include "StartChecks.h"
#include "Status.h"

// What one window session (or one sorimu-cli process) owns and does, without
// a window: the machine, the runs it published, what is known of them, and
// the Start, Open, Save and setting-check commands. The window binds its
// controls to it and shows what the commands return; the command line prints
// it. Each front end turns the codes it returns into its own text.
namespace sorimu {

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

// What the status line says: after a command, or at a step of one.
enum class StatusLine {
  Keep,  // what it said before the command
  Clear,
  Running,
  Done,
  Cancelled,
  OutOfMemory,
  BatchSaving,  // with the file's path
  BatchDone,
  BatchFinished,  // with how many files were written and where
  BatchError,
  Reading,
  ReadDone,
  ReadBrokenOff,
  SaveDone,
  // The window's own exports of the run on display.
  CsvDone,
  ImagesDone,
};

struct RunProgressInfo {
  int64_t GamesDone = 0;
  int64_t GamesTotal = 0;
  int32_t Repetition = 1;  // 1-based, of Repetitions
  int32_t Repetitions = 1;
};

// What a session asks of whoever drives it, on the thread that runs the
// command. Every hook may be left empty.
struct SessionHooks {
  // The status line and the progress bar while a command works (`detail`:
  // the file of BatchSaving); a progress below 0 leaves the bar as it is.
  std::function<void(StatusLine line, const std::string& detail, int progress)> report;
  // Once per run, before its first game: the one point at which a window
  // that plays on its own thread processes its messages. Tells whether the
  // level is hidden.
  std::function<void(bool hiddenLevel)> messagePoint;
  // The base name of a batch's files; nothing when the user cancelled.
  std::function<std::optional<std::string>()> askBatchPath;
  std::function<void(const std::string& path)> batchFileSaved;
  // Every few tens of thousands of normal games of a run; false cancels it.
  std::function<bool(const RunProgressInfo& progress)> runProgress;
  // A run or a file is complete and about to be shown: whoever shows it
  // prepares its views here, on the same thread; false drops it as cancelled.
  std::function<bool(const RunRef& run)> prepareShow;
  // Busy() or Display() changed.
  std::function<void()> stateChanged;
};

// What a command leaves for its caller to show, in this order: the message
// of a failure (when `notify`), the run in every view (when `display`), the
// input boxes (when `shownHeader`), then the status line.
struct CommandOutcome {
  Status status;        // Ok, or what failed; Cancelled when the user stopped it
  bool notify = false;  // show status.Message in a box: the application's for NotInteger
  bool display = false;
  std::optional<SimFileHeader> shownHeader;  // an opened file's values for the input boxes
  StatusLine line = StatusLine::Keep;
  std::string lineDetail;  // what `line` says in full, where it says more than its code
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

  // The checks of Start without playing: nothing when it would play, or
  // what refuses the texts (their message, or a run too large for memory).
  std::optional<CommandOutcome> CheckStart(const StartTexts& texts) const;
  // Checks the texts, then plays one run or a batch. A run that completes
  // is published; one that runs out of memory or is cancelled leaves the
  // records, and the display, as they were. Ignored while busy.
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
  DisplayState Display() const;
  bool CanSave() const { return !busy_ && shown_ != nullptr; }
  // The records are the run on display: what the estimate and exports describe.
  bool RecordsOnDisplay() const { return Display() == DisplayState::Current; }

  const Slot& Machine() const { return slot_; }
  // The run a save writes (after a batch its last repetition), and the run
  // the views show; null before there is one.
  RunRef Current() const { return current_; }
  RunRef ShownSnapshot() const { return shown_; }
  const RunRecords& Records() const;  // the current run's rows
  RecordsInfo Info() const;
  const ShownRun& Shown() const { return shownRun_; }
  // The file the current run was last read from or written to (after a
  // batch, its last repetition's); empty when there is none.
  const std::string& CurrentPath() const { return path_; }
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
  // A snapshot to fill: the spare when nobody else holds it, else a new one.
  std::shared_ptr<RunSnapshot> Fresh();
  // Makes `run` the current one, and the shown one unless a batch plays it.
  void Publish(std::shared_ptr<RunSnapshot> run, bool show);
  bool PrepareShow(const std::shared_ptr<RunSnapshot>& run);
  void Report(StatusLine line, int progress, const std::string& detail = {}) const;
  void StateChanged() const;

  Slot slot_;
  std::shared_ptr<RunSnapshot> current_;
  RunRef shown_;
  // A snapshot no longer shown or current whose memory the next run may
  // reuse (on these machines touching fresh pages costs more than the games
  // themselves); one far larger than the last run is let go instead.
  std::shared_ptr<RunSnapshot> spare_;
  ShownRun shownRun_;
  std::string path_;
  bool busy_ = false;
  size_t displayBytesPerRow_ = 0;
  SessionHooks hooks_;
};

}  // namespace sorimu
