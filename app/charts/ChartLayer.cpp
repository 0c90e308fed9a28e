#include "ChartLayer.h"

#include <QPieSeries>
#include <QPieSlice>
#include <QPointer>
#include <QtCharts/QChart>
#include <algorithm>
#include <cassert>
#include <cmath>

#include "ColouredBars.h"
#include "CountTicker.h"
#include "PieChart.h"
#include "PlotInteraction.h"
#include "RowLine.h"

namespace sorimu {

namespace {

// The container's clear() keeps its capacity for the next points; a long
// run's ten million would then stay in memory through shorter runs after it.
// Setting an empty vector gives the memory back.
void Release(QCPGraphDataContainer& data) { data.set(QVector<QCPGraphData>(), true); }

// Legend entries: a small marker beside a line of the plot's own face.
constexpr QSize kLegendIcon(12, 10);
constexpr int kLegendIconGap = 4;

QCPScatterStyle::ScatterShape ShapeOf(MarkerShape shape) {
  switch (shape) {
    case MarkerShape::Diamond: return QCPScatterStyle::ssDiamond;
    case MarkerShape::Triangle: return QCPScatterStyle::ssTriangle;
    case MarkerShape::Circle: return QCPScatterStyle::ssCircle;
  }
  return QCPScatterStyle::ssCircle;
}

constexpr double kMarkerSize = 7;

// Markers drawn whole at the edges of the axis rect: the library clips them
// to it, which cut those at the run's last game or its highest balance in
// half. Only the markers of points in view are drawn, so that none reaches
// in from beyond the axes.
class MarkerGraph final : public QCPGraph {
 public:
  using QCPGraph::QCPGraph;

 protected:
  QRect clipRect() const override {
    const int reach = static_cast<int>(std::ceil(scatterStyle().size() / 2)) + 1;
    return QCPGraph::clipRect().adjusted(-reach, -reach, reach, reach);
  }
  void drawScatterPlot(QCPPainter* painter, const QVector<QPointF>& scatters,
                       const QCPScatterStyle& style) const override {
    const QRectF inView = QRectF(QCPGraph::clipRect()).adjusted(-0.5, -0.5, 0.5, 0.5);
    QVector<QPointF> shown;
    shown.reserve(scatters.size());
    for (const QPointF& point : scatters) {
      if (inView.contains(point)) shown.append(point);
    }
    QCPGraph::drawScatterPlot(painter, shown, style);
  }
};

// A one-game run sets an axis from 1 to 1; the library refuses an empty span,
// so such an axis is shown one unit wide around its value.
QCPRange Shown(const QCPRange& range) {
  if (range.upper - range.lower > 1e-9) return range;
  return QCPRange(range.lower - 0.5, range.upper + 0.5);
}

constexpr double kValueMargin = 0.05;  // of the span, so points do not sit on the frame

// What an automatic axis leaves beyond its points at each end: at least
// `low` and `high` axis units, and at least `lowPixels` and `highPixels` of
// the `pixels` the axis is long.
struct Room {
  double low = 0;
  double high = 0;
  int lowPixels = 0;
  int highPixels = 0;
  int pixels = 0;
};

// The padding below and above a span of points.
std::pair<double, double> Padding(double span, const Room& room) {
  double low = room.low;
  double high = room.high;
  const int wanted = room.lowPixels + room.highPixels;
  if (wanted <= 0 || room.pixels <= 2 * wanted) return {low, high};
  // Pixels become units through the span shown, which the padding widens;
  // the room is a small share of the axis, so a few rounds settle it.
  for (int round = 0; round < 8; ++round) {
    const double shown = span + low + high;
    low = std::max(room.low, shown * room.lowPixels / room.pixels);
    high = std::max(room.high, shown * room.highPixels / room.pixels);
  }
  return {low, high};
}

void Merge(QCPRange& range, const QCPRange& more, bool wasEmpty) {
  if (wasEmpty) {
    range = more;
  } else {
    range.expand(more);
  }
}

}  // namespace

struct ChartLayer::Series {
  SeriesKind kind = SeriesKind::Markers;
  QString name;
  QRgb colour = 0;
  bool active = true;
  bool inLegend = false;
  QCustomPlot* plot = nullptr;
  QCPGraph* graph = nullptr;
  QSharedPointer<QCPGraphDataContainer> data;
  RowLine* line = nullptr;  // instead of `graph` and `data`, for a row line
  QCPRange keys;            // of the points in `data`, valid when it holds any
  QCPRange values;
  ColouredBars* bars = nullptr;
  PieChart* pieChart = nullptr;
  QPieSeries* pie = nullptr;
};

struct ChartLayer::Plot {
  QCustomPlot* plot = nullptr;
  bool automatic[2] = {false, false};
  QCPRange set[2];    // as the display set it, or as the active series need it
  QCPRange empty[2];  // what an automatic axis shows with nothing to follow
  double padding[2] = {0, 0};
  bool dirty = false;
  bool legendVisible = false;
  QCPLayoutGrid* legendColumn = nullptr;  // right of the axis rect while the legend shows
  std::unique_ptr<QObject> context;       // ends our connections when the layer goes
  QPointer<PlotInteraction> interaction;

  QCPAxis* Axis(ChartAxis axis) const {
    return axis == ChartAxis::Bottom ? plot->xAxis : plot->yAxis;
  }
};

ChartLayer::ChartLayer() = default;

ChartLayer::~ChartLayer() {
  for (auto& plot : plots_) delete plot->interaction.data();
}

ChartLayer::Series& ChartLayer::At(SeriesId id) {
  assert(id >= 0 && static_cast<size_t>(id) < series_.size());
  return series_[static_cast<size_t>(id)];
}

const ChartLayer::Series& ChartLayer::At(SeriesId id) const {
  assert(id >= 0 && static_cast<size_t>(id) < series_.size());
  return series_[static_cast<size_t>(id)];
}

ChartLayer::Plot& ChartLayer::PlotOf(QCustomPlot* plot) {
  for (auto& known : plots_) {
    if (known->plot == plot) return *known;
  }
  auto added = std::make_unique<Plot>();
  added->plot = plot;
  added->set[0] = plot->xAxis->range();
  added->set[1] = plot->yAxis->range();
  added->context = std::make_unique<QObject>();
  Plot* state = added.get();
  QObject::connect(plot, &QCustomPlot::beforeReplot, state->context.get(), [this, state] {
    if (state->dirty) {
      // The room for marks is measured in pixels of the axis rect, which a
      // plot not yet drawn at its size does not know before it is laid out.
      LayOutPlot(state->plot);
      UpdateAutomaticAxes(*state);
    }
    FitLegend(*state);
  });
  plots_.push_back(std::move(added));
  return *state;
}

SeriesId ChartLayer::Register(Series series) {
  assert(Find(series.name) < 0);
  series_.push_back(std::move(series));
  return static_cast<SeriesId>(series_.size() - 1);
}

SeriesId ChartLayer::Find(const QString& name) const {
  for (size_t i = 0; i < series_.size(); ++i) {
    if (series_[i].name == name) return static_cast<SeriesId>(i);
  }
  return -1;
}

// A graph in its plot, sampled adaptively, out of the legend until it is
// switched on, and backed by a data container of the layer's own.
ChartLayer::Series ChartLayer::NewGraphSeries(QCustomPlot* plot, SeriesKind kind,
                                              const QString& name, QRgb colour) {
  PlotOf(plot);
  Series series;
  series.kind = kind;
  series.name = name;
  series.colour = colour;
  series.plot = plot;
  series.graph =
      kind == SeriesKind::Markers ? new MarkerGraph(plot->xAxis, plot->yAxis) : plot->addGraph();
  series.graph->setObjectName(name);
  series.graph->setAdaptiveSampling(true);
  series.data = QSharedPointer<QCPGraphDataContainer>::create();
  series.graph->setData(series.data);
  series.graph->removeFromLegend();
  return series;
}

SeriesId ChartLayer::AddMarkerSeries(QCustomPlot* plot, const QString& name,
                                     const QString& legendText, MarkerShape shape, QRgb colour) {
  Series series = NewGraphSeries(plot, SeriesKind::Markers, name, colour);
  series.inLegend = true;
  series.graph->setName(legendText);
  series.graph->setLineStyle(QCPGraph::lsNone);
  // A darker edge of the marker's own colour: white markers on a white ground
  // need one to be seen, and black edges would turn dense stacks into blots.
  series.graph->setScatterStyle(QCPScatterStyle(ShapeOf(shape), QColor::fromRgb(colour).darker(170),
                                                QColor::fromRgb(colour), kMarkerSize));
  // Over a long run the markers pile up by the ten thousand; smoothing their
  // edges doubles the redraw time and is invisible at that density.
  series.graph->setAntialiasedScatters(false);
  return Register(std::move(series));
}

SeriesId ChartLayer::AddFastLineSeries(QCustomPlot* plot, const QString& name, QRgb colour,
                                       int width) {
  Series series = NewGraphSeries(plot, SeriesKind::FastLine, name, colour);
  series.graph->setName(name);
  series.graph->setLineStyle(QCPGraph::lsLine);
  series.graph->setPen(QPen(QColor::fromRgb(colour), width));
  return Register(std::move(series));
}

SeriesId ChartLayer::AddRowLineSeries(QCustomPlot* plot, const QString& name, QRgb colour,
                                      int width) {
  PlotOf(plot);
  Series series;
  series.kind = SeriesKind::FastLine;
  series.name = name;
  series.colour = colour;
  series.plot = plot;
  series.line = new RowLine(plot->xAxis, plot->yAxis);
  series.line->setObjectName(name);
  series.line->setName(name);
  series.line->setPen(QPen(QColor::fromRgb(colour), width));
  series.line->removeFromLegend();
  return Register(std::move(series));
}

SeriesId ChartLayer::AddLegendLineSeries(QCustomPlot* plot, const QString& name,
                                         const QString& legendText, QRgb colour, int width,
                                         Qt::PenStyle style) {
  Series series = NewGraphSeries(plot, SeriesKind::FastLine, name, colour);
  series.inLegend = true;
  series.graph->setName(legendText);
  series.graph->setLineStyle(QCPGraph::lsLine);
  series.graph->setPen(QPen(QColor::fromRgb(colour), width, style));
  return Register(std::move(series));
}

void ChartLayer::SetLegendText(SeriesId id, const QString& legendText) {
  Series& series = At(id);
  assert(series.graph != nullptr && series.inLegend);
  series.graph->setName(legendText);
  UpdateLegend(PlotOf(series.plot));
}

void ChartLayer::FillBetween(SeriesId upper, SeriesId lower, QColor fill) {
  Series& top = At(upper);
  const Series& bottom = At(lower);
  assert(top.graph != nullptr && bottom.graph != nullptr && top.plot == bottom.plot);
  top.graph->setChannelFillGraph(bottom.graph);
  top.graph->setBrush(fill);
  Changed(top.plot);
}

SeriesId ChartLayer::AddBarSeries(QCustomPlot* plot, const QString& name, QRgb outline) {
  Series series;
  series.kind = SeriesKind::Bars;
  series.name = name;
  series.plot = plot;
  series.bars = new ColouredBars(plot->xAxis, plot->yAxis);
  series.bars->setObjectName(name);
  series.bars->setName(name);
  series.bars->SetOutline(outline);
  series.bars->setWidthType(QCPBars::wtPlotCoords);
  series.bars->setWidth(0.8);
  series.bars->removeFromLegend();
  PlotOf(plot);
  return Register(std::move(series));
}

SeriesId ChartLayer::AddPieSeries(PieChart* chart, const QString& name) {
  Series series;
  series.kind = SeriesKind::Pie;
  series.name = name;
  series.pieChart = chart;
  series.pie = new QPieSeries();
  series.pie->setObjectName(name);
  series.pie->setName(name);
  chart->Chart()->addSeries(series.pie);
  const SeriesId id = Register(std::move(series));
  UpdatePie(At(id));
  return id;
}

void ChartLayer::SetAxisRange(QCustomPlot* plot, ChartAxis axis, double min, double max) {
  Plot& state = PlotOf(plot);
  const int which = axis == ChartAxis::Bottom ? 0 : 1;
  if (state.interaction) state.interaction->StopZoom();
  state.automatic[which] = false;
  state.set[which] = QCPRange(min, max);
  state.Axis(axis)->setRange(Shown(state.set[which]));
  plot->replot(QCustomPlot::rpQueuedReplot);
}

void ChartLayer::SetAxisAutomatic(QCustomPlot* plot, ChartAxis axis) {
  Plot& state = PlotOf(plot);
  const int which = axis == ChartAxis::Bottom ? 0 : 1;
  state.automatic[which] = true;
  state.empty[which] = state.set[which];
  Changed(plot);
}

void ChartLayer::SetAxisPadding(QCustomPlot* plot, ChartAxis axis, double padding) {
  PlotOf(plot).padding[axis == ChartAxis::Bottom ? 0 : 1] = padding;
  Changed(plot);
}

void ChartLayer::SetIntegerTicks(QCustomPlot* plot, ChartAxis axis) {
  UseCountTicks(PlotOf(plot).Axis(axis));
  plot->replot(QCustomPlot::rpQueuedReplot);
}

void ChartLayer::SetLegendVisible(QCustomPlot* plot, bool visible) {
  Plot& state = PlotOf(plot);
  state.legendVisible = visible;
  if (visible && state.legendColumn == nullptr) {
    // Out of the axis rect, where a long list would cover the points, into
    // a column of its own right of it, at the top.
    QCPLegend* legend = plot->legend;
    if (legend->layout()) legend->layout()->take(legend);
    legend->setFont(plot->font());
    legend->setIconSize(kLegendIcon);
    legend->setIconTextPadding(kLegendIconGap);
    legend->setRowSpacing(0);
    legend->setColumnSpacing(8);
    legend->setMargins(QMargins(4, 2, 4, 2));
    legend->setFillOrder(QCPLayoutGrid::foRowsFirst);
    // Made in the plot's layout, which gives it the plot, then taken out
    // again until there is something to list.
    state.legendColumn = new QCPLayoutGrid();
    PlaceLegendColumn(state, true);
    state.legendColumn->addElement(0, 0, legend);
    state.legendColumn->expandTo(2, 1);
    state.legendColumn->setRowStretchFactors({0.001, 1});
    state.legendColumn->setMargins(QMargins(0, 0, 4, 0));
    PlaceLegendColumn(state, false);
  }
  UpdateLegend(state);
}

void ChartLayer::SetLegendInside(QCustomPlot* plot, Qt::Alignment corner) {
  Plot& state = PlotOf(plot);
  assert(state.legendColumn == nullptr);
  state.legendVisible = true;
  plot->legend->setFont(plot->font());
  plot->legend->setBrush(QColor(255, 255, 255, 220));
  plot->axisRect()->insetLayout()->setInsetAlignment(0, corner);
  UpdateLegend(state);
}

void ChartLayer::EnableZoomAndScroll(QCustomPlot* plot, bool animatedZoom) {
  Plot& state = PlotOf(plot);
  if (state.interaction) return;
  Plot* target = &state;
  state.interaction = new PlotInteraction(plot, animatedZoom, [this, target] {
    for (ChartAxis axis : {ChartAxis::Bottom, ChartAxis::Left}) {
      const int which = axis == ChartAxis::Bottom ? 0 : 1;
      if (!target->automatic[which]) target->Axis(axis)->setRange(Shown(target->set[which]));
    }
    UpdateAutomaticAxes(*target);
  });
}

void ChartLayer::Changed(QCustomPlot* plot) {
  Plot& state = PlotOf(plot);
  // A zoom animating towards the old contents would undo the new ranges.
  if (state.interaction) state.interaction->StopZoom();
  state.dirty = true;
  plot->replot(QCustomPlot::rpQueuedReplot);
}

void ChartLayer::UpdateAutomaticAxes(Plot& state) {
  state.dirty = false;
  QMargins marks;
  for (const Series& series : series_) {
    if (series.plot != state.plot || !series.active || !series.bars) continue;
    const QMargins room = series.bars->MarkRoom(state.plot->axisRect()->width());
    marks = QMargins(std::max(marks.left(), room.left()), std::max(marks.top(), room.top()),
                     std::max(marks.right(), room.right()), 0);
  }
  for (ChartAxis axis : {ChartAxis::Bottom, ChartAxis::Left}) {
    if (!state.automatic[axis == ChartAxis::Bottom ? 0 : 1]) continue;
    QCPRange range;
    bool any = false;
    for (const Series& series : series_) {
      if (series.plot != state.plot || !series.active) continue;
      bool found = false;
      QCPRange own;
      if (series.graph) {
        found = !series.data->isEmpty();
        own = axis == ChartAxis::Bottom ? series.keys : series.values;
      } else if (series.line) {
        own = axis == ChartAxis::Bottom ? series.line->getKeyRange(found, QCP::sdBoth)
                                        : series.line->getValueRange(found, QCP::sdBoth, {});
      } else if (series.bars) {
        // The keys alone: the library widens them by the bar width measured
        // at the range on screen, which is the last run's.
        own = axis == ChartAxis::Bottom ? series.bars->data()->keyRange(found)
                                        : series.bars->getValueRange(found);
      }
      if (!found) continue;
      if (any) {
        range.expand(own);
      } else {
        range = own;
        any = true;
      }
    }
    const int which = axis == ChartAxis::Bottom ? 0 : 1;
    if (!any) {
      // Nothing to follow: the axis of an empty chart, not the last run's.
      state.set[which] = state.empty[which];
      state.Axis(axis)->setRange(Shown(state.empty[which]));
      continue;
    }
    const QRect area = state.plot->axisRect()->rect();
    Room room{state.padding[which], state.padding[which], 0, 0, 0};
    if (axis == ChartAxis::Bottom) {
      room.lowPixels = marks.left();
      room.highPixels = marks.right();
      room.pixels = area.width();
    } else {
      const double span = range.size();
      const double margin = span > 0 ? span * kValueMargin : 1;
      room.high += margin;
      if (range.lower < 0) room.low += margin;
      room.highPixels = marks.top();
      room.pixels = area.height();
    }
    const auto [below, above] = Padding(range.size(), room);
    range.lower -= below;
    range.upper += above;
    state.set[which] = range;
    state.Axis(axis)->setRange(Shown(range));
  }
}

void ChartLayer::UpdateLegend(Plot& state) {
  QCPLegend* legend = state.plot->legend;
  legend->clearItems();
  for (const Series& series : series_) {
    if (series.plot == state.plot && series.inLegend && series.active && series.graph) {
      series.graph->addToLegend(legend);
    }
  }
  const bool shown = state.legendVisible && legend->itemCount() > 0;
  legend->setVisible(shown);
  if (state.legendColumn) {
    PlaceLegendColumn(state, shown);
    FitLegend(state);
  }
  state.plot->replot(QCustomPlot::rpQueuedReplot);
}

void ChartLayer::PlaceLegendColumn(Plot& state, bool shown) {
  // The column is in the layout only while it shows, so that the plot has
  // the whole width otherwise.
  QCPLayoutGrid* layout = state.plot->plotLayout();
  const bool placed = state.legendColumn->layout() != nullptr;
  if (shown && !placed) {
    int axisRow = 0;
    while (axisRow < layout->rowCount() && layout->element(axisRow, 0) != state.plot->axisRect()) {
      ++axisRow;
    }
    layout->addElement(axisRow, 1, state.legendColumn);
    layout->setColumnStretchFactor(1, 0.001);
  } else if (!shown && placed) {
    layout->take(state.legendColumn);
    layout->simplify();
  }
}

void ChartLayer::FitLegend(Plot& state) {
  // As many entries to a column as the plot's height holds; the rest go to
  // a second column rather than off the bottom.
  QCPLegend* legend = state.plot->legend;
  if (state.legendColumn == nullptr || legend->itemCount() == 0) return;
  const int room = state.plot->axisRect()->outerRect().height() - legend->margins().top() -
                   legend->margins().bottom();
  const int entry = legend->item(0)->minimumOuterSizeHint().height() + legend->rowSpacing();
  const int perColumn = room > entry ? room / entry : legend->itemCount();
  if (legend->wrap() != perColumn) {
    legend->setWrap(perColumn);
    legend->setFillOrder(QCPLayoutGrid::foRowsFirst, true);
  }
}

void ChartLayer::UpdatePie(Series& series) {
  double total = 0;
  std::vector<std::pair<QString, QColor>> entries;
  for (QPieSlice* slice : series.pie->slices()) {  // color() is not const
    total += slice->value();
    if (series.active) entries.emplace_back(slice->label(), slice->color());
  }
  // With every slice at 0 the library keeps drawing the angles it had before,
  // so such a pie is hidden; its legend entries stay.
  series.pie->setVisible(series.active && total > 0);
  series.pieChart->Legend()->SetEntries(entries);
  // A pie of a run where none of its cases came says so, rather than
  // leaving a blank that reads as a fault; before any run it stays blank.
  const bool nothing = series.active && series.pie->count() > 0 && total == 0;
  series.pieChart->SetNothingText(nothing ? QString::fromUtf8(kNoSlicesText) : QString());
  series.pieChart->Arrange();
}

void ChartLayer::Clear(SeriesId id) {
  Series& series = At(id);
  switch (series.kind) {
    case SeriesKind::Markers:
    case SeriesKind::FastLine:
      if (series.line) {
        series.line->SetPoints(nullptr);
      } else {
        Release(*series.data);
      }
      Changed(series.plot);
      break;
    case SeriesKind::Bars:
      series.bars->ClearBars();
      Changed(series.plot);
      break;
    case SeriesKind::Pie:
      series.pie->clear();
      UpdatePie(series);
      break;
  }
}

void ChartLayer::AddPoint(SeriesId id, double x, double y, const QString& label,
                          std::optional<QRgb> colour) {
  Series& series = At(id);
  switch (series.kind) {
    case SeriesKind::Markers:
    case SeriesKind::FastLine:
      assert(series.data != nullptr && label.isEmpty() && (!colour || *colour == series.colour));
      Merge(series.keys, QCPRange(x, x), series.data->isEmpty());
      Merge(series.values, QCPRange(y, y), series.data->isEmpty());
      series.data->add(QCPGraphData(x, y));
      Changed(series.plot);
      break;
    case SeriesKind::Bars:
      assert(label.isEmpty());
      series.bars->AddBar(x, y, colour.value_or(series.colour));
      Changed(series.plot);
      break;
    case SeriesKind::Pie: {
      auto* slice = new QPieSlice(label, y);
      series.pie->append(slice);
      slice->setColor(QColor::fromRgb(colour.value_or(series.colour)));
      slice->setBorderColor(QColor(Qt::darkGray));
      slice->setBorderWidth(1);
      slice->setLabelVisible(false);
      UpdatePie(series);
      break;
    }
  }
}

void ChartLayer::AddPoints(SeriesId id, XYPoints&& points) {
  Series& series = At(id);
  assert(series.data != nullptr);
  if (points.data_.isEmpty()) return;
  points.SortByKey();
  Merge(series.keys, points.keys_, series.data->isEmpty());
  Merge(series.values, points.values_, series.data->isEmpty());
  // Into an empty container the points go by assigning the vector, which
  // shares it; dropping it here leaves the container the only reference, so
  // ten million points are never copied.
  series.data->add(points.data_, true);
  points.data_ = QVector<QCPGraphData>();
  points.sorted_ = true;
  Changed(series.plot);
}

void ChartLayer::SetLinePoints(SeriesId id, std::shared_ptr<const LinePoints> points) {
  Series& series = At(id);
  assert(series.line != nullptr);
  series.line->SetPoints(std::move(points));
  Changed(series.plot);
}

void ChartLayer::SetActive(SeriesId id, bool active) {
  Series& series = At(id);
  series.active = active;
  if (series.kind == SeriesKind::Pie) {
    UpdatePie(series);
    return;
  }
  Plottable(id)->setVisible(active);
  UpdateLegend(PlotOf(series.plot));
  Changed(series.plot);
}

SeriesKind ChartLayer::Kind(SeriesId id) const { return At(id).kind; }
QString ChartLayer::Name(SeriesId id) const { return At(id).name; }
bool ChartLayer::Active(SeriesId id) const { return At(id).active; }

QCPAbstractPlottable* ChartLayer::Plottable(SeriesId id) const {
  const Series& series = At(id);
  if (series.graph) return series.graph;
  if (series.line) return series.line;
  return series.bars;
}

int ChartLayer::PointCount(SeriesId id) const {
  const Series& series = At(id);
  switch (series.kind) {
    case SeriesKind::Markers:
    case SeriesKind::FastLine:
      if (series.line) {
        return series.line->Points() ? static_cast<int>(series.line->Points()->Size()) : 0;
      }
      return series.data->size();
    case SeriesKind::Bars: return series.bars->data()->size();
    case SeriesKind::Pie: return series.pie->count();
  }
  return 0;
}

ChartPoint ChartLayer::Point(SeriesId id, int index) const {
  const Series& series = At(id);
  assert(index >= 0 && index < PointCount(id));
  ChartPoint point;
  switch (series.kind) {
    case SeriesKind::Markers:
    case SeriesKind::FastLine: {
      if (series.line) {
        const QPointF at = series.line->Points()->At(static_cast<size_t>(index));
        point.x = at.x();
        point.y = at.y();
        point.colour = series.colour;
        break;
      }
      const auto it = series.data->at(index);
      point.x = it->key;
      point.y = it->value;
      point.colour = series.colour;
      break;
    }
    case SeriesKind::Bars: {
      const auto it = series.bars->data()->at(index);
      point.x = it->key;
      point.y = it->value;
      point.colour = series.bars->BarColour(index);
      break;
    }
    case SeriesKind::Pie: {
      QPieSlice* slice = series.pie->slices().at(index);
      point.x = index;
      point.y = slice->value();
      point.label = slice->label();
      point.colour = slice->color().rgb() & 0xFFFFFF;
      break;
    }
  }
  return point;
}

QCPRange ChartLayer::AxisRange(QCustomPlot* plot, ChartAxis axis) {
  Plot& state = PlotOf(plot);
  if (state.dirty) UpdateAutomaticAxes(state);
  return state.set[axis == ChartAxis::Bottom ? 0 : 1];
}

QStringList ChartLayer::LegendTexts(QCustomPlot* plot) const {
  QStringList texts;
  if (!plot->legend->visible()) return texts;
  for (int i = 0; i < plot->legend->itemCount(); ++i) {
    if (auto* item = qobject_cast<QCPPlottableLegendItem*>(plot->legend->item(i))) {
      texts << item->plottable()->name();
    }
  }
  return texts;
}

QStringList ChartLayer::PieLegendTexts(SeriesId id) const {
  QStringList texts;
  const PieLegend* legend = At(id).pieChart ? At(id).pieChart->Legend() : nullptr;
  if (legend == nullptr || legend->isHidden()) return texts;
  for (const PieLegend::Entry& entry : legend->Entries()) texts << entry.text;
  return texts;
}

bool ChartLayer::PieDrawsSlices(SeriesId id) const {
  const Series& series = At(id);
  return series.pie && series.pie->isVisible() && series.pie->sum() > 0;
}

}  // namespace sorimu
