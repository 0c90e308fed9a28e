// The main window without widgets: what the presenter allows while its
// commands work as jobs, what they leave in the status, the progress and the
// run shown, and what a stopped or refused command leaves as it was.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "JobService.h"
#include "MainPresenter.h"
#include "Messages.h"
#include "TestSupport.h"

using namespace sorimu;
using testing_support::PostQueue;

namespace {

// A presenter over a seeded session, with hooks that record what the window
// would draw and show, and results coming back through a queue the test drains.
struct Driven {
  explicit Driven(MainPresenter::Clock::duration longRunAfter = std::chrono::hours(1))
      : session(std::make_shared<Session>(4242)),
        presenter(session, jobs, owner.Poster(), longRunAfter) {
    PresenterHooks hooks;
    hooks.changed = [this] { ++changes; };
    hooks.askBatchPath = [this] { return batchPath; };
    hooks.prepare = [this](const RunRef&, Job&) {
      ++prepared;
      return std::make_shared<PreparedShow>();
    };
    hooks.show = [this](const RunRef& run, std::shared_ptr<PreparedShow> views) {
      EXPECT_NE(views, nullptr);
      shown.push_back(run);
    };
    hooks.notify = [this](const Status& status) { notified.push_back(status); };
    presenter.SetHooks(hooks);
  }

  void Type(const char* play, const char* flevel, const char* sim = "1") {
    presenter.SetInput(InputField::PlayNum, play);
    presenter.SetInput(InputField::Flevel, flevel);
    presenter.SetInput(InputField::SimNum, sim);
  }
  bool WaitIdle() {
    return owner.DrainUntil([this] {
      presenter.Tick();
      return !presenter.Busy();
    });
  }

  JobService jobs;
  PostQueue owner;
  std::shared_ptr<Session> session;
  MainPresenter presenter;
  std::optional<std::string> batchPath;
  std::vector<RunRef> shown;
  std::vector<Status> notified;
  int prepared = 0;
  int changes = 0;
};

}  // namespace

TEST(MainPresenter, ARunWorksAsAJobAndTakesNoCommandUntilItIsShown) {
  Driven d;
  EXPECT_FALSE(d.presenter.Commands().save);
  EXPECT_FALSE(d.presenter.Commands().runTools);
  d.Type("200000", "3");
  d.presenter.Start();
  EXPECT_EQ(d.presenter.Phase(), RunPhase::Running);
  EXPECT_EQ(d.presenter.Status(), StatusLine::Running);
  const CommandStates busy = d.presenter.Commands();
  EXPECT_FALSE(busy.inputs || busy.start || busy.open || busy.save || busy.runTools);
  EXPECT_FALSE(busy.cancel) << "not before the run counts as long";
  // What arrives meanwhile is not taken, nor kept for later.
  d.presenter.SetInput(InputField::PlayNum, "5");
  d.presenter.Start();
  d.presenter.Open("/nowhere.sim");
  EXPECT_EQ(d.presenter.Inputs().PlayNum, "200000");

  ASSERT_TRUE(d.WaitIdle());
  d.owner.Drain();
  EXPECT_EQ(d.prepared, 1);
  ASSERT_EQ(d.shown.size(), 1u);
  EXPECT_EQ(d.shown[0], d.session->Current());
  EXPECT_EQ(d.shown[0]->Records.LastRow().PlayCount, 200000);
  EXPECT_EQ(d.presenter.Status(), StatusLine::Done);
  EXPECT_EQ(d.presenter.Progress(), 100);
  EXPECT_TRUE(d.notified.empty());
  const CommandStates idle = d.presenter.Commands();
  EXPECT_TRUE(idle.inputs && idle.start && idle.open && idle.save && idle.runTools);
  EXPECT_FALSE(idle.cancel);
}

TEST(MainPresenter, RefusedInputsSayWhyAndLeaveOrClearTheStatus) {
  Driven d;
  d.Type("100", "2");
  d.presenter.Start();
  ASSERT_TRUE(d.WaitIdle());
  const RunRef shown = d.session->Current();

  // A text that is no integer leaves the status as it was; a range error clears it.
  d.Type("abc", "2");
  d.presenter.Start();
  EXPECT_FALSE(d.presenter.Busy());
  ASSERT_EQ(d.notified.size(), 1u);
  EXPECT_EQ(d.notified[0].Kind, StatusKind::NotInteger);
  EXPECT_EQ(d.presenter.Status(), StatusLine::Done);
  d.Type("0", "2");
  d.presenter.Start();
  ASSERT_EQ(d.notified.size(), 2u);
  EXPECT_EQ(d.notified[1].Message, kPlayNumRangeMessage);
  EXPECT_EQ(d.presenter.Status(), StatusLine::Clear);

  // A batch whose name the user does not give plays nothing.
  d.Type("100", "2", "3");
  d.presenter.Start();
  EXPECT_FALSE(d.presenter.Busy());
  EXPECT_EQ(d.presenter.Status(), StatusLine::Clear);
  EXPECT_EQ(d.session->Current(), shown);
  EXPECT_EQ(d.shown.size(), 1u);
}

// 中断 once the run counts as long; the run on display, the status before
// the progress and the records stay as they were.
TEST(MainPresenter, AStoppedRunLeavesTheRunShownAsItWas) {
  Driven d(std::chrono::milliseconds(0));
  d.Type("100", "2");
  d.presenter.Start();
  ASSERT_TRUE(d.WaitIdle());
  const RunRef before = d.session->Current();
  const int progressBefore = d.presenter.Progress();

  d.Type("30000000", "?");
  d.presenter.Start();
  d.presenter.Tick();
  EXPECT_TRUE(d.presenter.LongRun());
  ASSERT_TRUE(d.presenter.Commands().cancel);
  d.presenter.Cancel();
  EXPECT_FALSE(d.presenter.Commands().cancel) << "taken once";
  ASSERT_TRUE(d.WaitIdle());
  EXPECT_EQ(d.presenter.Status(), StatusLine::Cancelled);
  EXPECT_EQ(d.presenter.Progress(), progressBefore);
  EXPECT_EQ(d.session->Current(), before);
  EXPECT_EQ(d.shown.size(), 1u);
  EXPECT_TRUE(d.notified.empty());
}
