#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace sorimu {

class CliJobs;

// sorimu-cli analyze: many runs per setting, the figures table on `out` and
// optionally every run's figures as CSV. Exit status as RunCli's.
int RunAnalyzeCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                      CliJobs& jobs);

}  // namespace sorimu
