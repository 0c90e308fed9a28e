#pragma once

#include <QString>

namespace sorimu {

// Controls built in code carry the layout's names, so that tests, the saved
// settings and a reader holding the code against the layout find them.
template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

}  // namespace sorimu
