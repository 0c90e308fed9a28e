#include "PriorInput.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "InputText.h"
#include "Messages.h"
#include "Named.h"
#include "QtText.h"
#include "WindowTexts.h"

namespace sorimu {

QString UniformPriorText() { return QStringLiteral("1,1,1,1,1,1"); }

PriorInput NewPriorInput(QWidget* page, const char* prefix) {
  const auto name = [prefix](const char* what) {
    return (QString::fromLatin1(prefix) + QString::fromLatin1(what)).toLatin1();
  };
  PriorInput input;
  input.Edit = Named(new QLineEdit(UniformPriorText(), page), name("PriorEdit").constData());
  input.UniformButton =
      Named(new QPushButton(Text(wintext::kPriorUniform), page), name("UniformButton").constData());
  input.UniformButton->setAutoDefault(false);
  input.Message =
      Named(new QLabel(Text(kPriorMessage), page), name("PriorMessageLabel").constData());
  input.Message->setWordWrap(true);
  input.Message->setStyleSheet(QStringLiteral("color: #b00000;"));
  input.Message->hide();
  input.Row = new QHBoxLayout;
  input.Row->addWidget(new QLabel(Text(wintext::kPriorLabel), page));
  input.Row->addWidget(input.Edit, 1);
  input.Row->addWidget(input.UniformButton);
  QLineEdit* edit = input.Edit;
  QObject::connect(input.UniformButton, &QPushButton::clicked, edit,
                   [edit] { edit->setText(UniformPriorText()); });
  return input;
}

std::optional<SettingWeights> ReadPriorText(QLabel* message, const QString& text) {
  const std::optional<SettingWeights> prior = ParsePrior(text.toStdString());
  message->setVisible(!prior);
  return prior;
}

}  // namespace sorimu
