#include "AltKeyGuard.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace {

class AltKeyFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers();
        // Shortcuts have had their turn: a key that arrives here is unclaimed.
        return modifiers.testFlag(Qt::AltModifier) && !modifiers.testFlag(Qt::ControlModifier) &&
               !key->text().isEmpty() && key->text().front().isPrint();
    }
};

template <class Input> void guardAll(QWidget* window, AltKeyFilter* filter) {
    for (Input* input : window->findChildren<Input*>())
        input->installEventFilter(filter);
}

} // namespace

void GuardTextInputsFromAltKeys(QWidget* window) {
    auto* filter = new AltKeyFilter(window);
    guardAll<QLineEdit>(window, filter);
    guardAll<QTextEdit>(window, filter);
    guardAll<QPlainTextEdit>(window, filter);
    guardAll<QComboBox>(window, filter);
    guardAll<QAbstractSpinBox>(window, filter);
}
