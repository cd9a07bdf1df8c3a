#include "HostApplication.h"

#include "HostMap.h"
#include "automation/ClassRegistry.h"
#include "qtcompat/QtCompat.h"

#include <QMetaObject>

namespace maphost {

namespace {
const QString ClassName = QStringLiteral("MapPoint.Application");
}

HostApplication::HostApplication(QObject* parent) : QObject(parent) {}

HostApplication::~HostApplication() {
    if (registered_)
        automation::RevokeActiveObject(ClassName, this);
}

void HostApplication::AddCommand(const QString& displayName, const QString& methodName,
                                 QObject* target) {
    if (!target || methodName.isEmpty())
        throw automation::Error(automation::errors::InvalidArgument,
                                QStringLiteral("AddCommand needs a target and a method name"));
    pruneDeadTargets();
    commands_.push_back({displayName, methodName, target});
    emit commandsChanged();
}

void HostApplication::RemoveCommands(QObject* target) {
    const auto removed = qtcompat::removeIf(commands_, [target](const HostCommand& command) {
        return command.target.isNull() || command.target == target;
    });
    if (removed > 0)
        emit commandsChanged();
}

int32_t HostApplication::Left() {
    return left_;
}

int32_t HostApplication::Top() {
    return top_;
}

mappoint::MapPtr HostApplication::ActiveMap() {
    return activeMap_;
}

QVector<HostCommand> HostApplication::commands() const {
    QVector<HostCommand> live;
    for (const HostCommand& command : commands_) {
        if (!command.target.isNull())
            live.push_back(command);
    }
    return live;
}

bool HostApplication::invokeCommand(int index) {
    const QVector<HostCommand> live = commands();
    if (index < 0 || index >= live.size())
        return false;
    const HostCommand& command = live[index];
    return QMetaObject::invokeMethod(command.target.data(),
                                     command.methodName.toUtf8().constData());
}

std::shared_ptr<HostMap> HostApplication::activeMap() const {
    return activeMap_;
}

void HostApplication::setActiveMap(std::shared_ptr<HostMap> map) {
    if (activeMap_ == map)
        return;
    activeMap_ = std::move(map);
    emit activeMapChanged();
}

std::shared_ptr<HostMap> HostApplication::newMap() {
    auto map = HostMap::create();
    setActiveMap(map);
    return map;
}

void HostApplication::setPosition(int32_t left, int32_t top) {
    left_ = left;
    top_ = top;
}

void HostApplication::registerRunning(const std::shared_ptr<HostApplication>& application) {
    automation::RegisterActiveObject(ClassName, application);
    application->registered_ = true;
}

void HostApplication::pruneDeadTargets() {
    qtcompat::removeIf(commands_,
                       [](const HostCommand& command) { return command.target.isNull(); });
}

} // namespace maphost
