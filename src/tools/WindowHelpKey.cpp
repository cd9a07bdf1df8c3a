#include "WindowHelpKey.h"

#include "HelpCommands.h"

#include <QAction>
#include <QKeyEvent>
#include <QWidget>

namespace tools {

WindowHelpKey::WindowHelpKey(QAction* helpEntry, QObject* parent)
    : QObject(parent), helpEntry_(helpEntry) {}

bool WindowHelpKey::eventFilter(QObject* watched, QEvent* event) {
    // The Help entry's F1 arrives as a shortcut event to the entry; taken here, it does
    // not trigger the entry.
    if (event->type() == QEvent::Shortcut && watched == helpEntry_) {
        ShowHelpTopic(WindowHelpTopic(QStringLiteral("frmAddIn")));
        return true;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier || !widget)
        return false;
    const QString name = widget->window()->objectName();
    if (name == QLatin1String("frmAddIn"))
        return false; // the Help menu entry's shortcut, above
    const QString topic = WindowHelpTopic(name);
    if (topic.isEmpty())
        return false;
    ShowHelpTopic(topic);
    return true;
}

} // namespace tools
