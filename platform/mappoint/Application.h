#pragma once

#include "Types.h"

#include <QString>

class QObject;

namespace mappoint {

// The host application, registered in the class registry as "MapPoint.Application".
class Application : public automation::Object {
public:
    // Adds a Tools-menu entry that invokes target's method methodName by name
    // (a slot or Q_INVOKABLE without arguments).
    virtual void AddCommand(const QString& displayName, const QString& methodName,
                            QObject* target) = 0;
    // Removes every entry added for target.
    virtual void RemoveCommands(QObject* target) = 0;
    // Position of the host's main window on the screen, in twips.
    virtual int32_t Left() = 0;
    virtual int32_t Top() = 0;
    // The map the user works on; empty when no map is open.
    virtual MapPtr ActiveMap() = 0;
};

} // namespace mappoint
