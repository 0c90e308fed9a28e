#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "CliApp.h"
#include "CliTexts.h"
#include "CommandOptions.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + 1, argv + argc);
  int status = sorimu::RunCli(args, std::cout, std::cerr);
  // A report that did not reach its reader (a full disk, a closed pipe) is a
  // failure, not a success with nothing to show.
  errno = 0;
  std::cout.flush();
  if (!std::cout) {
    const int error = errno;
    std::cerr << sorimu::kStdoutFailed << (error != 0 ? std::strerror(error) : "I/O error") << '\n';
    if (status == sorimu::kOk) status = sorimu::kFileFailed;
  }
  return status;
}
