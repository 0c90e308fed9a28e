#include "WindowFont.h"

#include <QApplication>
#include <QStringList>

namespace sorimu {

QFont WindowFont() {
  QFont font(QString::fromLatin1(kWindowFace));
  font.setFamilies({QString::fromLatin1(kWindowFace), QString::fromLatin1(kFallbackFace)});
  // Pixels, not points: the layout is in pixels whatever the screen's DPI.
  font.setPixelSize(kWindowFacePixels);
  return font;
}

void UseWindowFace() { QApplication::setFont(WindowFont()); }

}  // namespace sorimu
