#pragma once

#include "AddinRegistry.h"

#include <QObject>
#include <QString>
#include <QVector>
#include <memory>

class QPluginLoader;

namespace maphost {

class HostApplication;

// Loads add-ins (Qt plugins) named by the per-user records and connects them to the
// host's Application. A missing library, a load failure or a library without the
// connection interface leaves the add-in unconnected with its reason; the host goes on.
class AddinManager : public QObject {
    Q_OBJECT
public:
    // Removal reasons passed to OnDisconnection.
    enum RemoveMode { HostShutdown = 0, UserClosed = 1 };

    struct Addin {
        AddinRecord record;
        bool connected = false;
        QString error; // why the last connection failed; empty after a success
    };

    AddinManager(std::shared_ptr<HostApplication> application, AddinRegistry registry,
                 QObject* parent = nullptr);
    // Disconnects every connected add-in.
    ~AddinManager() override;

    const AddinRegistry& registry() const { return registry_; }
    // Re-reads the records (connected add-ins stay connected).
    void reload();
    int count() const { return static_cast<int>(addins_.size()); }
    const Addin& addin(int index) const;

    // Connects every record whose load behaviour says "at start-up", with ConnectMode 1.
    void connectAtStartup();
    // Connects one add-in; false (with addin(index).error set) when it fails.
    bool connectAddin(int index, int connectMode);
    void disconnectAddin(int index, int removeMode);
    void disconnectAll();

signals:
    void addinFailed(const QString& displayName, const QString& reason);
    void addinsChanged();

private:
    struct Slot;
    std::shared_ptr<HostApplication> application_;
    AddinRegistry registry_;
    std::vector<std::unique_ptr<Slot>> slots_;
    QVector<Addin> addins_;
};

} // namespace maphost
