#pragma once

#include <QString>
#include <QWidget>

namespace exporting {

// The object of type T the tool window keeps for its lifetime under name, made on
// first use by make (the export dialogs keep their file names from one use to the next).
template <class T, class Make> T& FormChild(QWidget& form, const QString& name, Make&& make) {
    auto* child = form.findChild<T*>(name, Qt::FindDirectChildrenOnly);
    if (!child)
        child = make();
    return *child;
}

} // namespace exporting
