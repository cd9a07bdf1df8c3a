#pragma once

class QAction;

namespace qgishost {

// Where the application's commands appear. In QGIS the plugin's entry under the
// Plugins menu; the actions stay owned by the caller.
class CommandMenu {
public:
    virtual ~CommandMenu() = default;
    virtual void addAction(QAction* action) = 0;
    virtual void removeAction(QAction* action) = 0;
};

} // namespace qgishost
