#pragma once

#include "mappoint/Application.h"

#include <QObject>
#include <QPointer>
#include <QVector>
#include <QWidget>
#include <functional>
#include <memory>

class QAction;
class QgsMapCanvas;
class QgsProject;

namespace qgishost {

class CommandMenu;
class PushpinAppearance;
class QgisMap;

// The object model's Application in QGIS: commands are actions in the command menu
// (the plugin's entry under Plugins), the position is the main window's, the active
// map is the project on the main canvas. When registered as the running instance it
// is owned through a std::shared_ptr.
class QgisApplication : public QObject, public mappoint::Application {
    Q_OBJECT
public:
    QgisApplication(QgsProject* project, QgsMapCanvas* canvas, CommandMenu& menu,
                    PushpinAppearance& appearance, QWidget* mainWindow);
    ~QgisApplication() override;

    void AddCommand(const QString& displayName, const QString& methodName,
                    QObject* target) override;
    void RemoveCommands(QObject* target) override;
    int32_t Left() override;
    int32_t Top() override;
    mappoint::MapPtr ActiveMap() override;

    const std::shared_ptr<QgisMap>& map() const { return map_; }

    // Registers this application as the running "MapPoint.Application" until it is
    // destroyed or automation::RevokeActiveObject() is called.
    static void registerRunning(const std::shared_ptr<QgisApplication>& application);

private:
    struct Command {
        QAction* action;
        QPointer<QObject> target;
    };
    void removeWhere(const std::function<bool(const Command&)>& match);

    CommandMenu& menu_;
    QPointer<QWidget> mainWindow_;
    std::shared_ptr<QgisMap> map_;
    QVector<Command> commands_;
    bool registered_ = false;
};

} // namespace qgishost
