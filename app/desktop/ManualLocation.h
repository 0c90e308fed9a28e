#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// Where the user's manual (取扱説明書) is looked for: beside an installed
// program in its prefix's doc folder, then in the source tree a program run
// from its build folder was built from.
namespace sorimu {

// The places in the order they are tried. `executableFolder` is the running
// program's folder; an empty `sourceTree` adds no second place.
QStringList ManualCandidates(const QString& executableFolder, const QString& sourceTree);

// The first candidate that is a readable file.
std::optional<QString> FindManual(const QStringList& candidates);

// The source folder this program was built from.
QString BuildSourceTree();

class Shell;

// Opens the first manual found in the user's browser; the message to show
// when there is none or the browser did not open, nothing otherwise.
std::optional<QString> OpenManual(Shell& shell, const QStringList& candidates);

}  // namespace sorimu
