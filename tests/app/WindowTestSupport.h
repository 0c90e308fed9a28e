#pragma once

#include <QApplication>
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QtTest>
#include <chrono>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "ChartLayer.h"
#include "JobService.h"
#include "Named.h"
#include "RunRecords.h"
#include "Unit1.h"
#include "desktop/Dialogs.h"
#include "desktop/Shell.h"

// The tests speak of the project's types by their plain names.
using namespace sorimu;

namespace sorimu {
struct BalanceBands;
struct ResultList;
class FanSeries;
}  // namespace sorimu

class QTableWidget;
class QTreeWidget;

// Answers the window's boxes and dialogs without showing any.
class FakeDialogs final : public Dialogs {
 public:
  enum class Box { Error, ApplicationError };
  struct Shown {
    Box box;
    QString message;
  };

  void Error(QWidget*, const QString& message) override { shown.push_back({Box::Error, message}); }
  void ApplicationError(QWidget*, const QString& message) override {
    shown.push_back({Box::ApplicationError, message});
  }
  // An empty queue answers as a cancelled dialog.
  std::optional<QString> AskOpenPath(QWidget*, const QString& offered) override {
    return Answer(openAnswers, offeredOpen, offered);
  }
  std::optional<QString> AskSavePath(QWidget*, const QString& offered) override {
    return Answer(saveAnswers, offeredSave, offered);
  }
  std::optional<ImageChoice> AskImagePath(QWidget* parent, const QString& offered) override {
    const std::optional<QString> path = AskSavePath(parent, offered);
    if (!path) return std::nullopt;
    return ImageChoice{*path, imageScale};
  }
  void ShowModal(QDialog& dialog) override { modal.push_back(&dialog); }
  // An empty queue answers はい.
  bool Confirm(QWidget*, const QString& question) override {
    asked << question;
    if (confirmAnswers.empty()) return true;
    const bool answer = confirmAnswers.front();
    confirmAnswers.pop_front();
    return answer;
  }

  std::vector<Shown> shown;
  int imageScale = 1;  // the scale every picture is asked for at
  std::deque<QString> openAnswers;
  std::deque<QString> saveAnswers;
  QStringList offeredOpen;
  QStringList offeredSave;
  std::vector<QDialog*> modal;
  std::deque<bool> confirmAnswers;
  QStringList asked;

 private:
  static std::optional<QString> Answer(std::deque<QString>& answers, QStringList& offers,
                                       const QString& offered) {
    offers << offered;
    if (answers.empty()) return std::nullopt;
    QString answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

class FakeShell final : public Shell {
 public:
  void OpenFile(const QString& path, const QStringList& arguments) override {
    files.push_back({path, arguments});
  }
  bool OpenUrl(const QUrl& url) override {
    urls.push_back(url);
    return opens;
  }

  std::vector<std::pair<QString, QStringList>> files;
  std::vector<QUrl> urls;
  bool opens = true;  // false: a desktop with nothing to open a page with
};

// A control of the main window by its object name.
template <typename T>
T* Find(QMainWindow& form, const char* name) {
  T* found = FindNamed<T>(form, name);
  if (found == nullptr) qFatal("no control named %s", name);
  return found;
}

// What the window shows and holds, read as a user or the window's own code would.
QString StatusText(QMainWindow& form);
const RunRecords& Records(const TMainForm& form);
class ResultListViewData& ListModel(QMainWindow& form);
// Waits until the command under way is over and its run shown.
void WaitIdle(const TMainForm& form);

// A window with a fixed machine and fake services, driven through its controls.
struct WindowFixture {
  explicit WindowFixture(uint32_t seed = 20240601,
                         std::chrono::milliseconds longRunAfter = std::chrono::milliseconds(500))
      : form(WindowServices{.dialogs = dialogs,
                            .shell = shell,
                            .seed = seed,
                            .longRunAfter = longRunAfter,
                            .jobs = &jobs}),
        seed(seed) {
    form.show();
  }

  void SetInputs(const QString& play, const QString& flevel, const QString& sim = "1",
                 const QString& big = "255", const QString& reg = "255");
  // The Start button, as a user clicks it, and the wait for its run to be shown.
  void Start();

  template <typename T>
  T* Find(const char* name) {
    return ::Find<T>(form, name);
  }

  JobService jobs;
  FakeDialogs dialogs;
  FakeShell shell;
  TMainForm form;
  uint32_t seed;
};

// The texts of a list's items, cells joined by "|".
QStringList ListTexts(const QTreeWidget* view);
// `list`, when given, says the form each column shows its figures in.
QStringList TableTexts(const std::vector<std::vector<std::string>>& rows,
                       const sorimu::ResultList* list = nullptr);
// A table as shown: the header, then every row, cells joined by "|".
QStringList ShownTable(const QTableWidget* table);

// Where a fan's series differ from `bands` moved to start at (x0, y0), as
// FanSeries::Fill draws them; empty when they do not.
QString FanMismatch(const ChartLayer& layer, const FanSeries& fan, const BalanceBands& bands,
                    double x0, double y0);

QByteArray FileBytes(const QString& path);
// The bytes a save of these records with this header would write.
QByteArray SimBytes(int32_t flevel, int32_t games, const RunRecords& records);

// Sets what every window test needs before the application exists.
#define SORIMU_WINDOW_TEST_MAIN(TestClass)                       \
  int main(int argc, char* argv[]) {                             \
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs); \
    QApplication app(argc, argv);                                \
    QApplication::setApplicationName(QStringLiteral("Sorimu"));  \
    TestClass test;                                              \
    return QTest::qExec(&test, argc, argv);                      \
  }
