#pragma once

#include <QColor>
#include <QFrame>
#include <QString>
#include <QWidget>
#include <vector>

class QChart;
class QChartView;
class QLabel;

namespace sorimu {

// The legend of a pie: one swatch and label per slice, every label in full.
// It is laid out for the height it is given: one column in the window's face
// where that fits, then a smaller face down to a readable minimum, then more
// columns. It is drawn in a rounded frame with a one-pixel shadow, and not
// at all while it has no entries.
class PieLegend final : public QWidget {
  Q_OBJECT

 public:
  struct Entry {
    QString text;
    QColor colour;
    QRect swatch;  // where they are drawn, in the legend's coordinates
    QRect label;
  };

  static constexpr int kSmallestPixels = 9;

  explicit PieLegend(QWidget* parent = nullptr);

  void SetEntries(const std::vector<std::pair<QString, QColor>>& entries);
  const std::vector<Entry>& Entries() const { return entries_; }
  // The face the labels are drawn in, as last laid out.
  const QFont& LabelFont() const { return labelFont_; }

  // Lays the entries out within `maxHeight` pixels; the size it needs.
  QSize LayOut(int maxHeight);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::vector<Entry> entries_;
  QFont labelFont_;
  QSize size_;
};

// One pie chart: the pie (Qt Charts, its own legend switched off) and its
// legend beside it on the right, on a white ground in a sunken frame.
class PieChart final : public QFrame {
  Q_OBJECT

 public:
  explicit PieChart(QWidget* parent = nullptr);

  QChartView* View() const { return view_; }
  QChart* Chart() const;
  PieLegend* Legend() const { return legend_; }
  // Said in the pie's place while it has slices but all at 0; an empty text
  // says nothing.
  void SetNothingText(const QString& text);
  QString NothingText() const;  // as shown; empty while hidden

  // Places the legend and the pie again, after a resize or new entries.
  void Arrange();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QChartView* view_ = nullptr;
  PieLegend* legend_ = nullptr;
  QLabel* nothing_ = nullptr;
};

}  // namespace sorimu
