#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace sorimu {

// sorimu-cli: the window's runs, batches and files from a terminal. Returns
// the exit status: 0 done, 1 a file failed, 2 bad arguments or inputs.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace sorimu
