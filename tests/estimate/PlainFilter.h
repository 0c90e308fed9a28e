#pragma once

#include <array>
#include <vector>

#include "RunRecords.h"

// A second, deliberately plain route to the likelihood of a run under each
// setting, for the tests: the machine's whole hidden state between two games
// (mode, RtCount, RTCancel) as one table of chances, moved game by game by
// the normal game's rules as the machine applies them, and held against what
// each row shows. Slow and simple; nothing is shared with the estimate but
// the machine's tables and rules.
namespace testing_support {

// The log-likelihood of every RT stretch of the records, per setting (up to
// a constant shared by the settings), summed.
std::array<double, 6> PlainLogLikelihood(const sorimu::RunRecords& records);

// The same as a posterior from a uniform prior.
std::array<double, 6> PlainPosterior(const sorimu::RunRecords& records);

// The chance of each (mode, games left, RTCancel) after the last row of a
// run that ends inside an RT stretch, for one setting, normalised:
// [mode][RtCount][RTCancel].
std::vector<double> PlainFinalState(const sorimu::RunRecords& records, int setting);

}  // namespace testing_support
