#include "ChartLayer.h"

#include <QPieSeries>
#include <QPieSlice>
#include <QPointer>
#include <QtCharts/QChart>
#include <QtCharts/QLegend>
#include <QtCharts/QLegendMarker>
#include <algorithm>
#include <cassert>

#include "ColouredBars.h"
#include "PlotInteraction.h"

namespace sorimu {

namespace {

// The library's container fills itself point by point and keeps its capacity
// when cleared; a long run wants the points handed over whole and the memory
// given back on the next display.
class GraphData : public QCPGraphDataContainer {
 public:
  void Adopt(QVector<QCPGraphData>&& points) {
    mData = std::move(points);
    mPreallocSize = 0;
    mPreallocIteration = 0;
  }
  void Release() { Adopt(QVector<QCPGraphData>()); }
};

QCPScatterStyle::ScatterShape ShapeOf(MarkerShape shape) {
  switch (shape) {
    case MarkerShape::Diamond: return QCPScatterStyle::ssDiamond;
    case MarkerShape::Triangle: return QCPScatterStyle::ssTriangle;
    case MarkerShape::Circle: return QCPScatterStyle::ssCircle;
  }
  return QCPScatterStyle::ssCircle;
}

constexpr double kMarkerSize = 7;

// A one-game run sets an axis from 1 to 1; the library refuses an empty span,
// so such an axis is shown one unit wide around its value.
QCPRange Shown(const QCPRange& range) {
  if (range.upper - range.lower > 1e-9) return range;
  return QCPRange(range.lower - 0.5, range.upper + 0.5);
}

constexpr double kValueMargin = 0.05;  // of the span, so points do not sit on the frame

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
  QSharedPointer<GraphData> data;
  QCPRange keys;  // of the points in `data`, valid when it holds any
  QCPRange values;
  ColouredBars* bars = nullptr;
  QChart* chart = nullptr;
  QPieSeries* pie = nullptr;
};

struct ChartLayer::Plot {
  QCustomPlot* plot = nullptr;
  bool automatic[2] = {false, false};
  QCPRange set[2];  // as the display set it, or as the active series need it
  bool dirty = false;
  bool legendVisible = false;
  std::unique_ptr<QObject> context;  // ends our connections when the layer goes
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
    if (state->dirty) UpdateAutomaticAxes(*state);
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
  series.graph = plot->addGraph();
  series.graph->setObjectName(name);
  series.graph->setAdaptiveSampling(true);
  series.data = QSharedPointer<GraphData>::create();
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

SeriesId ChartLayer::AddPieSeries(QChart* chart, const QString& name) {
  Series series;
  series.kind = SeriesKind::Pie;
  series.name = name;
  series.chart = chart;
  series.pie = new QPieSeries();
  series.pie->setObjectName(name);
  series.pie->setName(name);
  chart->addSeries(series.pie);
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
  state.automatic[axis == ChartAxis::Bottom ? 0 : 1] = true;
  Changed(plot);
}

void ChartLayer::SetLegendVisible(QCustomPlot* plot, bool visible) {
  Plot& state = PlotOf(plot);
  state.legendVisible = visible;
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
      } else if (series.bars) {
        own = axis == ChartAxis::Bottom ? series.bars->getKeyRange(found)
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
    if (!any) continue;  // nothing to follow: keep what is shown
    if (axis == ChartAxis::Left) {
      const double margin = range.size() > 0 ? range.size() * kValueMargin : 1;
      range.upper += margin;
      if (range.lower < 0) range.lower -= margin;
    }
    state.set[axis == ChartAxis::Bottom ? 0 : 1] = range;
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
  legend->setVisible(state.legendVisible && legend->itemCount() > 0);
  state.plot->replot(QCustomPlot::rpQueuedReplot);
}

void ChartLayer::UpdatePie(Series& series) {
  double total = 0;
  for (const QPieSlice* slice : series.pie->slices()) total += slice->value();
  // With every slice at 0 the library keeps drawing the angles it had before,
  // so such a pie is hidden; its legend entries stay.
  series.pie->setVisible(series.active && total > 0);
  if (QLegend* legend = series.chart->legend()) {
    for (QLegendMarker* marker : legend->markers(series.pie)) marker->setVisible(series.active);
  }
}

void ChartLayer::Clear(SeriesId id) {
  Series& series = At(id);
  switch (series.kind) {
    case SeriesKind::Markers:
    case SeriesKind::FastLine:
      series.data->Release();
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
      assert(label.isEmpty() && (!colour || *colour == series.colour));
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
  assert(series.kind == SeriesKind::Markers || series.kind == SeriesKind::FastLine);
  if (points.data_.isEmpty()) return;
  if (!points.sorted_) {
    std::stable_sort(points.data_.begin(), points.data_.end(),
                     [](const QCPGraphData& a, const QCPGraphData& b) { return a.key < b.key; });
  }
  Merge(series.keys, points.keys_, series.data->isEmpty());
  Merge(series.values, points.values_, series.data->isEmpty());
  if (series.data->isEmpty()) {
    series.data->Adopt(std::move(points.data_));
  } else {
    series.data->add(points.data_, true);
  }
  points.data_ = QVector<QCPGraphData>();
  points.sorted_ = true;
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
  return series.bars;
}

int ChartLayer::PointCount(SeriesId id) const {
  const Series& series = At(id);
  switch (series.kind) {
    case SeriesKind::Markers:
    case SeriesKind::FastLine: return series.data->size();
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

bool ChartLayer::PieDrawsSlices(SeriesId id) const {
  const Series& series = At(id);
  return series.pie && series.pie->isVisible() && series.pie->sum() > 0;
}

}  // namespace sorimu
