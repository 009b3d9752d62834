#include "app/TextHelpers.h"
#include "platform/MessageTarget.h"
#include "platform/PollEventLoop.h"
#include "platform/Timer.h"
#include "support/VirtualEventLoop.h"

#include <gtest/gtest.h>

#include <memory>
#include <unistd.h>
#include <vector>

namespace {

struct Recorder : platform::MessageTarget {
    Recorder(platform::EventLoop& loop, std::vector<std::pair<int, uint32_t>>& log, int id)
        : MessageTarget(loop), log_(log), id_(id) {}
    void WndProc(platform::Message& msg) override {
        log_.emplace_back(id_, msg.Msg);
        msg.Result = msg.LParam * 2;
    }
    std::vector<std::pair<int, uint32_t>>& log_;
    int id_;
};

} // namespace

TEST(VirtualEventLoop, PostedMessagesArriveInPostedOrderAcrossTargets) {
    VirtualEventLoop loop;
    std::vector<std::pair<int, uint32_t>> log;
    Recorder a(loop, log, 1), b(loop, log, 2);
    a.PostMessage(10, 0, 0);
    b.PostMessage(11, 0, 0);
    loop.invokeLater([&] { log.emplace_back(0, 12); });
    a.PostMessage(13, 0, 0);
    loop.RunUntilIdle();
    std::vector<std::pair<int, uint32_t>> want{{1, 10}, {2, 11}, {0, 12}, {1, 13}};
    EXPECT_EQ(log, want);
}

TEST(VirtualEventLoop, SendIsSynchronousAndReturnsTheResult) {
    VirtualEventLoop loop;
    std::vector<std::pair<int, uint32_t>> log;
    Recorder a(loop, log, 1);
    EXPECT_EQ(a.SendMessage(5, 0, 21), 42);
    ASSERT_EQ(log.size(), 1u);
}

TEST(VirtualEventLoop, MessagesForADestroyedTargetAreDropped) {
    VirtualEventLoop loop;
    std::vector<std::pair<int, uint32_t>> log;
    auto gone = std::make_unique<Recorder>(loop, log, 1);
    Recorder stays(loop, log, 2);
    gone->PostMessage(1, 0, 0);
    stays.PostMessage(2, 0, 0);
    gone.reset();
    loop.RunUntilIdle();
    std::vector<std::pair<int, uint32_t>> want{{2, 2}};
    EXPECT_EQ(log, want);
}

TEST(VirtualEventLoop, MessagePostedByAHandlerWaitsForTheNextTurn) {
    VirtualEventLoop loop;
    int turns = 0;
    std::function<void()> again = [&] {
        if (++turns < 3)
            loop.invokeLater(again);
    };
    loop.invokeLater(again);
    EXPECT_TRUE(loop.processEvents(std::nullopt));
    EXPECT_EQ(turns, 1);
    loop.RunUntilIdle();
    EXPECT_EQ(turns, 3);
}

TEST(VirtualEventLoop, TimerFiresEveryIntervalWhileEnabled) {
    VirtualEventLoop loop;
    platform::Timer timer(loop, 200);
    std::vector<uint64_t> at;
    timer.OnTimer = [&](platform::Timer&) { at.push_back(loop.tickCount()); };
    const uint64_t t0 = loop.tickCount();
    timer.SetEnabled(true);
    loop.Advance(1000);
    std::vector<uint64_t> want{t0 + 200, t0 + 400, t0 + 600, t0 + 800, t0 + 1000};
    EXPECT_EQ(at, want);
    timer.SetEnabled(false);
    loop.Advance(1000);
    EXPECT_EQ(at.size(), 5u);
}

TEST(VirtualEventLoop, EnablingAndNewIntervalCountFromNow) {
    VirtualEventLoop loop;
    platform::Timer timer(loop, 1000);
    int fired = 0;
    timer.OnTimer = [&](platform::Timer&) { ++fired; };
    timer.SetEnabled(true);
    loop.Advance(900);
    timer.SetInterval(500); // restarts: due 500 from now, not at the old 1000
    loop.Advance(400);
    EXPECT_EQ(fired, 0);
    loop.Advance(100);
    EXPECT_EQ(fired, 1);
    timer.SetEnabled(false);
    timer.SetEnabled(true);
    loop.Advance(499);
    EXPECT_EQ(fired, 1);
    loop.Advance(1);
    EXPECT_EQ(fired, 2);
}

TEST(VirtualEventLoop, ZeroIntervalNeverFiresAndDestroyedTimerIsForgotten) {
    VirtualEventLoop loop;
    int fired = 0;
    {
        platform::Timer zero(loop, 0);
        zero.OnTimer = [&](platform::Timer&) { ++fired; };
        zero.SetEnabled(true);
        auto doomed = std::make_unique<platform::Timer>(loop, 10);
        doomed->OnTimer = [&](platform::Timer&) { ++fired; };
        doomed->SetEnabled(true);
        doomed.reset();
        loop.Advance(100);
    }
    EXPECT_EQ(fired, 0);
    EXPECT_FALSE(loop.HasArmedTimers());
}

TEST(VirtualEventLoop, TimerStoppingItselfFromItsHandler) {
    VirtualEventLoop loop;
    platform::Timer timer(loop, 50);
    int fired = 0;
    timer.OnTimer = [&](platform::Timer& t) {
        ++fired;
        t.SetEnabled(false);
    };
    timer.SetEnabled(true);
    loop.Advance(500);
    EXPECT_EQ(fired, 1);
}

TEST(VirtualEventLoop, NestedRunEndsOnConditionOrWhenNothingCanHappen) {
    VirtualEventLoop loop;
    platform::Timer timer(loop, 300);
    bool done = false;
    timer.OnTimer = [&](platform::Timer& t) {
        done = true;
        t.SetEnabled(false);
    };
    timer.SetEnabled(true);
    const uint64_t t0 = loop.tickCount();
    EXPECT_TRUE(loop.runUntil([&] { return done; }));
    EXPECT_EQ(loop.tickCount(), t0 + 300);
    // Nothing armed, nothing queued: the run reports it instead of hanging.
    EXPECT_FALSE(loop.runUntil([] { return false; }));
}

TEST(WaitWithMessages, ZeroReturnsAtOnceWithoutDispatching) {
    VirtualEventLoop loop;
    bool ran = false;
    loop.invokeLater([&] { ran = true; });
    const uint64_t t0 = loop.tickCount();
    EXPECT_TRUE(WaitWithMessages(loop, 0));
    EXPECT_FALSE(ran);
    EXPECT_EQ(loop.tickCount(), t0);
}

TEST(WaitWithMessages, DispatchesEverythingPostedMeanwhileAndReturnsNoEarlier) {
    VirtualEventLoop loop;
    std::vector<std::pair<int, uint32_t>> log;
    Recorder page(loop, log, 1);
    platform::Timer ticker(loop, 700);
    ticker.OnTimer = [&](platform::Timer&) {
        page.PostMessage(0x8066, 6, 1);
        page.PostMessage(0x8068, 150, 3);
    };
    ticker.SetEnabled(true);
    page.PostMessage(0x8067, 1, 0);
    const uint64_t t0 = loop.tickCount();
    EXPECT_TRUE(WaitWithMessages(loop, 3000));
    EXPECT_EQ(loop.tickCount(), t0 + 3000);
    // The message queued before the wait and both messages of each of the four ticks.
    EXPECT_EQ(log.size(), 1u + 4 * 2);
    EXPECT_EQ(log.front().second, 0x8067u);
}

TEST(PollEventLoop, DescriptorsTimersAndWaitOnTheRealClock) {
    platform::PollEventLoop loop;
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    int reads = 0;
    loop.watchReadable(fds[0], [&] {
        char c;
        ASSERT_EQ(::read(fds[0], &c, 1), 1);
        ++reads;
    });
    platform::Timer timer(loop, 10);
    int ticks = 0;
    timer.OnTimer = [&](platform::Timer&) {
        if (++ticks == 2) {
            ASSERT_EQ(::write(fds[1], "x", 1), 1);
        }
    };
    timer.SetEnabled(true);
    EXPECT_TRUE(loop.runUntil([&] { return reads == 1; }));
    EXPECT_GE(ticks, 2);

    timer.SetEnabled(false);
    loop.unwatch(fds[0]);
    const uint64_t t0 = loop.tickCount();
    bool posted = false;
    loop.invokeLater([&] { posted = true; });
    EXPECT_TRUE(WaitWithMessages(loop, 50));
    EXPECT_TRUE(posted);
    EXPECT_GE(loop.tickCount(), t0 + 50);
    ::close(fds[0]);
    ::close(fds[1]);
}
