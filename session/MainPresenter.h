#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "JobLane.h"
#include "RememberedInputs.h"
#include "Session.h"

namespace sorimu {

// Where the main window's work stands: one state, from which every
// command's availability follows.
enum class RunPhase {
  Idle,
  Running,  // one run's games are played
  Batch,    // a batch is asked for, played and saved
  Reading,  // a file is read
  Showing,  // a complete run or file is made ready to show
};

enum class InputField { PlayNum, Flevel, SimNum, BigStock, RegStock };

// Which of the window's commands take input now.
struct CommandStates {
  bool inputs = true;  // the five boxes and the setting check
  bool start = true;
  bool cancel = false;  // 中断 and Esc: a run that has gone on for a while
  bool open = true;     // 開く, drops and the recent files
  bool save = false;
  bool runTools = false;  // 設定推測, CSV出力, 画像保存: what is on display
};

// What a front end makes of a run to show it, off its own thread; it swaps
// the whole of it in at once.
struct PreparedShow {
  virtual ~PreparedShow() = default;
};

// What the presenter asks of the window. All of it is called on the
// window's thread but `prepare`, which the job's thread calls.
struct PresenterHooks {
  // Anything the window draws changed: phase, status, progress, commands, inputs.
  std::function<void()> changed;
  // The base name of a batch's files; nothing when the user cancelled.
  std::function<std::optional<std::string>()> askBatchPath;
  // The views of a complete run or file; null when the job was cancelled
  // meanwhile, and then nothing changes.
  std::function<std::shared_ptr<PreparedShow>(const RunRef& run, Job& job)> prepare;
  // The run is published: its views go in.
  std::function<void(const RunRef& run, std::shared_ptr<PreparedShow> views)> show;
  // At a run's start: whether its level is hidden, for the note under the box.
  std::function<void(bool hiddenLevel)> hint;
  // A command failed: its message, in the box its kind asks for.
  std::function<void(const Status& status)> notify;
  // A file was opened and shown.
  std::function<void(const std::string& path)> opened;
};

// The main window without widgets: the inputs as typed, the status as a
// code, the progress, the phase and the commands it allows. It runs the
// session's long commands as jobs, so the window's thread only draws and
// takes input; while a command works the window takes none of it (nothing
// is queued), and 中断 and the progress stay until the run is shown.
class MainPresenter {
 public:
  using Clock = std::chrono::steady_clock;

  // `longRunAfter`: how long a command goes before it shows its progress and
  // can be stopped; a shorter one looks and behaves as if it could not.
  MainPresenter(std::shared_ptr<Session> session, JobService& jobs, JobPost post,
                Clock::duration longRunAfter);
  ~MainPresenter();
  MainPresenter(const MainPresenter&) = delete;
  MainPresenter& operator=(const MainPresenter&) = delete;

  void SetHooks(PresenterHooks hooks) { hooks_ = std::move(hooks); }

  const StartTexts& Inputs() const { return inputs_; }
  void SetInput(InputField field, std::string text);
  void SetInputs(const StartTexts& inputs);
  // The marker boxes (kMarkerBIG ...): which roles the slump graph marks.
  bool Marker(int m) const { return markers_[static_cast<size_t>(m)]; }
  void SetMarker(int m, bool on);
  // Whether the user wants the 期待差枚 line: kept while the run on display
  // gets none, for the next that does. The window's switch draws it.
  bool ExpectedLineWanted() const { return expectedLineWanted_; }
  void SetExpectedLineWanted(bool on) { expectedLineWanted_ = on; }
  // What the next session starts from: the inputs as typed, the marker
  // boxes and the 期待差枚 wish (the dialogs add their own); and taking it back.
  RememberedInputs Remembered() const;
  void Restore(const RememberedInputs& inputs);

  // The commands; each is ignored while the phase does not allow it.
  void Start();
  void Open(const std::string& path);
  CommandOutcome Save(const std::string& path);
  // The level of the records into the setting box.
  void SettingCheck();
  // 中断 and Esc; also what closing the window does, long run or not.
  void Cancel();
  void Stop();
  // A status the window's own commands leave (the exports).
  void SetStatus(StatusLine line);
  // The window's timer: how far the work under way came.
  void Tick(Clock::time_point now = Clock::now());

  RunPhase Phase() const { return phase_; }
  bool Busy() const { return phase_ != RunPhase::Idle; }
  StatusLine Status() const { return status_; }
  const std::string& StatusDetail() const { return statusDetail_; }
  int Progress() const { return progress_; }
  bool LongRun() const { return longRun_; }
  CommandStates Commands() const;

  // The session, for what the window reads of it while nothing works.
  const Session& CurrentSession() const { return *session_; }

 private:
  struct Result;
  struct Relay;

  void Begin(RunPhase phase);
  // Runs `command` as a job; the batch's base name is asked before.
  void Launch(std::function<CommandOutcome(Session&)> command, std::optional<std::string> batchPath,
              std::string path = {});
  void Finish(Result result);
  void Changed() const;

  std::shared_ptr<Session> session_;
  Clock::duration longRunAfter_;
  PresenterHooks hooks_;
  std::shared_ptr<Relay> relay_;  // what the job's thread may reach of this
  std::unique_ptr<JobLane<Result>> lane_;

  StartTexts inputs_;
  std::array<bool, kMarkerSeriesCount> markers_{};
  bool expectedLineWanted_ = false;
  RunPhase phase_ = RunPhase::Idle;
  StatusLine status_ = StatusLine::Clear;
  std::string statusDetail_;
  std::pair<StatusLine, std::string> statusBefore_{StatusLine::Clear, {}};
  int progress_ = 0;
  int progressBefore_ = 0;
  bool longRun_ = false;
  bool cancelled_ = false;  // 中断 was taken
  Clock::time_point started_;
};

}  // namespace sorimu
