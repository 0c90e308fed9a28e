#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace sorimu {

// True for "show ... --csv DIR", which RunShowCsvCommand handles.
bool WantsCsvExport(const std::vector<std::string>& args);

// sorimu-cli show FILE --csv DIR: writes DIR/<name>_games.csv (the per-game
// list) and DIR/<name>_bonuses.csv (the bonus list), <name> being FILE's name
// without its extension, creating DIR when needed, and prints both paths.
int RunShowCsvCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace sorimu
