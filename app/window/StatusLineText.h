#pragma once

#include <QString>
#include <string>

#include "Session.h"

namespace sorimu {

// The window's status line for what the session and the presenter say;
// `detail` is the file of a batch's save.
QString StatusLineText(StatusLine line, const std::string& detail);

}  // namespace sorimu
