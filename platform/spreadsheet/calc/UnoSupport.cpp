#include "UnoSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

namespace spreadsheet::calc {

namespace {

std::atomic<bool> responsive{false};
std::atomic<int> deadlineMs{30000};
std::function<void()>& deadlineAction() {
    static std::function<void()> action;
    return action;
}

bool onResponsiveGuiThread() {
    QCoreApplication* app = QCoreApplication::instance();
    return responsive && app && QThread::currentThread() == app->thread();
}

// One call on its helper thread, and how the caller learns that it came back.
struct PendingCall {
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    QEventLoop* loop = nullptr; // the caller's event loop while it waits in one

    void finish() {
        std::lock_guard lock(mutex);
        done = true;
        finished.notify_all();
        if (loop)
            QMetaObject::invokeMethod(loop, &QEventLoop::quit, Qt::QueuedConnection);
    }

    // True when the call came back within milliseconds (negative: no limit).
    bool wait(int milliseconds) {
        std::unique_lock lock(mutex);
        if (!onResponsiveGuiThread()) {
            if (milliseconds < 0)
                finished.wait(lock, [this] { return done; });
            else
                finished.wait_for(lock, std::chrono::milliseconds(milliseconds),
                                  [this] { return done; });
            return done;
        }
        QEventLoop waiting;
        QTimer limit;
        limit.setSingleShot(true);
        QObject::connect(&limit, &QTimer::timeout, &waiting, &QEventLoop::quit);
        if (milliseconds >= 0)
            limit.start(milliseconds);
        while (!done && (milliseconds < 0 || limit.isActive())) {
            loop = &waiting;
            lock.unlock();
            waiting.exec(QEventLoop::ExcludeUserInputEvents);
            lock.lock();
            loop = nullptr;
        }
        return done;
    }
};

// The calls running in the background, oldest first. Four at a time: while Calc works
// on one, the next ones are being marshalled, sent and read by Calc, and one more is
// sent as soon as it is made, so that Calc finds a call waiting when it ends one (and
// a sheet being added or named waits for none).
constexpr size_t InFlight = 4;

struct BackgroundCall {
    PendingCall call;
    std::thread thread;
    std::exception_ptr failure;
    QElapsedTimer started;
};

struct Background {
    std::deque<std::unique_ptr<BackgroundCall>> calls;
    ~Background() {
        for (const auto& call : calls)
            if (call->thread.joinable())
                call->thread.join();
    }
};

std::deque<std::unique_ptr<BackgroundCall>>& background() {
    static Background pending;
    return pending.calls;
}

[[noreturn]] void throwDeadlinePassed() {
    throw automation::Error(
        CalcUnavailable,
        QStringLiteral("LibreOffice Calc did not answer within %1 s.").arg(deadlineMs / 1000.0));
}

// Waits for a call at most milliseconds; past them runs the deadline action and waits
// until the call comes back. False when the deadline passed.
bool awaitCall(PendingCall& call, int milliseconds) {
    if (call.wait(milliseconds))
        return true;
    // Dropping the connection makes the call fail at once; it still has to come back
    // before what it refers to can go.
    if (deadlineAction())
        deadlineAction()();
    call.wait(-1);
    return false;
}

} // namespace

void setResponsiveCalls(bool on) {
    responsive = on;
}

void setCallDeadline(int milliseconds, std::function<void()> onDeadline) {
    deadlineMs = milliseconds;
    deadlineAction() = std::move(onDeadline);
}

int callDeadline() {
    return deadlineMs;
}

namespace {

// Waits for the oldest background call and reports its failure; after a failure the
// others are waited for too (they can only fail the same way).
void finishOldest() {
    auto& calls = background();
    const std::unique_ptr<BackgroundCall> oldest = std::move(calls.front());
    calls.pop_front();
    const int left = std::max(0, int(deadlineMs - oldest->started.elapsed()));
    const bool inTime = awaitCall(oldest->call, left);
    oldest->thread.join();
    if (inTime && !oldest->failure)
        return;
    while (!calls.empty()) {
        try {
            finishOldest();
        } catch (const std::exception&) {
            // The first failure is the one reported.
        }
    }
    if (!inTime)
        throwDeadlinePassed();
    std::rethrow_exception(oldest->failure);
}

} // namespace

void finishBackground() {
    while (!background().empty())
        finishOldest();
}

namespace {
uint64_t backgroundCalls = 0;
} // namespace

bool backgroundCallRunning(uint64_t call) {
    return call > backgroundCalls - background().size();
}

uint64_t runInBackground(std::function<void()> body) {
    while (background().size() >= InFlight)
        finishOldest();
    auto pending = std::make_unique<BackgroundCall>();
    BackgroundCall* call = pending.get();
    call->started.start();
    call->thread = std::thread([body = std::move(body), call] {
        try {
            body();
        } catch (...) {
            call->failure = std::current_exception();
        }
        call->call.finish();
    });
    background().push_back(std::move(pending));
    return ++backgroundCalls;
}

void runWithDeadline(const std::function<void()>& body, Order order) {
    if (order == Order::AfterBackground)
        finishBackground();
    PendingCall call;
    std::exception_ptr failure;
    std::thread helper([&] {
        try {
            body();
        } catch (...) {
            failure = std::current_exception();
        }
        call.finish();
    });
    const bool inTime = call.wait(deadlineMs);
    if (!inTime) {
        // Dropping the connection makes the call fail at once; it still has to come
        // back before its frame (and what it refers to) can go.
        if (deadlineAction())
            deadlineAction()();
        call.wait(-1);
    }
    helper.join();
    if (!inTime)
        throw automation::Error(CalcUnavailable,
                                QStringLiteral("LibreOffice Calc did not answer within %1 s.")
                                    .arg(deadlineMs / 1000.0));
    if (failure)
        std::rethrow_exception(failure);
}

void pauseResponsively(int milliseconds) {
    if (!onResponsiveGuiThread()) {
        QThread::msleep(milliseconds);
        return;
    }
    QEventLoop waiting;
    QTimer::singleShot(milliseconds, &waiting, &QEventLoop::quit);
    waiting.exec(QEventLoop::ExcludeUserInputEvents);
}

void throwCalcUnavailable() {
    throw automation::Error(
        CalcUnavailable, QStringLiteral("LibreOffice Calc was closed or has stopped responding."));
}

void throwAsAutomationError(const css::uno::Exception& e) {
    const QString message = toQString(e.Message);
    throw automation::Error(CalcRefused, message.isEmpty()
                                             ? QStringLiteral("LibreOffice Calc refused the call.")
                                             : QStringLiteral("LibreOffice Calc: %1").arg(message));
}

} // namespace spreadsheet::calc
