#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "CliApp.h"

// The tests speak of the project's types by their plain names.
using namespace sorimu;

// One sorimu-cli command run in-process: its exit status, stdout and stderr.
struct CliResult {
  int status;
  std::string out;
  std::string err;
};

inline CliResult Cli(const std::vector<std::string>& args) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunCli(args, out, err);
  return {status, out.str(), err.str()};
}
