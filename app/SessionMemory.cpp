#include "SessionMemory.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSettings>
#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>

#include "AnalysisDialog.h"
#include "AnalysisInputs.h"
#include "EstimateBox.h"
#include "InputText.h"
#include "MainFormLayout.h"
#include "NextGamesPanel.h"
#include "Setting.h"
#include "StartChecks.h"

namespace sorimu {

namespace {

// Longer than any number the boxes accept; a longer stored text is not read.
constexpr qsizetype kMaxStoredText = 64;
// How much of a window's top edge must lie on a screen to be taken and moved.
constexpr int kGrabWidth = 100;
constexpr int kGrabHeight = 20;
// Beyond any desktop; keeps the rectangle arithmetic below clear of overflow.
constexpr int kFarthestCorner = 1 << 20;

const QString kPositionKey = QStringLiteral("window/position");
const QString kSettingKey = QStringLiteral("inputs/setting");
const QString kAnalysisSettingKey = QStringLiteral("analysis/setting");
const QString kAllSettingsText = QStringLiteral("all");
const QString kPriorKey = QStringLiteral("estimate/prior");
// Six weights with their commas and spaces; room for long decimals.
constexpr qsizetype kMaxPriorText = 256;

std::optional<std::string> StoredText(const QSettings& settings, const QString& key,
                                      qsizetype longest = kMaxStoredText) {
  const QVariant value = settings.value(key);
  if (value.typeId() != QMetaType::QString) return std::nullopt;
  const QString text = value.toString();
  if (text.size() > longest) return std::nullopt;
  return text.toStdString();
}

std::optional<bool> StoredBool(const QSettings& settings, const QString& key) {
  const QVariant value = settings.value(key);
  if (value.typeId() == QMetaType::Bool) return value.toBool();
  // A settings file holds "true" and "false"; anything else means nothing.
  if (value.typeId() != QMetaType::QString) return std::nullopt;
  if (value.toString() == QLatin1String("true")) return true;
  if (value.toString() == QLatin1String("false")) return false;
  return std::nullopt;
}

// The input boxes with the field of the Start check that reads each.
struct StartBox {
  const char* key;
  QLineEdit* MainFormLayout::*box;
  std::string StartTexts::*text;
};
constexpr StartBox kStartBoxes[] = {
    {"inputs/playNum", &MainFormLayout::PlayNumEdit, &StartTexts::PlayNum},
    {"inputs/simNum", &MainFormLayout::SimNumEdit, &StartTexts::SimNum},
    {"inputs/bigStock", &MainFormLayout::BigStockEdit, &StartTexts::BigStock},
    {"inputs/regStock", &MainFormLayout::RegStockEdit, &StartTexts::RegStock},
};

// Whether Start would take `text` in the field `field`, the others as they start.
bool StartAccepts(std::string StartTexts::*field, const std::string& text) {
  StartTexts texts;
  texts.*field = text;
  return CheckStartInputs(texts).status.Ok();
}

QList<QCheckBox*> MarkerBoxes(const MainFormLayout& form) {
  return {form.BIGCheckBox,      form.REGCheckBox,      form.Cherry2CheckBox,
          form.Cherry4aCheckBox, form.Cherry4bCheckBox, form.CherryNCheckBox,
          form.PlumCheckBox,     form.BellCheckBox,     form.HazureCheckBox};
}

QString MarkerKey(const QCheckBox* box) { return QStringLiteral("markers/") + box->objectName(); }

struct AnalysisBox {
  const char* key;
  QLineEdit* AnalysisDialog::*box;
  std::string AnalysisTexts::*text;
};
constexpr AnalysisBox kAnalysisBoxes[] = {
    {"analysis/games", &AnalysisDialog::GamesEdit, &AnalysisTexts::Games},
    {"analysis/trials", &AnalysisDialog::TrialsEdit, &AnalysisTexts::Trials},
    {"analysis/bigStock", &AnalysisDialog::BigStockEdit, &AnalysisTexts::BigStock},
    {"analysis/regStock", &AnalysisDialog::RegStockEdit, &AnalysisTexts::RegStock},
};

bool AnalysisAccepts(std::string AnalysisTexts::*field, const std::string& text) {
  AnalysisTexts texts;
  texts.*field = text;
  return ReadAnalysisRequest(texts).status.Ok();
}

// The next games' boxes with the range their count must lie in.
struct NextGamesBox {
  const char* key;
  QLineEdit* NextGamesPanel::*box;
  int32_t maximum;
};
constexpr NextGamesBox kNextGamesBoxes[] = {
    {"estimate/nextGames", &NextGamesPanel::GamesEdit, kMaxNextGames},
    {"estimate/nextDraws", &NextGamesPanel::DrawsEdit, kMaxNextDraws},
};

bool CountAccepted(const std::string& text, int32_t maximum) {
  return ParseCount(text, 1, maximum, "").status.Ok();
}

// The setting list holds the levels, then every setting.
constexpr int kAllSettingsIndex = kSettingCount;

}  // namespace

void RestoreInputs(const QSettings& settings, MainFormLayout& form) {
  for (const StartBox& input : kStartBoxes) {
    const std::optional<std::string> text = StoredText(settings, QLatin1String(input.key));
    if (text && StartAccepts(input.text, *text)) {
      (form.*input.box)->setText(QString::fromStdString(*text));
    }
  }
  if (const std::optional<std::string> level = StoredText(settings, kSettingKey);
      level && StartAccepts(&StartTexts::Flevel, *level)) {
    form.FlevelComboBox->setEditText(QString::fromStdString(*level));
  }
  for (QCheckBox* box : MarkerBoxes(form)) {
    if (const std::optional<bool> checked = StoredBool(settings, MarkerKey(box))) {
      box->setChecked(*checked);
    }
  }
}

void RememberInputs(QSettings& settings, const MainFormLayout& form) {
  // A text Start would refuse is not worth keeping; the box starts as new.
  auto keep = [&](const QString& key, std::string StartTexts::*field, const QString& text) {
    if (StartAccepts(field, text.toStdString())) {
      settings.setValue(key, text);
    } else {
      settings.remove(key);
    }
  };
  for (const StartBox& input : kStartBoxes) {
    keep(QLatin1String(input.key), input.text, (form.*input.box)->text());
  }
  keep(kSettingKey, &StartTexts::Flevel, form.FlevelComboBox->currentText());
  for (const QCheckBox* box : MarkerBoxes(form))
    settings.setValue(MarkerKey(box), box->isChecked());
}

void RestoreAnalysisInputs(const QSettings& settings, AnalysisDialog& dialog) {
  for (const AnalysisBox& input : kAnalysisBoxes) {
    const std::optional<std::string> text = StoredText(settings, QLatin1String(input.key));
    if (text && AnalysisAccepts(input.text, *text)) {
      (dialog.*input.box)->setText(QString::fromStdString(*text));
    }
  }
  if (const std::optional<std::string> setting = StoredText(settings, kAnalysisSettingKey)) {
    if (*setting == kAllSettingsText.toStdString()) {
      dialog.SettingComboBox->setCurrentIndex(kAllSettingsIndex);
    } else if (const std::optional<Setting> level = ParseSetting(*setting);
               level && !level->Hidden()) {
      dialog.SettingComboBox->setCurrentIndex(static_cast<int>(SettingIndex(level->Level)));
    }
  }
}

void RememberAnalysisInputs(QSettings& settings, const AnalysisDialog& dialog) {
  for (const AnalysisBox& input : kAnalysisBoxes) {
    const QString text = (dialog.*input.box)->text();
    if (AnalysisAccepts(input.text, text.toStdString())) {
      settings.setValue(QLatin1String(input.key), text);
    } else {
      settings.remove(QLatin1String(input.key));
    }
  }
  const int index = dialog.SettingComboBox->currentIndex();
  settings.setValue(kAnalysisSettingKey, index >= 0 && index < kAllSettingsIndex
                                             ? QString::number(index + 1)
                                             : kAllSettingsText);
}

void RestoreEstimateInputs(const QSettings& settings, TEstimateBox& box) {
  if (const std::optional<std::string> prior = StoredText(settings, kPriorKey, kMaxPriorText);
      prior && ParsePrior(*prior)) {
    box.PriorEdit->setText(QString::fromStdString(*prior));
  }
  for (const NextGamesBox& input : kNextGamesBoxes) {
    const std::optional<std::string> text = StoredText(settings, QLatin1String(input.key));
    if (text && CountAccepted(*text, input.maximum)) {
      (box.NextGames->*input.box)->setText(QString::fromStdString(*text));
    }
  }
}

void RememberEstimateInputs(QSettings& settings, const TEstimateBox& box) {
  // The prior in use: the box shows no other once it is closed.
  settings.setValue(kPriorKey, box.PriorText());
  for (const NextGamesBox& input : kNextGamesBoxes) {
    const QString text = (box.NextGames->*input.box)->text();
    if (CountAccepted(text.toStdString(), input.maximum)) {
      settings.setValue(QLatin1String(input.key), text);
    } else {
      settings.remove(QLatin1String(input.key));
    }
  }
}

std::optional<QPoint> StoredPosition(const QSettings& settings, QSize size,
                                     const QList<QRect>& screens) {
  const QVariant value = settings.value(kPositionKey);
  if (value.typeId() != QMetaType::QPoint) return std::nullopt;
  const QPoint position = value.toPoint();
  if (std::abs(position.x()) > kFarthestCorner || std::abs(position.y()) > kFarthestCorner) {
    return std::nullopt;
  }
  const QRect titleBar(position, QSize(size.width(), kGrabHeight));
  for (const QRect& screen : screens) {
    const QRect onScreen = titleBar.intersected(screen);
    if (onScreen.width() >= std::min(kGrabWidth, size.width()) &&
        onScreen.height() >= kGrabHeight) {
      return position;
    }
  }
  return std::nullopt;
}

void RememberPosition(QSettings& settings, QPoint position) {
  settings.setValue(kPositionKey, position);
}

}  // namespace sorimu
