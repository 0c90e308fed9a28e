#include "InputBinding.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <utility>

#include "MainFormLayout.h"
#include "MainPresenter.h"
#include "ResultCharts.h"

namespace sorimu {

namespace {

// The four edits with the input each holds.
struct Edit {
  QLineEdit* MainFormLayout::*box;
  InputField field;
  std::string StartTexts::*text;
};
constexpr Edit kEdits[] = {
    {&MainFormLayout::PlayNumEdit, InputField::PlayNum, &StartTexts::PlayNum},
    {&MainFormLayout::SimNumEdit, InputField::SimNum, &StartTexts::SimNum},
    {&MainFormLayout::BigStockEdit, InputField::BigStock, &StartTexts::BigStock},
    {&MainFormLayout::RegStockEdit, InputField::RegStock, &StartTexts::RegStock},
};

}  // namespace

InputBinding::InputBinding(QObject* parent, MainFormLayout& ui, MainPresenter& presenter)
    : QObject(parent), ui_(ui), presenter_(presenter) {
  // Every change counts, typed or set: the presenter holds what the boxes show.
  for (const Edit& edit : kEdits) {
    connect(ui_.*edit.box, &QLineEdit::textChanged, this,
            [this, field = edit.field](const QString& text) {
              presenter_.SetInput(field, text.toStdString());
            });
  }
  connect(ui_.FlevelComboBox, &QComboBox::editTextChanged, this, [this](const QString& text) {
    presenter_.SetInput(InputField::Flevel, text.toStdString());
  });
  for (int m = 0; m < kMarkerSeriesCount; ++m) {
    connect(ui_.MarkerBoxes[static_cast<size_t>(m)], &QCheckBox::toggled, this,
            [this, m](bool on) { presenter_.SetMarker(m, on); });
  }
}

void InputBinding::Draw() {
  const bool open = presenter_.Commands().inputs;
  for (QWidget* input :
       {static_cast<QWidget*>(ui_.PlayNumEdit), static_cast<QWidget*>(ui_.FlevelComboBox),
        static_cast<QWidget*>(ui_.SimNumEdit), static_cast<QWidget*>(ui_.BigStockEdit),
        static_cast<QWidget*>(ui_.RegStockEdit), static_cast<QWidget*>(ui_.FlevelButton)}) {
    input->setEnabled(open);
  }
  const StartTexts& inputs = presenter_.Inputs();
  for (const Edit& edit : kEdits) {
    const QString text = QString::fromStdString(inputs.*edit.text);
    if ((ui_.*edit.box)->text() != text) (ui_.*edit.box)->setText(text);
  }
  const QString level = QString::fromStdString(inputs.Flevel);
  if (ui_.FlevelComboBox->currentText() != level) ui_.FlevelComboBox->setEditText(level);
  for (int m = 0; m < kMarkerSeriesCount; ++m) {
    const bool on = presenter_.Marker(m);
    QCheckBox* box = ui_.MarkerBoxes[static_cast<size_t>(m)];
    if (box->isChecked() != on) box->setChecked(on);
    if (ui_.Charts->MarkerActive(m) != on) ui_.Charts->SetMarkerActive(m, on);
  }
}

}  // namespace sorimu
