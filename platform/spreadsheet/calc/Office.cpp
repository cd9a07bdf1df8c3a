#include "Office.h"

#include "OfficeProcess.h"
#include "UnoSupport.h"

#include <QElapsedTimer>
#include <QThread>
#include <com/sun/star/bridge/UnoUrlResolver.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <csignal>
#include <cstdlib>

using namespace css;

namespace spreadsheet::calc {

namespace {

// The local UNO runtime, bootstrapped once per process. Without URE_BOOTSTRAP the
// runtime cannot find LibreOffice's type libraries and later calls crash.
uno::Reference<uno::XComponentContext> localContext() {
    static const uno::Reference<uno::XComponentContext> context = [] {
        ::setenv("URE_BOOTSTRAP", "vnd.sun.star.pathname:" LOCASTRA_LO_PROGRAM "/fundamentalrc", 0);
        // A write to a pipe whose Calc has died must fail, not kill the host.
        struct sigaction current {};
        if (::sigaction(SIGPIPE, nullptr, &current) == 0 && current.sa_handler == SIG_DFL)
            std::signal(SIGPIPE, SIG_IGN);
        return unoCall([] { return cppu::defaultBootstrap_InitialComponentContext(); });
    }();
    return context;
}

} // namespace

Office& Office::instance() {
    static Office office;
    return office;
}

void Office::configure(const Options& options) {
    disconnect();
    options_ = options;
    setResponsiveCalls(!options.headless);
}

pid_t Office::processGroup() const {
    const auto it = groups_.find(options_.pipeName());
    return it == groups_.end() ? 0 : it->second;
}

bool Office::alive() const {
    if (!desktop_.is())
        return false;
    try {
        unoCall([&] { desktop_->getComponents(); });
        return true;
    } catch (const automation::Error&) {
        return false;
    }
}

bool Office::tryConnect() {
    try {
        local_ = localContext();
        const auto resolver = bridge::UnoUrlResolver::create(local_);
        const auto url = QStringLiteral("uno:pipe,name=%1;urp;StarOffice.ComponentContext")
                             .arg(options_.pipeName());
        remote_.set(resolver->resolve(toOUString(url)), uno::UNO_QUERY_THROW);
        desktop_ = frame::Desktop::create(remote_);
        return true;
    } catch (const uno::Exception&) {
        remote_.clear();
        desktop_.clear();
        return false;
    }
}

bool Office::connect() {
    if (alive())
        return false;
    disconnect();
    if (tryConnect())
        return false;
    const pid_t group = StartOffice(options_);
    QElapsedTimer waited;
    waited.start();
    while (!tryConnect()) {
        if (!GroupRunning(group))
            throw automation::Error(
                automation::errors::CannotCreateObject,
                QStringLiteral("LibreOffice Calc ended while starting (see \"%1/calc.log\").")
                    .arg(options_.profileDir));
        if (waited.elapsed() > options_.startTimeoutMs) {
            ::kill(-group, SIGKILL);
            throw automation::Error(automation::errors::CannotCreateObject,
                                    QStringLiteral("LibreOffice Calc did not answer within %1 s.")
                                        .arg(options_.startTimeoutMs / 1000));
        }
        QThread::msleep(100);
    }
    groups_[options_.pipeName()] = group;
    return true;
}

void Office::endIfIdle() {
    if (!alive())
        return;
    try {
        const bool busy = unoCall([&] {
            if (desktop_->getComponents()->createEnumeration()->hasMoreElements())
                return true;
            desktop_->terminate();
            return false;
        });
        if (busy)
            return;
    } catch (const automation::Error&) {
        // Calc going away under the call is what was asked for.
    }
    disconnect();
    groups_.erase(options_.pipeName());
}

void Office::disconnect() {
    desktop_.clear();
    remote_.clear();
}

} // namespace spreadsheet::calc
