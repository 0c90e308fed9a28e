#pragma once

#include <QFont>

namespace sorimu {

// The face of the window, its boxes and its dialogs: "ＭＳ Ｐゴシック" at 9
// points where it exists, a Japanese face of the same kind elsewhere.
QFont WindowFont();

}  // namespace sorimu
