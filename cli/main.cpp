#include <unistd.h>

#include <cerrno>
#include <iostream>
#include <string>
#include <vector>

#include "CliApp.h"
#include "CliTexts.h"
#include "CommandOptions.h"
#include "Messages.h"
#include "OutputStream.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  // Standard output through a stream that keeps the first failing write's
  // reason: a report that did not reach its reader (a full disk, a closed
  // pipe) is a failure that says why, not a success with nothing to show.
  sorimu::FdOutputStream stdoutFile(STDOUT_FILENO, false, size_t{64} << 10);
  int status;
  bool written;
  {
    sorimu::OutputStreamBuf buffer(stdoutFile);
    std::ostream out(&buffer);
    status = sorimu::RunCli(args, out, std::cerr);
    written = static_cast<bool>(out.flush());
  }
  written = stdoutFile.Flush() && written;
  if (!written) {
    const int error = stdoutFile.Error() != 0 ? stdoutFile.Error() : EIO;
    std::cerr << sorimu::kStdoutFailed << sorimu::FileErrorReason(error) << '\n';
    if (status == sorimu::kOk) status = sorimu::kFileFailed;
  }
  return status;
}
