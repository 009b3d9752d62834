#pragma once

#include "platform/EventLoop.h"

#include <QObject>
#include <QTimer>

#include <map>
#include <memory>

class QSocketNotifier;

namespace platform {

// The loop driven by Qt's event loop. Posted messages stay in the front's queue and Qt is asked
// for one drain when something was queued; timers are QTimers, descriptors QSocketNotifiers, so
// every nested Qt loop (a QMessageBox, a modal run of ours) keeps all of them flowing.
class QtEventLoop : public EventLoop {
public:
    QtEventLoop();
    ~QtEventLoop() override;

    uint64_t tickCount() const override;
    void watchReadable(int fd, std::function<void()> onReadable) override;
    void unwatch(int fd) override;
    bool processEvents(std::optional<uint64_t> deadline) override;

protected:
    void timerChanged(Timer& timer) override;
    void timerRemoved(Timer& timer) override;
    void wake() override;

private:
    void Drain();

    // Receiver of the drain and parent of the Qt objects, so none outlives the loop.
    QObject context_;
    QTimer deadlineWake_;
    bool drainQueued_ = false;
    uint64_t dispatched_ = 0; // our own deliveries: posted messages, timers, descriptors
    std::map<Timer*, QTimer*> timers_;
    std::map<int, QSocketNotifier*> watches_;
};

} // namespace platform
