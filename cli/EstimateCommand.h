#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace sorimu {

class CliJobs;

// sorimu-cli estimate: the setting estimate of a simulation file as the
// 設定推測 box shows it, optionally with what the next games hold. Exit
// status as RunCli's: 1 for a file that cannot be read, 2 for bad arguments.
int RunEstimateCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                       CliJobs& jobs);

}  // namespace sorimu
