#include "UnoSupport.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

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

void runWithDeadline(const std::function<void()>& body) {
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
