#pragma once

#include <qcustomplot.h>

#include <QFontMetrics>
#include <QSet>
#include <QString>
#include <cmath>

// What is wrong with the tick labels of an axis as drawn, or nothing: they
// must be at least two, whole numbers, each once, and each a pixel or more
// clear of the next, measured as the axis draws them (centred on their
// ticks, in its tick label face).
inline QString TickLabelFault(QCPAxis* axis) {
  const QVector<double> ticks = axis->tickVector();
  const QVector<QString> labels = axis->tickVectorLabels();
  if (ticks.size() < 2) return QStringLiteral("%1 ticks").arg(ticks.size());
  if (labels.size() != ticks.size()) return QStringLiteral("labels and ticks differ in number");
  if (QSet<QString>(labels.begin(), labels.end()).size() != labels.size()) {
    return QStringLiteral("a label repeats: ") +
           QStringList(labels.begin(), labels.end()).join(' ');
  }
  const QFontMetrics metrics(axis->tickLabelFont());
  QRectF previous;
  for (qsizetype i = 0; i < ticks.size(); ++i) {
    if (ticks[i] != std::round(ticks[i])) return QStringLiteral("tick at %1").arg(ticks[i]);
    QRectF label = metrics.boundingRect(0, 0, 0, 0, Qt::TextDontClip | Qt::AlignHCenter, labels[i]);
    const double at = axis->coordToPixel(ticks[i]);
    label.moveCenter(axis->orientation() == Qt::Horizontal ? QPointF(at, 0) : QPointF(0, at));
    if (i > 0 && previous.adjusted(-1, -1, 1, 1).intersects(label)) {
      return labels[i - 1] + QStringLiteral(" touches ") + labels[i];
    }
    previous = label;
  }
  return QString();
}
