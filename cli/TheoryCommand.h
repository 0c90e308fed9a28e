#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace sorimu {

// sorimu-cli theory: the exact figures of the machine, worked out from its
// tables without playing. The figure sheet (スペック表) per setting, or with --tail N the
// chance of a dry stretch of N games or more; --tsv gives the lines other
// programs read. Exit status as RunCli's.
int RunTheoryCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace sorimu
