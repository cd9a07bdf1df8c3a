#pragma once

#include <QObject>

class QAction;

namespace tools {

// F1 in a Locastra window opens that window's help topic. Installed on the application
// while the tool window lives: the information window and the symbol picker are modal
// dialogs of their own, made and destroyed per use. In the tool window F1 is the
// shortcut of its Help menu entry (helpEntry): the key opens the tool window's topic,
// a click on the entry the start page of the help.
class WindowHelpKey : public QObject {
public:
    WindowHelpKey(QAction* helpEntry, QObject* parent);
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* helpEntry_;
};

} // namespace tools
