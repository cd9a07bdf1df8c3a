#include "UnoSupport.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <atomic>
#include <exception>
#include <thread>

namespace spreadsheet::calc {

namespace {

std::atomic<bool> responsive{false};

} // namespace

void setResponsiveCalls(bool on) {
    responsive = on;
}

void runResponsive(const std::function<void()>& body) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!responsive || !app || QThread::currentThread() != app->thread()) {
        body();
        return;
    }
    QEventLoop loop;
    std::exception_ptr failure;
    std::thread helper([&] {
        try {
            body();
        } catch (...) {
            failure = std::current_exception();
        }
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    helper.join();
    if (failure)
        std::rethrow_exception(failure);
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
