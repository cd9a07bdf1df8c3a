#include "Office.h"

#include "CalcPipe.h"
#include "OfficeProcess.h"
#include "UnoSupport.h"

#include <QElapsedTimer>
#include <com/sun/star/beans/NamedValue.hpp>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/bridge/BridgeFactory.hpp>
#include <com/sun/star/bridge/XBridge.hpp>
#include <com/sun/star/configuration/theDefaultProvider.hpp>
#include <com/sun/star/connection/Connector.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XNameReplace.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/util/XChangesBatch.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/util/XFlushable.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <csignal>
#include <cstdlib>

using namespace css;

namespace spreadsheet::calc {

namespace {

extern "C" void ignoreSignal(int) {}

// The local UNO runtime, bootstrapped once per process. Without URE_BOOTSTRAP the
// runtime cannot find LibreOffice's type libraries and later calls crash.
uno::Reference<uno::XComponentContext> localContext() {
    static const uno::Reference<uno::XComponentContext> context = [] {
        ::setenv("URE_BOOTSTRAP", "vnd.sun.star.pathname:" LOCASTRA_LO_PROGRAM "/fundamentalrc", 0);
        // A write to a pipe whose Calc has died must fail, not kill the host. A handler
        // that does nothing, not SIG_IGN: the programs the host starts later get the
        // default back when they start, as they expect.
        struct sigaction current {};
        if (::sigaction(SIGPIPE, nullptr, &current) == 0 && current.sa_handler == SIG_DFL) {
            struct sigaction quiet {};
            quiet.sa_handler = ignoreSignal;
            sigemptyset(&quiet.sa_mask);
            quiet.sa_flags = SA_RESTART;
            ::sigaction(SIGPIPE, &quiet, nullptr);
        }
        return unoCall([] { return cppu::defaultBootstrap_InitialComponentContext(); });
    }();
    return context;
}

// LibreOffice runs its graphics self-tests (0.7 s here) at every start until its profile
// records that this version has run, which only a document window's "What's new" bar
// does: a Calc without windows would run them every time. Recorded here instead.
void recordVersionStarted(const uno::Reference<uno::XComponentContext>& remote) {
    const auto provider = configuration::theDefaultProvider::get(remote);
    uno::Sequence<uno::Any> arguments(1);
    arguments.getArray()[0] <<=
        beans::NamedValue("nodepath", uno::Any(rtl::OUString("/org.openoffice.Setup/Product")));
    const uno::Reference<container::XNameReplace> product(
        provider->createInstanceWithArguments(
            "com.sun.star.configuration.ConfigurationUpdateAccess", arguments),
        uno::UNO_QUERY_THROW);
    rtl::OUString version, last;
    product->getByName("ooSetupVersion") >>= version;
    product->getByName("ooSetupLastVersion") >>= last;
    if (version.isEmpty() || version == last)
        return;
    product->replaceByName("ooSetupLastVersion", uno::Any(version));
    uno::Reference<util::XChangesBatch>(product, uno::UNO_QUERY_THROW)->commitChanges();
    // Written now: a Calc without windows is often ended, not quit.
    uno::Reference<util::XFlushable>(provider, uno::UNO_QUERY_THROW)->flush();
}

[[noreturn]] void cannotStart(const QString& reason) {
    throw automation::Error(automation::errors::CannotCreateObject,
                            QStringLiteral("LibreOffice Calc cannot be started: %1").arg(reason));
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
    setCallDeadline(options.callTimeoutMs, [] { Office::instance().abandon(); });
}

pid_t Office::processGroup() const {
    const auto it = started_.find(options_.profileDir);
    return it == started_.end() ? 0 : it->second.group;
}

bool Office::alive() {
    if (!desktop_.is())
        return false;
    try {
        unoCall([&] { desktop_->getComponents(); });
        return true;
    } catch (const automation::Error&) {
        return false;
    }
}

bool Office::tryConnect(const QString& pipeName) {
    switch (CheckSocket(pipeName)) {
    case SocketTrust::Missing:
        return false;
    case SocketTrust::Untrusted:
        throw automation::Error(
            automation::errors::CannotCreateObject,
            QStringLiteral("LibreOffice Calc is not connected to: \"%1\" is not a socket of this "
                           "user's own, closed to others.")
                .arg(SocketPath(pipeName)));
    case SocketTrust::Trusted:
        break;
    }
    pipe_ = pipeName;
    try {
        unoCall([&] {
            local_ = localContext();
            const auto connection = connection::Connector::create(local_)->connect(
                toOUString(QStringLiteral("pipe,name=") + pipeName));
            {
                std::lock_guard lock(connectionMutex_);
                connection_ = connection;
            }
            if (hung_) // the deadline passed while connecting
                connection->close();
            const auto bridge =
                bridge::BridgeFactory::create(local_)->createBridge("", "urp", connection, {});
            remote_.set(bridge->getInstance("StarOffice.ComponentContext"), uno::UNO_QUERY_THROW);
            desktop_ = frame::Desktop::create(remote_);
        });
        return true;
    } catch (const automation::Error&) {
        const bool hung = hung_;
        disconnect();
        if (hung)
            throw;
        return false;
    }
}

void Office::startAndConnect() {
    const QString pipeName = MakePipeName(options_.profileDir);
    const pid_t group = StartOffice(options_, pipeName);
    started_[options_.profileDir] = {group, pipeName};
    shown_ = false;
    QElapsedTimer waited;
    waited.start();
    while (!tryConnect(pipeName)) {
        if (!GroupRunning(group)) {
            started_.erase(options_.profileDir);
            throw automation::Error(
                automation::errors::CannotCreateObject,
                QStringLiteral("LibreOffice Calc ended while starting (see \"%1/calc.log\").")
                    .arg(options_.profileDir));
        }
        if (waited.elapsed() > options_.startTimeoutMs) {
            ::kill(-group, SIGKILL);
            started_.erase(options_.profileDir);
            throw automation::Error(automation::errors::CannotCreateObject,
                                    QStringLiteral("LibreOffice Calc did not answer within %1 s.")
                                        .arg(options_.startTimeoutMs / 1000));
        }
        // Looking for the socket costs little; each interval is time Calc may sit ready.
        pauseResponsively(10);
    }
}

// LibreOffice may start without its spreadsheet component (not installed, or
// disabled): only a spreadsheet document actually made shows that Calc works.
void Office::proveCalcWorks() {
    bool works = false;
    try {
        works = unoCall([&] {
            uno::Sequence<beans::PropertyValue> arguments(1);
            arguments.getArray()[0].Name = "Hidden";
            arguments.getArray()[0].Value <<= true;
            const uno::Reference<frame::XComponentLoader> loader(desktop_, uno::UNO_QUERY_THROW);
            const auto component = loader->loadComponentFromURL(
                toOUString(options_.spreadsheetFactory), "_blank", 0, arguments);
            const uno::Reference<sheet::XSpreadsheetDocument> document(component, uno::UNO_QUERY);
            if (const uno::Reference<util::XCloseable> closeable{component, uno::UNO_QUERY};
                closeable.is())
                closeable->close(true);
            return document.is();
        });
    } catch (const automation::Error& e) {
        if (e.number() == CalcUnavailable)
            throw;
        cannotStart(QStringLiteral("LibreOffice makes no spreadsheet (%1).").arg(e.description()));
    }
    if (!works)
        cannotStart(QStringLiteral("LibreOffice makes no spreadsheet; is Calc installed?"));
}

bool Office::connect() {
    if (hung_) { // a call missed its deadline: that connection is gone
        hung_ = false;
        disconnect();
    }
    if (alive())
        return false;
    if (hung_) {
        hung_ = false;
        disconnect();
        throw automation::Error(CalcUnavailable,
                                QStringLiteral("LibreOffice Calc has stopped responding."));
    }
    disconnect();
    QString reason;
    if (!SecureProfileFolder(options_.profileDir, reason))
        cannotStart(reason);
    // A Calc still quitting on this profile would take the connection, or the new
    // Calc's work, and go.
    QElapsedTimer quitting;
    quitting.start();
    while (GroupRunning(ending_) && quitting.elapsed() < options_.startTimeoutMs)
        pauseResponsively(50);
    ending_ = 0;
    const auto saved = SavedPipeName(options_.profileDir);
    const bool started = !saved || !tryConnect(*saved);
    if (started)
        startAndConnect();
    try {
        proveCalcWorks();
    } catch (const automation::Error&) {
        if (started)
            endIfIdle();
        throw;
    }
    try {
        unoCall([&] { recordVersionStarted(remote_); });
    } catch (const automation::Error& e) {
        if (e.number() == CalcUnavailable)
            throw;
        // Only the next start is slower.
    }
    return started;
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
    ending_ = processGroup();
    started_.erase(options_.profileDir);
}

void Office::abandon() {
    hung_ = true;
    {
        std::lock_guard lock(connectionMutex_);
        try {
            if (connection_.is())
                connection_->close();
        } catch (const uno::Exception&) {
            // Closed already.
        }
    }
    const auto started = started_.find(options_.profileDir);
    if (started != started_.end() && started->second.pipe == pipe_ &&
        (options_.headless || !shown_)) {
        ::kill(-started->second.group, SIGKILL);
        started_.erase(started);
    }
}

void Office::disconnect() {
    desktop_.clear();
    remote_.clear();
    std::lock_guard lock(connectionMutex_);
    connection_.clear();
}

} // namespace spreadsheet::calc
