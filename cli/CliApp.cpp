#include "CliApp.h"

#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <iostream>
#include <mutex>
#include <optional>
#include <vector>

#include "AnalyzeCommand.h"
#include "CliJobs.h"
#include "CliTexts.h"
#include "CommandOptions.h"
#include "DiskRoom.h"
#include "EstimateCommand.h"
#include "ExportCommand.h"
#include "InputText.h"
#include "LongRequest.h"
#include "Messages.h"
#include "Report.h"
#include "Session.h"
#include "TheoryCommand.h"

namespace sorimu {

namespace {

// A failed command's message on `err`, and its exit status.
int Fail(const Status& status, std::ostream& err) {
  err << status.Message << '\n';
  return ExitStatusOf(status);
}

// The same for a command of the session, with what the window's status line
// would say after the message where it says more: a batch stopped by an error.
int Fail(const CommandOutcome& outcome, std::ostream& err) {
  err << outcome.status.Message << '\n';
  if (outcome.line == StatusLine::BatchError) err << kBatchErrorStatus << '\n';
  return ExitStatusOf(outcome.status);
}

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, CliJobs& jobs) {
  CommandOptions options;
  if (!ParseCommandOptions(args, 1,
                           {"--seed", "--games", "--setting", "--big", "--reg", "--runs", "--out"},
                           {"--rows", "--yes"}, kUsage, options, err)) {
    return kBadUsage;
  }
  if (!options.positional.empty()) {
    err << kExtraArgument << options.positional.front() << '\n' << kUsage;
    return kBadUsage;
  }

  StartTexts texts;
  texts.PlayNum = options.ValueOr("--games", texts.PlayNum);
  texts.Flevel = options.ValueOr("--setting", texts.Flevel);
  texts.SimNum = options.ValueOr("--runs", texts.SimNum);
  texts.BigStock = options.ValueOr("--big", texts.BigStock);
  texts.RegStock = options.ValueOr("--reg", texts.RegStock);
  const StartCheck check = CheckStartInputs(texts);
  if (!check.status.Ok()) return Fail(check.status, err);

  std::optional<uint32_t> seed;
  if (options.Has("--seed")) {
    seed = ParseSeed(options.ValueOr("--seed", ""));
    if (!seed) {
      err << kCliSeedMessage << '\n';
      return kBadUsage;
    }
  }
  const std::string outPath = options.ValueOr("--out", "");
  if (options.Has("--out") && outPath.empty()) {
    err << "--out" << kEmptyPath << kUsage;
    return kBadUsage;
  }
  if (check.inputs.SimNum >= 2 && outPath.empty()) {
    err << kBatchNeedsOut;
    return kBadUsage;
  }
  // Runs are played one after another, on one thread.
  const double games = static_cast<double>(check.inputs.PlayNum) * check.inputs.SimNum;
  if (const auto tooLong = LongRequestMessage(games, 1, kRunSmaller);
      tooLong && !options.HasFlag("--yes")) {
    err << *tooLong;
    return kBadUsage;
  }
  // A batch checks its own files' room once it has their name.
  if (check.inputs.SimNum == 1 && !outPath.empty()) {
    if (const auto noRoom = CheckRoomFor(outPath, LeastSimFileBytes(check.inputs.PlayNum))) {
      return Fail(Status::Fail(StatusKind::WriteFailed, *noRoom, ENOSPC), err);
    }
  }

  // One process is one random sequence, like one session of the window.
  Session session(seed);
  std::mutex writtenMutex;
  std::vector<std::string> written;  // a batch's files, printed from this thread
  CommandOutcome started;
  jobs.Run(
      kGamesUnit,
      [&](Job& job) {
        SessionHooks hooks;
        hooks.askBatchPath = [&] { return std::optional<std::string>(outPath); };
        hooks.batchFileSaved = [&](const std::string& path) {
          std::lock_guard lock(writtenMutex);
          written.push_back(path);
        };
        hooks.runProgress = [&job](const RunProgressInfo& progress) {
          job.SetTotal(progress.GamesTotal * progress.Repetitions);
          job.SetDone((progress.Repetition - 1) * progress.GamesTotal + progress.GamesDone);
          return !job.Cancelled();
        };
        session.SetHooks(hooks);
        started = session.Start(texts);
      },
      [&] {
        std::lock_guard lock(writtenMutex);
        for (const std::string& path : written) out << PathLine(path) << '\n';
        written.clear();
      });
  if (started.status.Kind == StatusKind::Cancelled) return Interrupted(err);
  if (!started.status.Ok()) return Fail(started, err);
  if (check.inputs.SimNum >= 2) return kOk;
  if (!outPath.empty()) {
    const CommandOutcome saved = session.Save(outPath);
    if (!saved.status.Ok()) return Fail(saved.status, err);
  }
  WriteReport(out, session.Records(), options.HasFlag("--rows"));
  return kOk;
}

int Show(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  CommandOptions options;
  if (!ParseCommandOptions(args, 1, {}, {"--rows"}, kUsage, options, err)) return kBadUsage;
  if (options.positional.size() != 1) {
    err << kUsage;
    return kBadUsage;
  }
  Session session;
  const CommandOutcome opened = session.Open(options.positional.front());
  if (!opened.status.Ok()) return Fail(opened.status, err);
  WriteReport(out, session.Records(), options.HasFlag("--rows"));
  return kOk;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  // A bar only where a person watches stderr, never into a file or a pipe.
  CliJobs jobs(err, &err == &std::cerr && isatty(STDERR_FILENO) == 1);
  if (args.empty()) {
    err << kUsage;
    return kBadUsage;
  }
  if (args[0] == "--help" || args[0] == "-h") {
    out << kUsage;
    return kOk;
  }
  if (args[0] == "--version") {
    out << "sorimu-cli " << SORIMU_VERSION << '\n';
    return kOk;
  }
  if (args[0] == "run") return Run(args, out, err, jobs);
  if (args[0] == "analyze") return RunAnalyzeCommand(args, out, err, jobs);
  if (args[0] == "theory") return RunTheoryCommand(args, out, err);
  if (args[0] == "estimate") return RunEstimateCommand(args, out, err, jobs);
  if (WantsCsvExport(args)) return RunShowCsvCommand(args, out, err);
  if (args[0] == "show") return Show(args, out, err);
  err << kUnknownCommand << args[0] << '\n' << kUsage;
  return kBadUsage;
}

}  // namespace sorimu
