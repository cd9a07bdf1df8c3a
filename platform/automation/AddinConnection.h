#pragma once

#include "Object.h"

#include <QObject>
#include <QString>
#include <QVariant>
#include <QtPlugin>

namespace automation {

// How an add-in is connected: while the host already runs, or during its start-up.
enum ConnectMode : int { ConnectAfterStartup = 0, ConnectStartup = 1 };

// The host-to-add-in connection interface. The add-in object is a QObject (so the
// host can invoke its commands by method name) that also implements this.
class AddinConnection {
public:
    virtual ~AddinConnection() = default;
    // application: the host's Application object; addInInst and custom are passed on
    // for completeness and may be empty.
    virtual void OnConnection(ObjectPtr application, int connectMode, QObject* addInInst,
                              const QVariant& custom) = 0;
    virtual void OnDisconnection(int removeMode, const QVariant& custom) = 0;
};

// The root object of an add-in library (a Qt plugin): creates add-in objects by
// class name, as named in the host's add-in record.
class AddinFactory {
public:
    virtual ~AddinFactory() = default;
    // A new add-in object (a QObject implementing AddinConnection), or nullptr when
    // the library has no class of that name. The caller owns it.
    virtual QObject* CreateAddin(const QString& className) = 0;
};

} // namespace automation

#define LOCASTRA_ADDIN_CONNECTION_IID "org.locastra.automation.AddinConnection/1.0"
#define LOCASTRA_ADDIN_FACTORY_IID "org.locastra.automation.AddinFactory/1.0"
Q_DECLARE_INTERFACE(automation::AddinConnection, LOCASTRA_ADDIN_CONNECTION_IID)
Q_DECLARE_INTERFACE(automation::AddinFactory, LOCASTRA_ADDIN_FACTORY_IID)
