#pragma once

#include "mappoint/Application.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVector>
#include <memory>

namespace maphost {

class HostMap;

// One Tools-menu entry added by an add-in.
struct HostCommand {
    QString displayName;
    QString methodName;
    QPointer<QObject> target;
};

// The host's Application object. The main window shows commands() on its Tools menu
// (refreshing on commandsChanged()) and calls invokeCommand() when one is chosen.
// When registered as the running instance it is owned through a std::shared_ptr
// (and then has no Qt parent).
class HostApplication : public QObject, public mappoint::Application {
    Q_OBJECT
public:
    explicit HostApplication(QObject* parent = nullptr);
    ~HostApplication() override;

    // --- mappoint::Application ------------------------------------------------
    void AddCommand(const QString& displayName, const QString& methodName,
                    QObject* target) override;
    void RemoveCommands(QObject* target) override;
    int32_t Left() override;
    int32_t Top() override;
    mappoint::MapPtr ActiveMap() override;

    // --- for the host's windows -------------------------------------------------
    // Commands in the order they were added (entries whose target died are dropped).
    QVector<HostCommand> commands() const;
    // Calls the command's method on its target by name. False when the index is out
    // of range, the target is gone or has no such method.
    bool invokeCommand(int index);

    std::shared_ptr<HostMap> activeMap() const;
    void setActiveMap(std::shared_ptr<HostMap> map);
    // Makes a new empty map the active one and returns it.
    std::shared_ptr<HostMap> newMap();

    // The main window's position in twips.
    void setPosition(int32_t left, int32_t top);

    // Registers this application as the running "MapPoint.Application". The registry
    // keeps it alive until automation::RevokeActiveObject() or a later registration.
    static void registerRunning(const std::shared_ptr<HostApplication>& application);

signals:
    void commandsChanged();
    void activeMapChanged();

private:
    void pruneDeadTargets();

    QVector<HostCommand> commands_;
    std::shared_ptr<HostMap> activeMap_;
    int32_t left_ = 0;
    int32_t top_ = 0;
    bool registered_ = false;
};

} // namespace maphost
