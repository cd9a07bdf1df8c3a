#include "TestAddin.h"

#include "automation/ClassRegistry.h"
#include "automation/Error.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>
#include <stdexcept>

namespace testaddin {

void log(const QString& line) {
    QStringList lines = qApp->property("maphost.testaddin.log").toStringList();
    lines << line;
    qApp->setProperty("maphost.testaddin.log", lines);
    // Run inside the maphost program, the log is read from its standard error.
    if (qEnvironmentVariableIsSet("MAPHOST_TESTADDIN_STDERR"))
        std::fprintf(stderr, "testaddin: %s\n", qPrintable(line));
}

void TestConnect::OnConnection(automation::ObjectPtr application, int connectMode, QObject*,
                               const QVariant&) {
    log(QStringLiteral("connect %1").arg(connectMode));
    if (probe_) {
        // What an add-in sees when it attaches to the running host by class name.
        try {
            const automation::ObjectPtr running =
                automation::GetObject(QStringLiteral("MapPoint.Application"));
            log(running == application ? QStringLiteral("running same")
                                       : QStringLiteral("running other"));
        } catch (const automation::Error& error) {
            log(QStringLiteral("running none %1").arg(error.number()));
        }
        return;
    }
    if (throwing_)
        throw std::runtime_error("refused to connect");
    application_ = std::dynamic_pointer_cast<mappoint::Application>(application);
    if (!application_) {
        log(QStringLiteral("no application"));
        return;
    }
    application_->AddCommand(QStringLiteral("Test Command..."), QStringLiteral("Run"), this);
    application_->AddCommand(QStringLiteral("Second Command"), QStringLiteral("RunSecond"), this);
}

void TestConnect::OnDisconnection(int removeMode, const QVariant&) {
    log(QStringLiteral("disconnect %1").arg(removeMode));
    if (application_)
        application_->RemoveCommands(this);
    application_.reset();
}

void TestConnect::Run() {
    log(QStringLiteral("run"));
}

void TestConnect::RunSecond() {
    log(QStringLiteral("run second"));
}

QObject* TestFactory::CreateAddin(const QString& className) {
    if (className == u"Connect")
        return new TestConnect(false, false);
    if (className == u"Throwing")
        return new TestConnect(true, false);
    if (className == u"Probe")
        return new TestConnect(false, true);
    if (className == u"Plain")
        return new QObject;
    return nullptr;
}

} // namespace testaddin
