#include "StatusPanels.h"

#include <QFontMetrics>
#include <QLabel>
#include <algorithm>

#include "WindowFont.h"

namespace sorimu {

namespace {

constexpr int kPanelGap = 2;
constexpr int kSmallestClockPixels = 8;

// The widest the clock gets: its figures are all one width in the faces used.
const QDateTime kWidestTime(QDate(2088, 12, 28), QTime(20, 58, 58));

}  // namespace

StatusPanels::StatusPanels(QWidget* parent) : QWidget(parent) {
  for (int i = 0; i < kPanelCount; ++i) {
    auto* panel = new QLabel(this);
    panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setIndent(2);
    panel->setAlignment(i == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
    panels_[static_cast<size_t>(i)] = panel;
  }
}

void StatusPanels::resizeEvent(QResizeEvent*) {
  int left = 0;
  for (int i = 0; i < kPanelCount; ++i) {
    const int width = i < static_cast<int>(kPanelWidths.size())
                          ? kPanelWidths[static_cast<size_t>(i)] - kPanelGap
                          : std::max(0, this->width() - left);
    panels_[static_cast<size_t>(i)]->setGeometry(left, 0, width, kHeight);
    left += width + kPanelGap;
  }
  FitClockFace();
  for (int i = 0; i < kPanelCount; ++i) ShowText(i);
}

void StatusPanels::FitClockFace() {
  // The window's face draws its figures wide (7.5 pixels at 12), so a date
  // and a time do not fit the clock's panel in it; the fallback face's are
  // narrower. Where even they do not fit (a fully hinted desktop rounds them
  // up), the clock gets smaller rather than cut.
  QLabel* clock = panels_.back();
  const QString widest = ClockText(kWidestTime, QLocale::system());
  const int room = clock->contentsRect().width();
  QFont face = font();
  if (QFontMetrics(face).horizontalAdvance(widest) > room) {
    face.setFamilies({QString::fromLatin1(kFallbackFace), QString::fromLatin1(kWindowFace)});
    for (int pixels = QFontInfo(face).pixelSize();
         pixels > kSmallestClockPixels && QFontMetrics(face).horizontalAdvance(widest) > room;) {
      face.setPixelSize(--pixels);
    }
  }
  clock->setFont(face);
}

void StatusPanels::SetText(int index, const QString& text) {
  texts_[static_cast<size_t>(index)] = text;
  ShowText(index);
}

void StatusPanels::ShowText(int index) {
  QLabel* panel = panels_[static_cast<size_t>(index)];
  const QString& text = texts_[static_cast<size_t>(index)];
  // The clock's face is fitted to its panel instead.
  const int room = panel->contentsRect().width() - 2 * panel->indent();
  const QString shown =
      index == 0 ? panel->fontMetrics().elidedText(text, Qt::ElideMiddle, room) : text;
  panel->setText(shown);
  panel->setToolTip(shown == text ? QString() : text);
}

QString StatusPanels::Text(int index) const { return texts_[static_cast<size_t>(index)]; }

QString ClockText(const QDateTime& now, const QLocale& locale) {
  // Hours, minutes and seconds only: a locale's long time format may add a
  // time zone or words ("11時53分19秒 UTC") that no clock panel holds.
  const QString date = locale.toString(now.date(), QLocale::ShortFormat);
  if (now.time() == QTime(0, 0)) return date;
  return date + QLatin1Char(' ') + locale.toString(now.time(), QStringLiteral("H:mm:ss"));
}

}  // namespace sorimu
