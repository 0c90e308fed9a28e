#include "ClassicFrames.h"

#include <qdrawutil.h>

#include <QPainter>

namespace sorimu {

namespace {

constexpr int kTitleLeft = 6;
constexpr int kTitlePadding = 2;  // each side of the title, in the frame's gap
constexpr int kBevel = 1;

}  // namespace

QRect ClassicGroupBox::TitleRect() const {
  if (title().isEmpty()) return QRect();
  const QFontMetrics metrics(font());
  return QRect(kTitleLeft, 0, metrics.horizontalAdvance(title()) + 2 * kTitlePadding,
               metrics.height());
}

void ClassicGroupBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QFontMetrics metrics(font());
  const int top = metrics.height() / 2;
  // Etched: a dark rectangle and a light one a pixel to the lower right.
  const QRect frame(0, top, width() - 2, height() - top - 2);
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawRect(frame);
  painter.setPen(palette().color(QPalette::Light));
  painter.drawRect(frame.translated(1, 1));

  const QRect title = TitleRect();
  if (title.isEmpty()) return;
  painter.fillRect(title, palette().color(QPalette::Window));
  painter.setPen(
      palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
  painter.drawText(title, Qt::AlignCenter | Qt::TextSingleLine, this->title());
}

BevelPanel::BevelPanel(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::NoFrame);
  setContentsMargins(2 * kBevel, 2 * kBevel, 2 * kBevel, 2 * kBevel);
}

void BevelPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  qDrawShadePanel(&painter, rect(), palette(), true, kBevel);
  qDrawShadePanel(&painter, rect().adjusted(kBevel, kBevel, -kBevel, -kBevel), palette(), false,
                  kBevel);
}

}  // namespace sorimu
