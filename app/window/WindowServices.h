#pragma once

#include <QString>
#include <chrono>
#include <cstdint>
#include <optional>

class QSettings;

namespace sorimu {

class Dialogs;
class JobService;
class Shell;

// What the window hands its boxes, dialogs and help commands to.
struct WindowServices {
  Dialogs& dialogs;
  Shell& shell;
  std::optional<uint32_t> seed;  // a fixed machine for tests; the clock otherwise
  // Where the session is remembered; nothing is remembered without.
  QSettings* settings = nullptr;
  // The source tree whose manual a program run from its build folder shows;
  // the one this program was built from when not given.
  std::optional<QString> sourceTree = std::nullopt;
  // How long a run goes before it shows its progress and can be stopped;
  // shorter ones look and behave as if it could not.
  std::chrono::milliseconds longRunAfter{500};
  // Where the window's long work runs; a service of the window's own when not given.
  JobService* jobs = nullptr;
};

}  // namespace sorimu
