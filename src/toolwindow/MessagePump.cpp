#include "MessagePump.h"

#include <QCoreApplication>

namespace toolwindow {

namespace {
int standardIntervalMs = MessagePump::DefaultIntervalMs;
}

MessagePump::MessagePump(std::function<void()> beforeEvents, int intervalMs)
    : beforeEvents_(std::move(beforeEvents)),
      intervalMs_(intervalMs < 0 ? standardIntervalMs : intervalMs) {
    timer_.start();
}

void MessagePump::setStandardInterval(int intervalMs) {
    standardIntervalMs = intervalMs < 0 ? DefaultIntervalMs : intervalMs;
}

int MessagePump::standardInterval() {
    return standardIntervalMs;
}

bool MessagePump::yield() {
    if (timer_.elapsed() < intervalMs_)
        return false;
    yieldNow();
    return true;
}

void MessagePump::yieldNow() {
    flush();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    timer_.restart();
}

void MessagePump::flush() {
    if (beforeEvents_)
        beforeEvents_();
}

} // namespace toolwindow
