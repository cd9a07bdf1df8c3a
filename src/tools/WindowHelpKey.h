#pragma once

#include <QObject>

namespace tools {

// F1 in a Locastra window other than the tool window (whose F1 is its Help menu
// entry) opens that window's help topic. Installed on the application while the tool
// window lives: the information window and the symbol picker are modal dialogs of
// their own, made and destroyed per use.
class WindowHelpKey : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace tools
