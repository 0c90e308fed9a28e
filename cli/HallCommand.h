#pragma once

#include <ostream>

#include "CommandOptions.h"

// sorimu-cli theory's questions of a player at a hall: --since (the
// ハマリ/天井 table), --quit-after (the やめ時 curve) and --line (the
// expected balance of a run, game by game). Each returns the exit status.
namespace sorimu {

int RunSinceQuestion(const CommandOptions& options, std::ostream& out, std::ostream& err);
int RunQuitQuestion(const CommandOptions& options, std::ostream& out, std::ostream& err);
int RunLineQuestion(const CommandOptions& options, std::ostream& out, std::ostream& err);

}  // namespace sorimu
