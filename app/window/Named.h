#pragma once

#include <QMainWindow>
#include <QMenuBar>
#include <QString>

namespace sorimu {

// Controls built in code carry the layout's names, so that tests, the saved
// settings and a reader holding the code against the layout find them.
template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

// A control of a main window by its name, for tests and the pictures of the
// manual: those of the client area first, then the menus, then the rest
// (dialogs use some of the same names); null when there is none.
template <typename Widget>
Widget* FindNamed(QMainWindow& window, const char* name) {
  const QString wanted = QString::fromLatin1(name);
  for (QObject* root : {static_cast<QObject*>(window.centralWidget()),
                        static_cast<QObject*>(window.menuBar()), static_cast<QObject*>(&window)}) {
    if (Widget* found = root->findChild<Widget*>(wanted)) return found;
  }
  return nullptr;
}

}  // namespace sorimu
