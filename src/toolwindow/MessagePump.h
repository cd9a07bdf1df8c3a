#pragma once

#include <QElapsedTimer>
#include <functional>

namespace toolwindow {

// Lets a long loop hand the window its pending messages (clicks, repaints) without
// being dominated by event processing: yield() processes events only when the
// interval has passed since the last time. Before each pass the loop's own deferred
// work runs (hand the progress value to the bar, insert the batched rows), so what
// the handlers see during the pass is up to date.
class MessagePump {
public:
    // About one frame; Stop still lands well within 100 ms.
    static constexpr int DefaultIntervalMs = 16;

    // intervalMs < 0 takes the process-wide interval (DefaultIntervalMs unless changed).
    explicit MessagePump(std::function<void()> beforeEvents = {}, int intervalMs = -1);

    // The interval of pumps made without one; 0 processes events after every record
    // (tests that must act at an exact record).
    static void setStandardInterval(int intervalMs);
    static int standardInterval();

    // Processes pending events when the interval has passed. Returns whether it did.
    bool yield();
    // Runs the deferred work and processes pending events now.
    void yieldNow();
    // Runs the deferred work only (at the end of a loop).
    void flush();

private:
    std::function<void()> beforeEvents_;
    int intervalMs_;
    QElapsedTimer timer_;
};

} // namespace toolwindow
