#include "ResultCharts.h"

#include <QChartView>
#include <QLabel>
#include <QtCharts/QChart>
#include <algorithm>
#include <array>
#include <memory>

#include "BalanceBands.h"
#include "ChartData.h"
#include "ChartLayer.h"
#include "ChartTexts.h"
#include "ColouredBars.h"
#include "FanSeries.h"
#include "PieChart.h"
#include "ResultStats.h"
#include "RowLine.h"
#include "RunRecords.h"

namespace sorimu {

namespace {

const QString kHint = QString::fromUtf8(charttext::kZoomHint);
constexpr QRgb kSilver = 0xC0C0C0;
constexpr QRgb kWhite = 0xFFFFFF;
constexpr QRgb kExpectedLineColour = 0x008000;  // green: no series of the slump graph uses it
constexpr QRgb kForecastColour = 0x2060C0;      // blue, apart from the red run and the green line
// The bars' value marks: small enough to stand over bars of an 8000-game run.
constexpr int kMarkPixels = 10;

QBrush VerticalGradient(QRgb top, QRgb bottom) {
  QLinearGradient gradient(0, 0, 0, 1);
  gradient.setCoordinateMode(QGradient::ObjectMode);
  gradient.setColorAt(0, QColor::fromRgb(top));
  gradient.setColorAt(1, QColor::fromRgb(bottom));
  return QBrush(gradient);
}

// A plot with a left-aligned title row and whole-number axis labels.
QCustomPlot* NewPlot(QWidget* parent, const QString& name, const QString& bottomTitle,
                     const QString& leftTitle, const QBrush& background) {
  auto* plot = new QCustomPlot(parent);
  plot->setObjectName(name);
  plot->setBackground(background);
  plot->axisRect()->setBackground(Qt::white);
  plot->plotLayout()->insertRow(0);
  auto* title = new QCPTextElement(plot, QString::fromUtf8(charttext::kSlumpTitle));
  title->setTextFlags(Qt::AlignLeft | Qt::AlignVCenter);
  QFont font = title->font();
  font.setBold(true);
  title->setFont(font);
  plot->plotLayout()->addElement(0, 0, title);
  plot->xAxis->setLabel(bottomTitle);
  plot->yAxis->setLabel(leftTitle);
  for (QCPAxis* axis : {plot->xAxis, plot->yAxis}) {
    axis->setNumberFormat(QStringLiteral("f"));
    axis->setNumberPrecision(0);
  }
  return plot;
}

PieChart* NewPie(QWidget* page, const QString& name) {
  auto* pie = new PieChart(page);
  pie->setObjectName(name);
  QChart* chart = pie->Chart();
  chart->setTitle(QString());
  chart->setAnimationOptions(QChart::NoAnimation);
  chart->setBackgroundRoundness(0);
  chart->setMargins(QMargins(2, 2, 2, 2));
  pie->View()->setRenderHint(QPainter::Antialiasing);
  return pie;
}

}  // namespace

struct ResultCharts::Impl {
  ChartLayer layer;
  QCustomPlot* slump = nullptr;
  QCustomPlot* bars = nullptr;
  QLabel* hint = nullptr;
  PieChart* ren3 = nullptr;
  PieChart* ren = nullptr;
  PieChart* koyaku = nullptr;
  PieChart* rtCancel = nullptr;

  SeriesId slumpSeries = -1;
  SeriesId expectedSeries = -1;
  SeriesId barSeries = -1;
  std::unique_ptr<FanSeries> forecast;
  int32_t slumpGames = 24;  // the bottom axis's end without the fan
  std::array<SeriesId, kMarkerSeriesCount> markers{};
  SeriesId ren3Series = -1;
  SeriesId renSeries = -1;
  SeriesId koyakuSeries = -1;
  SeriesId rtCancelSeries = -1;

  std::shared_ptr<const RunRecords> rows;  // of the run shown, for its markers

  void BuildSlumpChart(QWidget* window);
  void BuildBarChart(QWidget* window);
  // Fills the marker series whose bits are set in `wanted` from `rows`.
  void FillMarkers(uint32_t wanted);

  template <size_t N>
  void FillPie(SeriesId pie, const std::array<PieSlice, N>& slices) {
    for (size_t i = 0; i < N; ++i) {
      layer.AddPoint(pie, static_cast<double>(i), slices[i].value,
                     QString::fromUtf8(slices[i].label), slices[i].colour);
    }
  }
};

void ResultCharts::Impl::BuildSlumpChart(QWidget* window) {
  slump = NewPlot(window, QStringLiteral("SlumpChart"), QStringLiteral("play"),
                  QStringLiteral("Medal"), VerticalGradient(kSilver, kWhite));
  // The line first, so the markers are drawn over it.
  slumpSeries = layer.AddRowLineSeries(slump, QStringLiteral("SlumpSeries"), kSlumpLineColour, 2);
  // Dashed over the run's own line, so that both stay readable where they meet.
  expectedSeries = layer.AddLegendLineSeries(slump, QStringLiteral("ExpectedSeries"), QString(),
                                             kExpectedLineColour, 2, Qt::DashLine);
  layer.SetActive(expectedSeries, false);
  for (int i = 0; i < kMarkerSeriesCount; ++i) {
    const MarkerSeriesStyle& style = kMarkerSeriesStyles[static_cast<size_t>(i)];
    markers[static_cast<size_t>(i)] =
        layer.AddMarkerSeries(slump, QString::fromUtf8(style.name),
                              QString::fromUtf8(style.legendText), style.shape, style.colour);
    layer.SetActive(markers[static_cast<size_t>(i)], false);
  }
  // Under the markers, which stay readable through its bands.
  forecast = std::make_unique<FanSeries>(layer, slump, QStringLiteral("Forecast"),
                                         QColor::fromRgb(kForecastColour),
                                         FanTexts{QString::fromUtf8(charttext::kForecastOuter),
                                                  QString::fromUtf8(charttext::kForecastInner),
                                                  QString::fromUtf8(charttext::kForecastMedian)});
  forecast->SetActive(false);
  layer.SetAxisRange(slump, ChartAxis::Bottom, 0, 24);
  layer.SetAxisAutomatic(slump, ChartAxis::Left);
  layer.SetIntegerTicks(slump, ChartAxis::Bottom);
  layer.SetIntegerTicks(slump, ChartAxis::Left);
  layer.SetLegendVisible(slump, true);
  layer.EnableZoomAndScroll(slump, true);
}

void ResultCharts::Impl::BuildBarChart(QWidget* window) {
  bars =
      NewPlot(window, QStringLiteral("SlumpChart2"), QString::fromUtf8(charttext::kBarsAxisBonuses),
              QString::fromUtf8(charttext::kBarsAxisGames), VerticalGradient(kWhite, kSilver));
  barSeries = layer.AddBarSeries(bars, QStringLiteral("SlumpBSeries"), kWhite);
  QFont markFont = bars->font();
  markFont.setPixelSize(kMarkPixels);
  auto* coloured = static_cast<ColouredBars*>(layer.Plottable(barSeries));
  coloured->SetMarkFont(markFont);
  layer.SetAxisAutomatic(bars, ChartAxis::Bottom);
  layer.SetAxisAutomatic(bars, ChartAxis::Left);
  // Half a bar each side, so the first and last bars are whole (the layer
  // adds the room their marks need).
  layer.SetAxisPadding(bars, ChartAxis::Bottom, 0.5);
  layer.SetIntegerTicks(bars, ChartAxis::Bottom);
  layer.SetIntegerTicks(bars, ChartAxis::Left);
  // One label per bar while they are few.
  bars->xAxis->ticker()->setTickCount(12);
  layer.SetLegendVisible(bars, false);
  layer.EnableZoomAndScroll(bars, false);

  // The hint sits in the title row, just right of the title.
  hint = new QLabel(kHint, bars);
  hint->setObjectName(QStringLiteral("Label5"));
  QFont titleFont = bars->font();
  titleFont.setBold(true);
  const int titleWidth =
      QFontMetrics(titleFont).horizontalAdvance(QString::fromUtf8(charttext::kSlumpTitle));
  hint->move(titleWidth + 24, 2);
  hint->adjustSize();
}

ResultCharts::ResultCharts(QWidget* window, QWidget* ren3Page, QWidget* renPage,
                           QWidget* koyakuPage, QWidget* rtCancelPage)
    : impl_(new Impl) {
  impl_->BuildBarChart(window);
  impl_->BuildSlumpChart(window);
  impl_->ren3 = NewPie(ren3Page, QStringLiteral("Ren3Chart"));
  impl_->ren = NewPie(renPage, QStringLiteral("RenChart"));
  impl_->koyaku = NewPie(koyakuPage, QStringLiteral("KoyakuChart"));
  impl_->rtCancel = NewPie(rtCancelPage, QStringLiteral("RTCancelChart"));
  impl_->ren3Series = impl_->layer.AddPieSeries(impl_->ren3, QStringLiteral("Ren3Series"));
  impl_->renSeries = impl_->layer.AddPieSeries(impl_->ren, QStringLiteral("RenSeries"));
  impl_->koyakuSeries = impl_->layer.AddPieSeries(impl_->koyaku, QStringLiteral("KoyakuSeries"));
  impl_->rtCancelSeries =
      impl_->layer.AddPieSeries(impl_->rtCancel, QStringLiteral("RTCancelSeries"));
}

ResultCharts::~ResultCharts() { delete impl_; }

QWidget* ResultCharts::SlumpChart() const { return impl_->slump; }
QWidget* ResultCharts::SlumpChart2() const { return impl_->bars; }
QWidget* ResultCharts::Ren3Chart() const { return impl_->ren3; }
QWidget* ResultCharts::RenChart() const { return impl_->ren; }
QWidget* ResultCharts::KoyakuChart() const { return impl_->koyaku; }
QWidget* ResultCharts::RTCancelChart() const { return impl_->rtCancel; }
ChartLayer& ResultCharts::Layer() { return impl_->layer; }
const ChartLayer& ResultCharts::Layer() const { return impl_->layer; }

void ResultCharts::ClearSeries() {
  ChartLayer& layer = impl_->layer;
  layer.Clear(impl_->slumpSeries);
  layer.Clear(impl_->expectedSeries);
  impl_->forecast->Clear();
  impl_->forecast->SetActive(false);
  layer.Clear(impl_->barSeries);
  for (SeriesId marker : impl_->markers) layer.Clear(marker);
  impl_->rows = nullptr;
  for (SeriesId pie :
       {impl_->koyakuSeries, impl_->ren3Series, impl_->rtCancelSeries, impl_->renSeries}) {
    layer.Clear(pie);
  }
}

void ResultCharts::SetSlumpAxis(int32_t totalGames) {
  impl_->slumpGames = totalGames;
  impl_->layer.SetAxisRange(impl_->slump, ChartAxis::Bottom, 1, totalGames);
}

RunChartPoints ResultCharts::CollectPoints(const std::shared_ptr<const RunRecords>& records) {
  RunChartPoints points;
  ForEachMarkedRow(
      *records, [](int, int32_t, int32_t) {},
      [&](int32_t k, int32_t height, uint32_t colour) {
        points.bars.push_back({k, height, colour});
      });
  points.rows = records;
  points.slump = LinePoints::NormalGames(records);
  return points;
}

void ResultCharts::AddRunPoints(std::shared_ptr<const RunRecords> records) {
  RunChartPoints points = CollectPoints(records);
  AddRunPoints(points);
}

void ResultCharts::AddRunPoints(RunChartPoints& points) {
  ChartLayer& layer = impl_->layer;
  for (const RunChartPoints::Bar& bar : points.bars) {
    layer.AddPoint(impl_->barSeries, bar.k, bar.height, QString(), bar.colour);
  }
  impl_->rows = std::move(points.rows);
  uint32_t active = 0;
  for (int i = 0; i < kMarkerSeriesCount; ++i) active |= MarkerActive(i) ? 1u << i : 0u;
  impl_->FillMarkers(active);
}

void ResultCharts::Impl::FillMarkers(uint32_t wanted) {
  if (rows == nullptr || wanted == 0) return;
  const auto isWanted = [wanted](int series) { return series >= 0 && (wanted >> series & 1u); };
  // Counted first so that each series is handed over in one block of exactly
  // its size; a million plums would otherwise grow by doubling.
  std::array<qsizetype, kMarkerSeriesCount> counts{};
  rows->ForEachRowSpan([&](const RunRow* span, size_t count) {
    for (size_t i = 0; i < count; ++i) {
      const int series = MarkerSeriesOf(span[i]);
      if (isWanted(series)) ++counts[static_cast<size_t>(series)];
    }
  });
  std::array<XYPoints, kMarkerSeriesCount> points;
  for (size_t i = 0; i < points.size(); ++i) points[i].Reserve(counts[i]);
  ForEachMarkedRow(
      *rows,
      [&](int series, int32_t x, int32_t y) {
        if (isWanted(series)) points[static_cast<size_t>(series)].Add(x, y);
      },
      [](int32_t, int32_t, uint32_t) {});
  for (int i = 0; i < kMarkerSeriesCount; ++i) {
    if (isWanted(i))
      layer.AddPoints(markers[static_cast<size_t>(i)], std::move(points[static_cast<size_t>(i)]));
  }
}

void ResultCharts::AddSlumpLine(std::shared_ptr<const RunRecords> records) {
  AddSlumpLine(LinePoints::NormalGames(std::move(records)));
}

void ResultCharts::AddSlumpLine(std::shared_ptr<const LinePoints> line) {
  impl_->layer.SetLinePoints(impl_->slumpSeries, std::move(line));
}

void ResultCharts::FillRen3Pie(const ResultStats& stats) {
  impl_->FillPie(impl_->ren3Series, Ren3PieSlices(stats));
}

void ResultCharts::FillRenPie(const ResultStats& stats) {
  impl_->FillPie(impl_->renSeries, RenPieSlices(stats));
}

void ResultCharts::FillKoyakuPie(const ResultStats& stats) {
  impl_->FillPie(impl_->koyakuSeries, KoyakuPieSlices(stats));
}

void ResultCharts::FillRTCancelPie(const ResultStats& stats) {
  impl_->FillPie(impl_->rtCancelSeries, RTCancelPieSlices(stats));
}

void ResultCharts::SetExpectedLine(XYPoints&& points, const QString& legendText) {
  ChartLayer& layer = impl_->layer;
  layer.Clear(impl_->expectedSeries);
  layer.AddPoints(impl_->expectedSeries, std::move(points));
  layer.SetLegendText(impl_->expectedSeries, legendText);
}

void ResultCharts::ClearExpectedLine() { impl_->layer.Clear(impl_->expectedSeries); }

void ResultCharts::SetExpectedLineActive(bool active) {
  impl_->layer.SetActive(impl_->expectedSeries, active);
}

bool ResultCharts::ExpectedLineActive() const { return impl_->layer.Active(impl_->expectedSeries); }

void ResultCharts::SetForecastFan(const BalanceBands& fan, int32_t fromGames, int32_t fromBalance) {
  impl_->forecast->Fill(fan, fromGames, fromBalance);
  impl_->forecast->SetActive(true);
  const int32_t ahead = fan.Games.empty() ? 0 : fan.Games.back();
  impl_->layer.SetAxisRange(
      impl_->slump, ChartAxis::Bottom, 1,
      std::max<double>(impl_->slumpGames, static_cast<double>(fromGames) + ahead));
}

void ResultCharts::ClearForecastFan() {
  if (impl_->forecast->Empty()) return;
  impl_->forecast->Clear();
  impl_->forecast->SetActive(false);
  impl_->layer.SetAxisRange(impl_->slump, ChartAxis::Bottom, 1, impl_->slumpGames);
}

const FanSeries& ResultCharts::ForecastFan() const { return *impl_->forecast; }

void ResultCharts::SetMarkerActive(int markerSeries, bool active) {
  if (markerSeries < 0 || markerSeries >= kMarkerSeriesCount) return;
  const SeriesId series = impl_->markers[static_cast<size_t>(markerSeries)];
  // A hidden series holds no points: at ten million games the markers of
  // every kind would cost the window more than all the rest it draws.
  if (active && impl_->layer.PointCount(series) == 0) {
    impl_->FillMarkers(1u << markerSeries);
  } else if (!active) {
    impl_->layer.Clear(series);
  }
  impl_->layer.SetActive(series, active);
}

bool ResultCharts::MarkerActive(int markerSeries) const {
  if (markerSeries < 0 || markerSeries >= kMarkerSeriesCount) return false;
  return impl_->layer.Active(impl_->markers[static_cast<size_t>(markerSeries)]);
}

}  // namespace sorimu
