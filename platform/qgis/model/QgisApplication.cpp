#include "QgisApplication.h"

#include "CommandMenu.h"
#include "QgisErrors.h"
#include "QgisMap.h"
#include "automation/ClassRegistry.h"
#include "desktop/Twips.h"

#include <QAction>
#include <QMetaObject>
#include <QWidget>

namespace qgishost {

namespace {
const QString ClassName = QStringLiteral("MapPoint.Application");
}

QgisApplication::QgisApplication(QgsProject* project, QgsMapCanvas* canvas, CommandMenu& menu,
                                 PushpinAppearance& appearance, QWidget* mainWindow)
    : menu_(menu), mainWindow_(mainWindow), map_(QgisMap::create(project, canvas, appearance)) {}

QgisApplication::~QgisApplication() {
    if (registered_)
        automation::RevokeActiveObject(ClassName, this);
    removeWhere([](const Command&) { return true; });
}

void QgisApplication::AddCommand(const QString& displayName, const QString& methodName,
                                 QObject* target) {
    if (!target || methodName.isEmpty())
        throwInvalidArgument(QStringLiteral("AddCommand needs a target and a method name"));
    removeWhere([](const Command& c) { return c.target.isNull(); });
    auto* action = new QAction(displayName, this);
    const QPointer<QObject> weakTarget(target);
    const QByteArray method = methodName.toUtf8();
    connect(action, &QAction::triggered, this, [weakTarget, method] {
        if (weakTarget)
            QMetaObject::invokeMethod(weakTarget.data(), method.constData());
    });
    menu_.addAction(action);
    commands_.push_back({action, weakTarget});
}

void QgisApplication::RemoveCommands(QObject* target) {
    removeWhere([target](const Command& c) { return c.target.isNull() || c.target == target; });
}

void QgisApplication::removeWhere(const std::function<bool(const Command&)>& match) {
    for (auto it = commands_.begin(); it != commands_.end();) {
        if (match(*it)) {
            menu_.removeAction(it->action);
            delete it->action;
            it = commands_.erase(it);
        } else {
            ++it;
        }
    }
}

int32_t QgisApplication::Left() {
    return mainWindow_ ? desktop::pixelsToTwipsX(mainWindow_->frameGeometry().left()) : 0;
}

int32_t QgisApplication::Top() {
    return mainWindow_ ? desktop::pixelsToTwipsY(mainWindow_->frameGeometry().top()) : 0;
}

mappoint::MapPtr QgisApplication::ActiveMap() {
    if (!map_->hasProject())
        return {};
    return map_;
}

void QgisApplication::registerRunning(const std::shared_ptr<QgisApplication>& application) {
    automation::RegisterActiveObject(ClassName, application);
    application->registered_ = true;
}

} // namespace qgishost
