#pragma once

#include <QFrame>
#include <QGroupBox>

namespace sorimu {

// A group box drawn as the layout expects: an etched frame whose top line
// runs through the middle of the title, so that the title takes only the
// box's first text line and contents placed from y = 12 clear it. Qt's
// styles put the title above the frame instead, where it runs into them.
class ClassicGroupBox final : public QGroupBox {
  Q_OBJECT

 public:
  using QGroupBox::QGroupBox;

  // Where the title is drawn, with the gap it cuts in the frame.
  QRect TitleRect() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

// A panel with a lowered outer and a raised inner bevel, one pixel each;
// its contents rectangle is what lies inside both.
class BevelPanel final : public QFrame {
  Q_OBJECT

 public:
  explicit BevelPanel(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace sorimu
