#include "app/TextHelpers.h"
#include "platform/MessageTarget.h"
#include "platform/Timer.h"
#include "platform/qt/QtEventLoop.h"

#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <unistd.h>

namespace {

class LogTarget : public platform::MessageTarget {
public:
    LogTarget(platform::EventLoop& loop, std::string& log) : MessageTarget(loop), log_(log) {}
    void WndProc(platform::Message& msg) override {
        log_ += "msg" + std::to_string(msg.WParam) + " ";
    }

private:
    std::string& log_;
};

struct Pipe {
    int fd[2] = {-1, -1};
    Pipe() { EXPECT_EQ(::pipe(fd), 0); }
    ~Pipe() {
        ::close(fd[0]);
        ::close(fd[1]);
    }
};

TEST(QtEventLoop, PostedMessagesAreDeliveredInOrderThroughOneDrain) {
    platform::QtEventLoop loop;
    std::string log;
    LogTarget target(loop, log);
    target.PostMessage(1, 1, 0);
    target.PostMessage(1, 2, 0);
    loop.invokeLater([&] {
        log += "fn ";
        target.PostMessage(1, 3, 0); // handled on a later turn
    });
    EXPECT_TRUE(loop.runUntil([&] { return log.find("msg3") != std::string::npos; }));
    EXPECT_EQ(log, "msg1 msg2 fn msg3 ");
}

// A Qt-owned nested loop (what QMessageBox::exec runs) keeps our timers, descriptors and posted
// messages flowing.
TEST(QtEventLoop, EverythingFlowsInsideANestedQtLoop) {
    platform::QtEventLoop loop;
    std::string log;
    LogTarget target(loop, log);
    Pipe pipe;
    bool readable = false, ticked = false, posted = false;
    loop.watchReadable(pipe.fd[0], [&] {
        char c;
        (void)::read(pipe.fd[0], &c, 1);
        readable = true;
    });
    platform::Timer timer(loop, 5);
    timer.OnTimer = [&](platform::Timer& t) {
        t.SetEnabled(false);
        ticked = true;
    };

    QEventLoop nested;
    QTimer::singleShot(0, [&] {
        timer.SetEnabled(true);
        loop.invokeLater([&] { posted = true; });
        ASSERT_EQ(::write(pipe.fd[1], "x", 1), 1);
    });
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (readable && ticked && posted)
            nested.quit();
    });
    poll.start(1);
    QTimer guard; // a broken loop fails the test instead of hanging it
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&] { nested.quit(); });
    guard.start(10000);
    nested.exec();
    EXPECT_TRUE(readable);
    EXPECT_TRUE(ticked);
    EXPECT_TRUE(posted);
    loop.unwatch(pipe.fd[0]);
}

TEST(QtEventLoop, NestedRunsOfOurOwnLoopKeepTimersGoing) {
    platform::QtEventLoop loop;
    int outer = 0, inner = 0;
    platform::Timer a(loop, 2), b(loop, 3);
    a.OnTimer = [&](platform::Timer&) { ++outer; };
    b.OnTimer = [&](platform::Timer&) { ++inner; };
    a.SetEnabled(true);
    b.SetEnabled(true);
    loop.invokeLater([&] {
        // The modal run inside a handler of the outer one.
        loop.runUntil([&] { return inner >= 3; });
    });
    EXPECT_TRUE(loop.runUntil([&] { return inner >= 3 && outer >= 3; }));
}

TEST(QtEventLoop, TimerGoneDoesNothing) {
    platform::QtEventLoop loop;
    int fired = 0, selfDeleting = 0;
    auto armed = std::make_unique<platform::Timer>(loop, 1);
    armed->OnTimer = [&](platform::Timer&) { ++fired; };
    armed->SetEnabled(true);
    armed.reset(); // armed, then destroyed before it could fire

    auto self = std::make_unique<platform::Timer>(loop, 1);
    self->OnTimer = [&](platform::Timer&) {
        ++selfDeleting;
        self.reset(); // the handler destroys its own timer
    };
    self->SetEnabled(true);
    WaitWithMessages(loop, 30);
    EXPECT_EQ(fired, 0);
    EXPECT_EQ(selfDeleting, 1);
}

TEST(QtEventLoop, ProcessEventsReturnsFalseOnceTheDeadlinePassesIdle) {
    platform::QtEventLoop loop;
    const uint64_t deadline = loop.tickCount() + 10;
    bool any = true;
    while (loop.tickCount() < deadline && any)
        any = loop.processEvents(deadline);
    // Whatever Qt woke for in between, the turn at the deadline dispatched nothing of ours.
    EXPECT_FALSE(loop.processEvents(loop.tickCount()));
    EXPECT_GE(loop.tickCount(), deadline);
}

TEST(QtEventLoop, QuitEndsRun) {
    platform::QtEventLoop loop;
    loop.invokeLater([&] { loop.quit(); });
    loop.run();
    EXPECT_TRUE(loop.quitRequested());
}

} // namespace
