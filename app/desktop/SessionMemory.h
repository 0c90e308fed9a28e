#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

#include "RememberedInputs.h"

class QSettings;

// What a window keeps of its session in the per-user settings, and how it
// gets it back: the values of RememberedInputs under the keys of its table,
// and the window's place. Only values the window itself would accept come
// back: a key that is missing, of another type or out of range is passed
// over, so a damaged settings file never stops the window opening, nor
// shows a box.
namespace sorimu {

// The stored values over the defaults in `inputs`.
void RestoreInputs(const QSettings& settings, RememberedInputs& inputs);
// A text the window would refuse is not worth keeping: its key goes, and the
// box starts as new.
void RememberInputs(QSettings& settings, const RememberedInputs& inputs);

// The window's top left corner ("window/position"), when a window of `size`
// placed there could still be taken by its title bar on one of `screens`
// (their available areas): a screen unplugged since must not leave it out of reach.
std::optional<QPoint> StoredPosition(const QSettings& settings, QSize size,
                                     const QList<QRect>& screens);
void RememberPosition(QSettings& settings, QPoint position);

}  // namespace sorimu
