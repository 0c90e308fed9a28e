#include "ExpectedLineSwitch.h"

#include <QCheckBox>
#include <QSignalBlocker>

#include "ChartLayer.h"
#include "MainPresenter.h"
#include "QtText.h"
#include "ResultCharts.h"
#include "WindowTexts.h"

namespace sorimu {

namespace {

bool SameLine(const LineOffer& a, const LineOffer& b) {
  return a.Absence == b.Absence && a.Setting == b.Setting && a.Games == b.Games &&
         a.Start.BigStock == b.Start.BigStock && a.Start.RegStock == b.Start.RegStock &&
         a.Start.FirstGameBets == b.Start.FirstGameBets;
}

QString TipOf(const LineOffer& offer) {
  switch (offer.Absence) {
    case LineAbsence::None: return Text(wintext::kExpectedShownTip).arg(offer.Setting);
    case LineAbsence::NoRun: return Text(wintext::kExpectedNoRunTip);
    case LineAbsence::LevelHidden: return Text(wintext::kExpectedHiddenTip);
    case LineAbsence::NotThisMachine: return Text(wintext::kExpectedForeignTip);
    case LineAbsence::StocksMayRunOut: return Text(wintext::kExpectedStocksTip);
  }
  return QString();
}

}  // namespace

ExpectedLineSwitch::ExpectedLineSwitch(QCheckBox* box, ResultCharts& charts,
                                       MainPresenter& presenter)
    : box_(box), charts_(charts), presenter_(presenter) {
  Offer(offer_);
}

void ExpectedLineSwitch::Displayed(const ShownRun& shown) {
  drawn_ = false;
  Offer(OfferExpectedLine(shown));
}

void ExpectedLineSwitch::Refresh(const ShownRun& shown) {
  const LineOffer offer = OfferExpectedLine(shown);
  if (SameLine(offer, offer_)) return;
  if (drawn_) charts_.ClearExpectedLine();
  drawn_ = false;
  Offer(offer);
}

void ExpectedLineSwitch::Switched() {
  presenter_.SetExpectedLineWanted(box_->isChecked());
  Update();
}

void ExpectedLineSwitch::Offer(const LineOffer& offer) {
  offer_ = offer;
  box_->setEnabled(offer_.Absence == LineAbsence::None);
  box_->setToolTip(TipOf(offer_));
  Update();
}

void ExpectedLineSwitch::Update() {
  const bool shown = presenter_.ExpectedLineWanted() && offer_.Absence == LineAbsence::None;
  if (box_->isChecked() != shown) {
    // What the box shows is drawn here, not a switch of the user's.
    const QSignalBlocker quiet(box_);
    box_->setChecked(shown);
  }
  if (shown && !drawn_) {
    const ExpectedLine line = ComputeExpectedLine(offer_);
    XYPoints points;
    points.Reserve(static_cast<qsizetype>(line.Points.size()));
    for (const LinePoint& point : line.Points) points.Add(point.Games, point.Balance);
    charts_.SetExpectedLine(std::move(points), Text(wintext::kExpectedLegend).arg(line.Setting));
    drawn_ = true;
  }
  charts_.SetExpectedLineActive(shown);
}

}  // namespace sorimu
