#include "platform/qt/QtEventLoop.h"

#include "platform/Timer.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <chrono>

namespace platform {

QtEventLoop::QtEventLoop() {
    deadlineWake_.setSingleShot(true);
    deadlineWake_.setTimerType(Qt::PreciseTimer);
}

QtEventLoop::~QtEventLoop() {
    for (auto& [timer, qtimer] : timers_)
        delete qtimer;
    for (auto& [fd, notifier] : watches_)
        delete notifier;
}

uint64_t QtEventLoop::tickCount() const {
    using namespace std::chrono;
    return uint64_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void QtEventLoop::wake() {
    if (drainQueued_)
        return;
    drainQueued_ = true;
    QMetaObject::invokeMethod(
        &context_, [this] { Drain(); }, Qt::QueuedConnection);
}

void QtEventLoop::Drain() {
    drainQueued_ = false;
    // What handlers post while we deliver asks for the next drain itself.
    if (dispatchPosted())
        ++dispatched_;
}

void QtEventLoop::timerChanged(Timer& timer) {
    QTimer*& qtimer = timers_[&timer];
    if (!qtimer) {
        qtimer = new QTimer(&context_);
        qtimer->setTimerType(Qt::PreciseTimer);
        Timer* t = &timer;
        QObject::connect(qtimer, &QTimer::timeout, &context_, [this, t] {
            ++dispatched_;
            fireTimer(*t);
        });
    }
    if (timer.Armed())
        qtimer->start(int(timer.Interval()));
    else
        qtimer->stop();
}

void QtEventLoop::timerRemoved(Timer& timer) {
    auto it = timers_.find(&timer);
    if (it == timers_.end())
        return;
    // A timer gone from inside its own handler: cut the connection now, free the QTimer later.
    it->second->stop();
    QObject::disconnect(it->second, nullptr, &context_, nullptr);
    it->second->deleteLater();
    timers_.erase(it);
}

void QtEventLoop::watchReadable(int fd, std::function<void()> onReadable) {
    unwatch(fd);
    auto* notifier = new QSocketNotifier(fd, QSocketNotifier::Read, &context_);
    QObject::connect(notifier, &QSocketNotifier::activated, &context_,
                     [this, cb = std::move(onReadable)] {
                         ++dispatched_;
                         auto copy = cb; // the callback may unwatch its own descriptor
                         copy();
                     });
    watches_[fd] = notifier;
}

void QtEventLoop::unwatch(int fd) {
    auto it = watches_.find(fd);
    if (it == watches_.end())
        return;
    it->second->setEnabled(false);
    QObject::disconnect(it->second, nullptr, &context_, nullptr);
    it->second->deleteLater();
    watches_.erase(it);
}

bool QtEventLoop::processEvents(std::optional<uint64_t> deadline) {
    const uint64_t before = dispatched_;
    if (deadline) {
        const uint64_t now = tickCount();
        if (*deadline <= now) {
            QCoreApplication::processEvents(QEventLoop::AllEvents);
            return dispatched_ != before;
        }
        deadlineWake_.start(int(*deadline - now));
    }
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    if (deadline) {
        deadlineWake_.stop();
        if (tickCount() >= *deadline)
            return dispatched_ != before;
    }
    // Qt handled something (input, paint, our wake): the caller looks at its condition again.
    return true;
}

} // namespace platform
