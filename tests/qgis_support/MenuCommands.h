#pragma once

#include "CommandMenu.h"

#include <QMenu>

namespace qgistest {

// The application's command menu on a plain QMenu.
class MenuCommands : public qgishost::CommandMenu {
public:
    void addAction(QAction* action) override { menu.addAction(action); }
    void removeAction(QAction* action) override { menu.removeAction(action); }

    QMenu menu;
};

} // namespace qgistest
