#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>
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

}  // namespace
}  // namespace r88::ui
