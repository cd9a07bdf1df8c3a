#include "WindowHelpKey.h"

#include "HelpCommands.h"

#include <QKeyEvent>
#include <QWidget>

namespace tools {

bool WindowHelpKey::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier || !widget)
        return false;
    const QString name = widget->window()->objectName();
    if (name == QLatin1String("frmAddIn"))
        return false; // the Help menu entry's shortcut
    const QString topic = WindowHelpTopic(name);
    if (topic.isEmpty())
        return false;
    ShowHelpTopic(topic);
    return true;
}

} // namespace tools
