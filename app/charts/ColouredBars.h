#pragma once

#include <qcustomplot.h>

#include <vector>

namespace sorimu {

// Bars that each carry their own colour and a value mark above them. The
// library's bars share one brush, so the drawing is our own; the data stays
// in the library's container so that ranges and zoom work as for any bars.
class ColouredBars : public QCPBars {
  Q_OBJECT

 public:
  ColouredBars(QCPAxis* keyAxis, QCPAxis* valueAxis);

  // Keeps the colour next to its bar even when x comes out of order.
  void AddBar(double x, double height, QRgb colour);
  void ClearBars();
  QRgb BarColour(int index) const { return colours_[static_cast<size_t>(index)]; }

  void SetOutline(QRgb outline) { outline_ = outline; }

  // Pixel width of the value mark of a bar of this height.
  static int MarkWidth(const QFontMetrics& metrics, double height);

 protected:
  void draw(QCPPainter* painter) override;

 private:
  void DrawMarks(QCPPainter* painter, QCPBarsDataContainer::const_iterator begin,
                 QCPBarsDataContainer::const_iterator end);

  std::vector<QRgb> colours_;
  QRgb outline_ = 0xFFFFFFFF;
};

}  // namespace sorimu
