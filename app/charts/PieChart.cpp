#include "PieChart.h"

#include <QChartView>
#include <QLabel>
#include <QPainter>
#include <QtCharts/QChart>
#include <QtCharts/QLegend>
#include <algorithm>

namespace sorimu {

namespace {

constexpr int kPadding = 5;     // inside the legend's frame
constexpr int kSwatch = 10;     // the colour square
constexpr int kSwatchGap = 4;   // between square and label
constexpr int kRowGap = 2;      // between entries
constexpr int kColumnGap = 10;  // between columns, when one is not enough
constexpr int kShadow = 1;
constexpr int kRounding = 4;
constexpr int kMargin = 6;  // around the legend in the chart

}  // namespace

PieLegend::PieLegend(QWidget* parent) : QWidget(parent) { hide(); }

void PieLegend::SetEntries(const std::vector<std::pair<QString, QColor>>& entries) {
  entries_.clear();
  for (const auto& [text, colour] : entries) entries_.push_back(Entry{text, colour, {}, {}});
  setVisible(!entries_.empty());
}

QSize PieLegend::LayOut(int maxHeight) {
  labelFont_ = font();
  const int count = static_cast<int>(entries_.size());
  if (count == 0) return size_ = QSize();
  const int room = maxHeight - 2 * kPadding - kShadow;
  int rowHeight = 0;
  for (int pixels = QFontInfo(labelFont_).pixelSize();; --pixels) {
    labelFont_.setPixelSize(pixels);
    rowHeight = std::max(QFontMetrics(labelFont_).height(), kSwatch) + kRowGap;
    if (count * rowHeight - kRowGap <= room || pixels <= kSmallestPixels) break;
  }
  const int perColumn = std::clamp((room + kRowGap) / rowHeight, 1, count);
  const int columns = (count + perColumn - 1) / perColumn;
  const QFontMetrics metrics(labelFont_);
  int widest = 0;
  for (const Entry& entry : entries_)
    widest = std::max(widest, metrics.horizontalAdvance(entry.text));
  const int columnWidth = kSwatch + kSwatchGap + widest;
  const int textHeight = metrics.height();
  for (int i = 0; i < count; ++i) {
    const int left = kPadding + (i / perColumn) * (columnWidth + kColumnGap);
    const int top = kPadding + (i % perColumn) * rowHeight;
    const int rowCentre = top + (rowHeight - kRowGap) / 2;
    Entry& entry = entries_[static_cast<size_t>(i)];
    entry.swatch = QRect(left, rowCentre - kSwatch / 2, kSwatch, kSwatch);
    entry.label =
        QRect(left + kSwatch + kSwatchGap, rowCentre - textHeight / 2, widest, textHeight);
  }
  const int rows = std::min(count, perColumn);
  size_ = QSize(2 * kPadding + columns * columnWidth + (columns - 1) * kColumnGap + kShadow,
                2 * kPadding + rows * rowHeight - kRowGap + kShadow);
  return size_;
}

void PieLegend::paintEvent(QPaintEvent*) {
  if (entries_.empty()) return;
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5 - kShadow, -0.5 - kShadow);
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::gray);
  painter.drawRoundedRect(frame.translated(kShadow, kShadow), kRounding, kRounding);
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(Qt::white);
  painter.drawRoundedRect(frame, kRounding, kRounding);

  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setFont(labelFont_);
  for (const Entry& entry : entries_) {
    // A grey edge, so that the white slice has a visible square too.
    painter.setPen(QPen(Qt::darkGray, 1));
    painter.setBrush(entry.colour);
    painter.drawRect(entry.swatch.adjusted(0, 0, -1, -1));
    painter.setPen(Qt::black);
    painter.drawText(entry.label, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     entry.text);
  }
}

PieChart::PieChart(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  setAutoFillBackground(true);
  QPalette ground = palette();
  ground.setColor(QPalette::Window, Qt::white);
  setPalette(ground);

  auto* chart = new QChart();
  chart->legend()->hide();
  view_ = new QChartView(chart, this);
  view_->setFrameStyle(QFrame::NoFrame);
  legend_ = new PieLegend(this);
  nothing_ = new QLabel(this);
  nothing_->setObjectName(QStringLiteral("NothingLabel"));
  nothing_->setAlignment(Qt::AlignCenter);
  nothing_->hide();
}

void PieChart::SetNothingText(const QString& text) {
  nothing_->setText(text);
  nothing_->setVisible(!text.isEmpty());
}

QString PieChart::NothingText() const {
  return nothing_->isHidden() ? QString() : nothing_->text();
}

QChart* PieChart::Chart() const { return view_->chart(); }

void PieChart::resizeEvent(QResizeEvent*) { Arrange(); }

void PieChart::Arrange() {
  const QRect inside = contentsRect();
  const QSize legend = legend_->LayOut(inside.height() - 2 * kMargin);
  if (legend.isEmpty()) {
    view_->setGeometry(inside);
  } else {
    const int legendLeft = inside.right() + 1 - kMargin - legend.width();
    legend_->setGeometry(legendLeft, inside.top() + (inside.height() - legend.height()) / 2,
                         legend.width(), legend.height());
    view_->setGeometry(inside.left(), inside.top(), std::max(0, legendLeft - inside.left()),
                       inside.height());
    legend_->update();
  }
  // Where the pie would stand.
  nothing_->setGeometry(view_->geometry());
  nothing_->raise();
}

}  // namespace sorimu
