#include "MainPresenter.h"

#include <new>
#include <tuple>

#include "BatchNames.h"
#include "Messages.h"

namespace sorimu {

namespace {

// Where the bar ends once a run is shown: (i + 1) / games × 100 for its last
// row i, truncated; rows include bonus games, so this reaches 100. A foreign
// file may hold no normal game.
int ShownProgress(const RunRecords& records) {
  if (records.RowCount() == 0) return 100;
  const int32_t games = records.LastRow().PlayCount;
  if (games <= 0) return 100;
  const double position = static_cast<double>(records.RowCount()) / games * 100.0;
  return position >= 100.0 ? 100 : static_cast<int>(position);
}

std::string Decimal(int32_t value) { return std::to_string(value); }

}  // namespace

// What a command's job hands back: its outcome, and the run with its views
// when it is to be shown.
struct MainPresenter::Result {
  CommandOutcome outcome;
  RunRef run;
  std::shared_ptr<PreparedShow> views;
  std::string path;  // the file an Open read
};

// The way from the job's thread back to the presenter: calls posted to the
// window's thread, which find nobody once the presenter is gone.
struct MainPresenter::Relay : std::enable_shared_from_this<Relay> {
  Relay(MainPresenter* owner, JobPost poster) : presenter(owner), post(std::move(poster)) {}

  MainPresenter* presenter;  // read and cleared on the window's thread only
  JobPost post;

  void Send(std::function<void(MainPresenter&)> call) {
    post([self = shared_from_this(), call = std::move(call)] {
      if (self->presenter != nullptr) call(*self->presenter);
    });
  }
};

MainPresenter::MainPresenter(std::shared_ptr<Session> session, JobService& jobs, JobPost post,
                             Clock::duration longRunAfter)
    : session_(std::move(session)),
      longRunAfter_(longRunAfter),
      relay_(std::make_shared<Relay>(this, post)),
      lane_(std::make_unique<JobLane<Result>>(jobs, std::move(post))) {}

MainPresenter::~MainPresenter() {
  // A job still running stops on its own and finds nobody to report to.
  relay_->presenter = nullptr;
  lane_.reset();
}

void MainPresenter::Changed() const {
  if (hooks_.changed) hooks_.changed();
}

void MainPresenter::SetInput(InputField field, std::string text) {
  std::string StartTexts::*member = nullptr;
  switch (field) {
    case InputField::PlayNum: member = &StartTexts::PlayNum; break;
    case InputField::Flevel: member = &StartTexts::Flevel; break;
    case InputField::SimNum: member = &StartTexts::SimNum; break;
    case InputField::BigStock: member = &StartTexts::BigStock; break;
    case InputField::RegStock: member = &StartTexts::RegStock; break;
  }
  // A command works with the inputs it started with.
  if (Busy() || inputs_.*member == text) return;
  inputs_.*member = std::move(text);
  Changed();
}

void MainPresenter::SetInputs(const StartTexts& inputs) {
  if (Busy()) return;
  inputs_ = inputs;
  Changed();
}

void MainPresenter::SetMarker(int m, bool on) {
  if (m < 0 || m >= kMarkerSeriesCount || markers_[static_cast<size_t>(m)] == on) return;
  markers_[static_cast<size_t>(m)] = on;
  Changed();
}

RememberedInputs MainPresenter::Remembered() const {
  RememberedInputs remembered;
  remembered.Start = inputs_;
  remembered.Markers = markers_;
  remembered.ExpectedLineWanted = expectedLineWanted_;
  return remembered;
}

void MainPresenter::Restore(const RememberedInputs& inputs) {
  markers_ = inputs.Markers;
  expectedLineWanted_ = inputs.ExpectedLineWanted;
  SetInputs(inputs.Start);
}

CommandStates MainPresenter::Commands() const {
  const bool idle = !Busy();
  CommandStates states;
  states.inputs = idle;
  states.start = idle;
  states.open = idle;
  states.cancel = longRun_ && !cancelled_;
  states.save = idle && session_->CanSave();
  states.runTools = idle && session_->Display() != DisplayState::Nothing;
  return states;
}

void MainPresenter::SetStatus(StatusLine line) {
  status_ = line;
  statusDetail_.clear();
  Changed();
}

void MainPresenter::Begin(RunPhase phase) {
  phase_ = phase;
  longRun_ = false;
  cancelled_ = false;
  progressBefore_ = progress_;
  started_ = Clock::now();
}

void MainPresenter::Start() {
  if (Busy()) return;
  statusBefore_ = {status_, statusDetail_};
  const StartTexts texts = inputs_;
  if (std::optional<CommandOutcome> refused = session_->CheckStart(texts)) {
    Result result;
    result.outcome = *refused;
    Finish(std::move(result));
    return;
  }
  const StartInputs inputs = CheckStartInputs(texts).inputs;
  Begin(inputs.SimNum == 1 ? RunPhase::Running : RunPhase::Batch);
  status_ = StatusLine::Running;
  Changed();
  std::optional<std::string> batchPath;
  if (inputs.SimNum > 1) {
    // Asked before anything plays: a dialog belongs to the window's thread.
    batchPath = hooks_.askBatchPath ? hooks_.askBatchPath() : std::nullopt;
    if (!batchPath) {
      Result result;
      result.outcome.status = Status::Fail(StatusKind::Cancelled, "");
      result.outcome.line = StatusLine::Clear;  // nothing ran: the running text would be a lie
      Finish(std::move(result));
      return;
    }
  }
  Launch([texts](Session& session) { return session.Start(texts); }, batchPath);
}

void MainPresenter::Open(const std::string& path) {
  if (Busy()) return;
  statusBefore_ = {status_, statusDetail_};
  Begin(RunPhase::Reading);
  Changed();
  Launch([path](Session& session) { return session.Open(path); }, std::nullopt, path);
}

void MainPresenter::Launch(std::function<CommandOutcome(Session&)> command,
                           std::optional<std::string> batchPath, std::string path) {
  std::shared_ptr<Relay> relay = relay_;
  auto work = [session = session_, relay, prepare = hooks_.prepare, command = std::move(command),
               batchPath = std::move(batchPath), path = std::move(path)](Job& job) {
    Result result;
    result.path = path;
    SessionHooks hooks;
    hooks.askBatchPath = [&batchPath] { return batchPath; };
    hooks.messagePoint = [relay](bool hidden) {
      relay->Send([hidden](MainPresenter& p) {
        if (p.hooks_.hint) p.hooks_.hint(hidden);
      });
    };
    hooks.report = [relay](StatusLine line, const std::string& detail, int progress) {
      relay->Send([line, detail, progress](MainPresenter& p) {
        p.status_ = line;
        p.statusDetail_ = detail;
        if (progress >= 0) p.progress_ = progress;
        p.Changed();
      });
    };
    hooks.runProgress = [&job](const RunProgressInfo& info) {
      job.SetParts(info.Repetition);
      job.SetPartsTotal(info.Repetitions);
      job.SetTotal(info.GamesTotal);
      job.SetDone(info.GamesDone);
      return !job.Cancelled();
    };
    hooks.prepareShow = [&](const RunRef& run) {
      relay->Send([](MainPresenter& p) {
        p.phase_ = RunPhase::Showing;
        p.Changed();
      });
      if (prepare) result.views = prepare(run, job);
      if (job.Cancelled() || (prepare && result.views == nullptr)) return false;
      result.run = run;
      return true;
    };
    session->SetHooks(std::move(hooks));
    result.outcome = command(*session);
    session->SetHooks({});
    return result;
  };
  auto failed = [](const std::exception_ptr& error) {
    Result result;
    CommandOutcome& outcome = result.outcome;
    outcome.notify = true;
    outcome.line = StatusLine::OutOfMemory;
    outcome.status = Status::Fail(StatusKind::OutOfMemory, kOutOfMemoryMessage);
    try {
      std::rethrow_exception(error);
    } catch (const std::bad_alloc&) {
    } catch (const std::exception& e) {
      outcome.line = StatusLine::Keep;
      outcome.status = Status::Fail(StatusKind::BadInput, e.what());
    } catch (...) {
    }
    return result;
  };
  lane_->Start(
      std::move(work), [this](Result result) { Finish(std::move(result)); }, std::move(failed));
}

void MainPresenter::Finish(Result result) {
  phase_ = RunPhase::Idle;
  longRun_ = false;
  cancelled_ = false;
  const CommandOutcome& outcome = result.outcome;
  if (outcome.notify && hooks_.notify) hooks_.notify(outcome.status);
  if (outcome.display) {
    progress_ = ShownProgress(result.run->Records);
    // The note that the level shows at the end goes with a run that hides it.
    if (hooks_.hint) hooks_.hint(result.run->HiddenLevel);
    if (hooks_.show) hooks_.show(result.run, std::move(result.views));
  }
  if (const std::optional<SimFileHeader>& header = outcome.shownHeader) {
    inputs_.Flevel = Decimal(header->Flevel);
    inputs_.PlayNum = Decimal(header->Games);
    inputs_.BigStock = Decimal(header->BigStock);
    inputs_.RegStock = Decimal(header->RegStock);
  }
  if (outcome.line != StatusLine::Keep) {
    status_ = outcome.line;
    statusDetail_ = outcome.lineDetail;
  } else {
    std::tie(status_, statusDetail_) = statusBefore_;  // what it said before the command
  }
  // A stopped run leaves everything as it was but the status line.
  if (outcome.status.Kind == StatusKind::Cancelled) progress_ = progressBefore_;
  Changed();
  if (outcome.display && !result.path.empty() && hooks_.opened) hooks_.opened(result.path);
}

CommandOutcome MainPresenter::Save(const std::string& path) {
  if (Busy()) return {};
  CommandOutcome outcome = session_->Save(path);
  if (outcome.notify && hooks_.notify) hooks_.notify(outcome.status);
  if (outcome.line != StatusLine::Keep) SetStatus(outcome.line);
  return outcome;
}

void MainPresenter::SettingCheck() {
  if (Busy()) return;
  if (const std::optional<int32_t> level = session_->SettingCheck()) {
    inputs_.Flevel = Decimal(*level);
  }
  Changed();
}

void MainPresenter::Cancel() {
  if (!Commands().cancel) return;
  cancelled_ = true;  // taken: the run stops at its next look at the job
  lane_->Cancel();
  Changed();
}

void MainPresenter::Stop() {
  if (!Busy()) return;
  cancelled_ = true;
  lane_->Cancel();
}

void MainPresenter::Tick(Clock::time_point now) {
  if (!Busy() || !lane_->Running()) return;
  bool changed = false;
  if (!longRun_ && now - started_ >= longRunAfter_) {
    longRun_ = true;
    changed = true;
  }
  const JobProgress progress = lane_->Progress();
  if (longRun_ && (phase_ == RunPhase::Running || phase_ == RunPhase::Batch) &&
      progress.Total > 0) {
    const double done = static_cast<double>(progress.Done) / static_cast<double>(progress.Total);
    int position = static_cast<int>(100 * done);
    if (progress.PartsTotal > 1) {
      // Between the positions the batch reports before and after this run.
      const int32_t of = static_cast<int32_t>(progress.PartsTotal);
      const int32_t repetition = static_cast<int32_t>(progress.Parts);
      const int from = BatchProgressPosition(repetition - 1, of);
      const int to = BatchProgressPosition(repetition, of);
      position = from + static_cast<int>((to - from) * done);
    }
    changed = changed || position != progress_;
    progress_ = position;
  }
  if (changed) Changed();
}

}  // namespace sorimu
