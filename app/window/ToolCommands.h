#pragma once

#include <QString>
#include <functional>

#include "RememberedInputs.h"
#include "RunSnapshot.h"

class QWidget;

namespace sorimu {

class AnalysisDialog;
class Dialogs;
class FigureSheetDialog;
class JobService;
class ResultCharts;
class MainPresenter;
class Session;
class TEstimateBox;
class THallDataBox;

// The ツール menu: the many-run analysis, the figure sheet and the hall's
// data (実戦データ), which play or work out machines of their own, and the
// setting estimate, 期待収支 and the
// CSV and picture exports of the run on display. The main window binds its
// entries here; the dialogs are made on first use and kept.
class ToolCommands {
 public:
  ToolCommands(QWidget* window, Dialogs& dialogs, JobService& jobs, MainPresenter& presenter,
               ResultCharts& charts);
  ~ToolCommands();
  ToolCommands(const ToolCommands&) = delete;
  ToolCommands& operator=(const ToolCommands&) = delete;

  void Analysis();
  void FigureSheet();
  void Estimate();
  void Hall();
  void Csv();
  void Image();

  // Another run is on display: what was worked out of the one before goes.
  void RunShown(const RunRef& run);
  // What the dialogs start from when they are made; what they hold now, or
  // what they would have started from.
  void Restore(const RememberedInputs& inputs);
  void Collect(RememberedInputs& inputs) const;

  AnalysisDialog* AnalysisWindow() const { return analysis_; }
  FigureSheetDialog* FigureSheetWindow() const { return figureSheet_; }
  TEstimateBox* EstimateBox() const { return estimate_; }
  THallDataBox* HallBox() const { return hall_; }

 private:
  // The estimate and the lists must describe what the views show.
  bool ShownRowsAvailable();
  bool SomethingShown() const;
  const Session& CurrentSession() const;
  // The estimate and the hall's data start from one prior: a prior typed
  // in either is the other's too.
  void SharePrior(const QString& text);

  QWidget* window_;
  Dialogs& dialogs_;
  JobService& jobs_;
  MainPresenter& presenter_;
  ResultCharts& charts_;
  RememberedInputs remembered_;
  AnalysisDialog* analysis_ = nullptr;
  FigureSheetDialog* figureSheet_ = nullptr;
  TEstimateBox* estimate_ = nullptr;
  THallDataBox* hall_ = nullptr;
  QString csvName_;  // each dialog offers its last choice again
  QString imageName_;
};

}  // namespace sorimu
