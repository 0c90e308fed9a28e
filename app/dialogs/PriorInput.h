#pragma once

#include <QString>
#include <optional>

#include "SettingEstimate.h"

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace sorimu {

// The hall's mix of settings (設定配分) as every box that weighs an estimate
// with it takes it: the caption, the edit and a button back to an even mix
// in one row, and a message, placed by the box, while the text makes no mix.
struct PriorInput {
  QLineEdit* Edit = nullptr;
  QPushButton* UniformButton = nullptr;
  QLabel* Message = nullptr;
  QHBoxLayout* Row = nullptr;
};

// An even mix, as the edit shows it.
QString UniformPriorText();

// The controls on `page`, named `prefix` + "PriorEdit", "UniformButton" and
// "PriorMessageLabel", for the tests and the manual's pictures.
PriorInput NewPriorInput(QWidget* page, const char* prefix);

// The mix `text` makes, or nothing; `message` shows while it makes none (a
// text on its way to a valid one is no reason to lose the estimate shown).
std::optional<SettingWeights> ReadPriorText(QLabel* message, const QString& text);

}  // namespace sorimu
