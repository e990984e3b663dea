#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <thread>

#include "tests/ui/wait.h"
#include "ui/control_timers.h"

namespace r88::ui {
namespace {

TEST(ControlTimers, RepeatUntilKilledPerControlAndIdAndArmFromWorkers) {
    QWidget a, b;
    QList<QPair<QWidget*, int>> fired;
    CControlTimers timers([&](QWidget* c, int id) { fired.append({c, id}); });
    timers.SetTimer(&a, 1002, 5);
    timers.SetTimer(&b, 1002, 5);
    std::thread worker([&] { timers.SetTimer(&a, 1005, 5); });
    worker.join();
    EXPECT_TRUE(test::WaitUntil([&] {
        return fired.count({&a, 1002}) >= 2 && fired.count({&a, 1005}) >= 1 && fired.count({&b, 1002}) >= 1;
    }));
    timers.KillTimer(&a, 1002);
    EXPECT_FALSE(timers.IsActive(&a, 1002));
    EXPECT_TRUE(timers.IsActive(&b, 1002));
    fired.clear();
    QTest::qWait(30);
    EXPECT_EQ(fired.count({&a, 1002}), 0);
    EXPECT_GT(fired.count({&b, 1002}), 0);
}

TEST(ControlTimers, AControlThatGoesAwayTakesItsTimers) {
    int fired = 0;
    CControlTimers timers([&](QWidget*, int) { ++fired; });
    auto* w = new QWidget;
    timers.SetTimer(w, 1, 1);
    delete w;
    QTest::qWait(20);
    EXPECT_EQ(fired, 0);
}

// The strip re-arms its frame timer every 5 ms for as long as a device is
// connected: re-arming must reuse the timer and its one connection.
TEST(ControlTimers, ReArmingReusesTheTimerAndOneConnectionPerControl) {
    QWidget control;
    CControlTimers timers([](QWidget*, int) {});
    for (int i = 0; i < 10'000; ++i) {
        timers.KillTimer(&control, 1000);
        timers.SetTimer(&control, 1000, 5);
    }
    timers.SetTimer(&control, 1005, 5000);
    EXPECT_EQ(timers.TimerCount(), 2);
    EXPECT_EQ(timers.WatchedControlCount(), 1);
    // The 5 ms one rides the shared frame cadence; the 5 s one has its QTimer.
    EXPECT_EQ(timers.findChildren<QTimer*>().size(), 1);
    EXPECT_EQ(CFrameCadence::ForThread(5)->Riders(), 1);
    EXPECT_TRUE(timers.IsActive(&control, 1000));
}

// After a late tick the next one stays on its due time, unless that falls
// less than half a period later: two frames back to back would show the same.
TEST(ControlTimers, ACadenceLeavesOutATickDueJustAfterALateOne) {
    using std::chrono::microseconds;
    struct Case {
        microseconds sinceLast;
        int intervalMs;
        bool tooSoon;
    };
    for (const Case& c : {Case{microseconds(5000), 5, false}, Case{microseconds(2500), 5, false},
                          Case{microseconds(2499), 5, true}, Case{microseconds(300), 5, true},
                          Case{microseconds(0), 5, true}, Case{microseconds(9000), 5, false},
                          Case{microseconds(7000), 16, true}, Case{microseconds(8000), 16, false}}) {
        SCOPED_TRACE(c.sinceLast.count());
        EXPECT_EQ(CFrameCadence::TickTooSoon(c.sinceLast, c.intervalMs), c.tooSoon);
    }
}

// Every device's frames ride one wake-up: timers of the same short period on
// several controls fire together, and a cadence nobody rides stops.
TEST(ControlTimers, FrameTimersOfSeveralControlsShareOneCadence) {
    QWidget a, b, c;
    QList<QPair<QWidget*, int>> fired;
    auto timers = std::make_unique<CControlTimers>([&](QWidget* w, int id) { fired.append({w, id}); });
    CControlTimers other([&](QWidget* w, int id) { fired.append({w, id}); });
    timers->SetTimer(&a, 1000, 5);
    timers->SetTimer(&b, 1000, 5);
    other.SetTimer(&c, 1000, 5);
    CFrameCadence* cadence = CFrameCadence::ForThread(5);
    EXPECT_EQ(cadence->Riders(), 3);
    EXPECT_TRUE(test::WaitUntil([&] { return fired.count({&a, 1000}) >= 3 && fired.count({&c, 1000}) >= 3; }));
    // One tick hands the frame to each of them in turn.
    const int ticks = static_cast<int>(fired.count({&a, 1000}));
    EXPECT_NEAR(fired.count({&b, 1000}), ticks, 1);
    EXPECT_NEAR(fired.count({&c, 1000}), ticks, 1);

    timers->KillTimer(&a, 1000);
    timers.reset();  // takes b's timer with it
    EXPECT_EQ(cadence->Riders(), 1);
    other.KillAll();
    EXPECT_EQ(cadence->Riders(), 0);
    fired.clear();
    QTest::qWait(30);
    EXPECT_TRUE(fired.isEmpty());
}

TEST(ControlTimers, AHandlerThatKillsAndReArmsKeepsItsCadenceOneThatOnlyKillsEndsIt) {
    QWidget control;
    int fired = 0;
    bool rearm = true;
    CControlTimers* self = nullptr;
    CControlTimers timers([&](QWidget* c, int id) {
        ++fired;
        self->KillTimer(c, id);
        EXPECT_FALSE(self->IsActive(c, id));
        if (rearm) self->SetTimer(c, id, 5);
    });
    self = &timers;
    timers.SetTimer(&control, 1000, 5);
    EXPECT_TRUE(test::WaitUntil([&] { return fired >= 5; }));
    EXPECT_TRUE(timers.IsActive(&control, 1000));
    rearm = false;
    const int before = fired;
    EXPECT_TRUE(test::WaitUntil([&] { return fired > before; }));
    EXPECT_FALSE(timers.IsActive(&control, 1000));
    const int after = fired;
    QTest::qWait(30);
    EXPECT_EQ(fired, after);
    // Armed again later, it runs again.
    timers.SetTimer(&control, 1000, 5);
    EXPECT_TRUE(test::WaitUntil([&] { return fired > after; }));
}

TEST(ControlTimers, KillAllStopsEveryTimer) {
    QWidget a, b;
    int fired = 0;
    CControlTimers timers([&](QWidget*, int) { ++fired; });
    timers.SetTimer(&a, 1000, 5);
    timers.SetTimer(&a, 1001, 5);
    timers.SetTimer(&b, 1005, 5);
    timers.KillAll();
    for (auto [w, id] : {std::pair{&a, 1000}, std::pair{&a, 1001}, std::pair{&b, 1005}})
        EXPECT_FALSE(timers.IsActive(w, id));
    QTest::qWait(30);
    EXPECT_EQ(fired, 0);
}

// A handler that re-arms its own frame timer with another period moves it to
// that period's cadence and leaves the old one.
TEST(ControlTimers, AHandlerThatChangesItsPeriodMovesToThatCadence) {
    QWidget control;
    CControlTimers* self = nullptr;
    int fired = 0;
    CControlTimers timers([&](QWidget* c, int id) {
        ++fired;
        self->KillTimer(c, id);
        self->SetTimer(c, id, 7);
    });
    self = &timers;
    const int before5 = CFrameCadence::ForThread(5)->Riders();
    timers.SetTimer(&control, 1000, 5);
    EXPECT_TRUE(test::WaitUntil([&] { return fired >= 1; }));
    EXPECT_EQ(CFrameCadence::ForThread(5)->Riders(), before5);
    EXPECT_EQ(CFrameCadence::ForThread(7)->Riders(), 1);
    timers.KillAll();
    EXPECT_EQ(CFrameCadence::ForThread(7)->Riders(), 0);
}

}  // namespace
}  // namespace r88::ui
