#include <gtest/gtest.h>

#include <QThread>
#include <atomic>
#include <thread>

#include "tests/ui/wait.h"
#include "ui/message_bridge.h"

namespace r88::ui {
namespace {

TEST(MessageBridge, SentMessagesWaitForTheUiThreadAndPostedOnesAreQueued) {
    std::vector<unsigned> handled;
    CMessageBridge bridge([&](unsigned msg, uintptr_t w, intptr_t) {
        EXPECT_EQ(QThread::currentThread(), bridge.thread());
        handled.push_back(msg);
        return static_cast<intptr_t>(w * 2);
    });
    std::atomic<intptr_t> sent{-1};
    std::thread worker([&] {
        bridge.PostMessage(kMsgApplication, 0, 0);
        sent = bridge.SendMessage(kMsgDeviceFound, 21, 0);
    });
    EXPECT_TRUE(test::WaitUntil([&] { return sent.load() != -1; }));
    worker.join();
    EXPECT_EQ(sent.load(), 42);
    EXPECT_EQ(handled, (std::vector<unsigned>{kMsgApplication, kMsgDeviceFound}));
}

TEST(MessageBridge, ClosingReleasesAWaitingSenderAndEndsDelivery) {
    int handled = 0;
    CMessageBridge bridge([&](unsigned, uintptr_t, intptr_t) { return static_cast<intptr_t>(++handled); });
    std::atomic<bool> returned{false};
    std::atomic<intptr_t> result{-1};
    // The UI thread does not run its loop here, the way it does not while it
    // waits for its workers to stop.
    std::thread worker([&] {
        result = bridge.SendMessage(kMsgDeviceGone, 1, 0);
        returned = true;
    });
    QThread::msleep(30);
    EXPECT_FALSE(returned.load());
    bridge.Close();
    worker.join();
    EXPECT_EQ(result.load(), 0);
    bridge.PostMessage(kMsgApplication, 0, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(handled, 0);  // neither the queued send nor the later post was delivered
}

}  // namespace
}  // namespace r88::ui
