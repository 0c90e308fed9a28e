#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

class QSettings;

// What a window keeps of its session in the per-user settings, and how it
// gets it back. Only values the window itself would accept come back: a key
// that is missing, of another type or out of range is passed over, so a
// damaged settings file never stops the window opening, nor shows a box.
namespace sorimu {

class AnalysisDialog;
class MainFormLayout;
class TEstimateBox;

// The four input boxes and the setting ("inputs/..."), the checked marker
// boxes ("markers/<box name>").
void RestoreInputs(const QSettings& settings, MainFormLayout& form);
void RememberInputs(QSettings& settings, const MainFormLayout& form);

// The analysis dialog's counts, stocks and setting ("analysis/..."). Its seed
// is not kept: each session starts from a fresh one, so that two analyses
// are not the same runs unless the user types the seed again.
void RestoreAnalysisInputs(const QSettings& settings, AnalysisDialog& dialog);
void RememberAnalysisInputs(QSettings& settings, const AnalysisDialog& dialog);

// The setting estimate's prior ("estimate/prior", as typed) and the next
// games' count and draws ("estimate/nextGames", "estimate/nextDraws"); the
// seed is not kept, as the analysis dialog's is not.
void RestoreEstimateInputs(const QSettings& settings, TEstimateBox& box);
void RememberEstimateInputs(QSettings& settings, const TEstimateBox& box);

// The window's top left corner ("window/position"), when a window of `size`
// placed there could still be taken by its title bar on one of `screens`
// (their available areas): a screen unplugged since must not leave it out of reach.
std::optional<QPoint> StoredPosition(const QSettings& settings, QSize size,
                                     const QList<QRect>& screens);
void RememberPosition(QSettings& settings, QPoint position);

}  // namespace sorimu
