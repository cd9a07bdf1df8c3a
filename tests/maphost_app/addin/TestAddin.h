#pragma once

#include "automation/AddinConnection.h"
#include "mappoint/Application.h"

#include <QObject>
#include <QtPlugin>

// A small add-in for the host's tests. Everything the host does to it is appended to
// the application's "maphost.testaddin.log" property, one line per call.
namespace testaddin {

void log(const QString& line);

// Class "Connect": adds two commands on connection, removes them on disconnection.
// Class "Throwing": fails inside OnConnection. Class "Probe": logs whether the
// running "MapPoint.Application" it finds is the Application it was handed.
class TestConnect : public QObject, public automation::AddinConnection {
    Q_OBJECT
    Q_INTERFACES(automation::AddinConnection)
public:
    TestConnect(bool throwing, bool probe) : throwing_(throwing), probe_(probe) {}
    void OnConnection(automation::ObjectPtr application, int connectMode, QObject* addInInst,
                      const QVariant& custom) override;
    void OnDisconnection(int removeMode, const QVariant& custom) override;

public slots:
    void Run();
    void RunSecond();

private:
    bool throwing_;
    bool probe_;
    std::shared_ptr<mappoint::Application> application_;
};

class TestFactory : public QObject, public automation::AddinFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID LOCASTRA_ADDIN_FACTORY_IID FILE "testaddin.json")
    Q_INTERFACES(automation::AddinFactory)
public:
    // "Connect", "Throwing", "Probe", or "Plain" (an object without the connection interface).
    QObject* CreateAddin(const QString& className) override;
};

} // namespace testaddin
