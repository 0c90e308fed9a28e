#pragma once

#include <QFont>

namespace sorimu {

// The window's pixel layout was drawn for a Japanese proportional Gothic
// face at 12 pixels. IPAPGothic keeps those proportions, so the captions fit
// the gaps left for them; Noto Sans CJK JP fills in any glyph it lacks.
inline constexpr const char* kWindowFace = "IPAPGothic";
inline constexpr const char* kFallbackFace = "Noto Sans CJK JP";
inline constexpr int kWindowFacePixels = 12;

// The face of the window, its boxes and its dialogs.
QFont WindowFont();

// Makes the window's face the application's, so that the boxes and Qt's own
// dialogs use it too.
void UseWindowFace();

}  // namespace sorimu
