#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>

namespace testsupport {

// Runs act on the next modal dialog once it is showing (inside its exec loop).
inline void OnNextModal(std::function<void(QDialog*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, act = std::move(act)] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        act(dialog);
    });
    timer->start();
}

} // namespace testsupport
