#include "StatusPanels.h"

#include <QLabel>

namespace sorimu {

namespace {
constexpr int kPanelGap = 2;
}

StatusPanels::StatusPanels(QWidget* parent) : QWidget(parent) {
  int left = 0;
  for (size_t i = 0; i < panels_.size(); ++i) {
    auto* panel = new QLabel(this);
    panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setIndent(2);
    panel->setAlignment(i == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
    panel->setGeometry(left, 0, kPanelWidths[i] - kPanelGap, kHeight);
    left += kPanelWidths[i];
    panels_[i] = panel;
  }
}

void StatusPanels::SetText(int index, const QString& text) { panels_[index]->setText(text); }

QString StatusPanels::Text(int index) const { return panels_[index]->text(); }

QString ClockText(const QDateTime& now, const QLocale& locale) {
  const QString date = locale.toString(now.date(), QLocale::ShortFormat);
  if (now.time() == QTime(0, 0)) return date;
  return date + QLatin1Char(' ') + locale.toString(now.time(), QLocale::LongFormat);
}

}  // namespace sorimu
