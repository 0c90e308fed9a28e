#include "WindowFont.h"

#include <QStringList>

namespace sorimu {

QFont WindowFont() {
  QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
  font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("Noto Sans CJK JP")});
  font.setPointSize(9);
  return font;
}

}  // namespace sorimu
