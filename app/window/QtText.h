#pragma once

#include <QFile>
#include <QString>
#include <string>

// Between the core's UTF-8 texts and Qt's strings, and paths as the system
// spells them to the core's file functions.
namespace sorimu {

inline QString Text(const char* utf8) { return QString::fromUtf8(utf8); }
inline QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }
inline std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace sorimu
