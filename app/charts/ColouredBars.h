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
  // A value mark as placed for the axes' present ranges.
  struct Mark {
    int index = 0;  // of the bar, in the data
    QString text;
    QRectF box;  // in the plot's pixels
  };

  ColouredBars(QCPAxis* keyAxis, QCPAxis* valueAxis);

  // Keeps the colour next to its bar even when x comes out of order.
  void AddBar(double x, double height, QRgb colour);
  void ClearBars();
  QRgb BarColour(int index) const { return colours_[static_cast<size_t>(index)]; }

  void SetOutline(QRgb outline) { outline_ = outline; }
  void SetMarkFont(const QFont& font) { markFont_ = font; }
  const QFont& MarkFont() const { return markFont_; }
  // Pixel height of a mark's box.
  int MarkHeight() const;
  // The pixels the axis rect needs beyond the bars so that the marks of the
  // tallest, the first and the last bar fit inside it (bottom unused), when
  // all bars are shown across `axisPixels`; none where they are too narrow
  // to carry marks.
  QMargins MarkRoom(int axisPixels) const;

  // The marks drawn at the axes' present ranges. Each stands centred over
  // its own bar (at the top of the axis rect, inside the bar, where the bar
  // runs past it), clear of every other bar and every other mark, whole
  // inside the axis rect; a mark that cannot is not drawn. Where not all
  // fit, the taller bars have theirs; over bars too narrow to tell apart,
  // there are none.
  std::vector<Mark> PlaceMarks() const;

 protected:
  void draw(QCPPainter* painter) override;

 private:
  QRectF MarkBox(const QString& text) const;

  std::vector<QRgb> colours_;
  QRgb outline_ = 0xFFFFFFFF;
  QFont markFont_;
};

}  // namespace sorimu
