#pragma once

#include <QObject>

namespace sorimu {

class MainFormLayout;
class MainPresenter;
class ResultCharts;

// The main window's inputs bound to the presenter both ways: what the user
// types or checks goes to the presenter, and what the presenter holds (an
// opened file's header, the setting check, a remembered session) comes back
// into the boxes, with the marker boxes' series switched on the slump graph.
class InputBinding final : public QObject {
  Q_OBJECT

 public:
  InputBinding(QObject* parent, MainFormLayout& ui, MainPresenter& presenter);
  // The boxes and the charts as the presenter holds them, the boxes taking
  // no input while a command works.
  void Draw();

 private:
  MainFormLayout& ui_;
  MainPresenter& presenter_;
};

}  // namespace sorimu
