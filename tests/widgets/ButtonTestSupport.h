#pragma once

#include "widgets/chameleonButton.h"
#include "widgets/chameleonColors.h"

#include <QApplication>
#include <QCursor>
#include <QImage>
#include <QMouseEvent>
#include <QStringList>
#include <QWidget>
#include <memory>

namespace buttontest {

// Colour of one pixel as 0x00BBGGRR.
inline uint32_t pixel(const QImage& img, int x, int y) {
    return chameleonColors::fromQColor(img.pixelColor(x, y));
}

inline QImage grabButton(chameleonButton* b) {
    return b->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// A shown window with one button at (10, 10) in the given size.
struct Window {
    std::unique_ptr<QWidget> top;
    chameleonButton* button = nullptr;

    explicit Window(int w = 120, int h = 25) : top(std::make_unique<QWidget>()) {
        top->resize(w + 100, h + 60);
        button = new chameleonButton(top.get());
        button->setObjectName(QStringLiteral("cmdTest"));
        button->setGeometry(10, 10, w, h);
        // Takes the initial focus, so the button draws no focus rectangle unless a test asks.
        auto* sink = new QWidget(top.get());
        sink->setFocusPolicy(Qt::StrongFocus);
        sink->setGeometry(0, h + 50, 4, 4);
        top->show();
        QApplication::setActiveWindow(top.get());
        sink->setFocus();
        QApplication::processEvents();
    }
    QPoint global(int x, int y) const { return button->mapToGlobal(QPoint(x, y)); }
    QPoint outside() const { return top->mapToGlobal(QPoint(top->width() - 5, top->height() - 5)); }
};

inline void sendMouse(QWidget* w, QEvent::Type type, QPoint local, Qt::MouseButton button,
                      Qt::MouseButtons buttons) {
    const QPoint global = w->mapToGlobal(local);
    QCursor::setPos(global);
    QMouseEvent e(type, QPointF(local), QPointF(global), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

inline void move(QWidget* w, QPoint local, Qt::MouseButtons buttons = Qt::NoButton) {
    sendMouse(w, QEvent::MouseMove, local, Qt::NoButton, buttons);
}
inline void press(QWidget* w, QPoint local, Qt::MouseButton b = Qt::LeftButton) {
    sendMouse(w, QEvent::MouseButtonPress, local, b, b);
}
inline void release(QWidget* w, QPoint local, Qt::MouseButton b = Qt::LeftButton) {
    sendMouse(w, QEvent::MouseButtonRelease, local, b, Qt::NoButton);
}

// Records the button's events by name, in the order raised.
struct EventLog {
    QStringList events;
    explicit EventLog(chameleonButton* b) {
        QObject::connect(b, &chameleonButton::Click, [this] { events << "Click"; });
        QObject::connect(b, &chameleonButton::MouseDown, [this](int bt, int, float, float) {
            events << QString("MouseDown%1").arg(bt);
        });
        QObject::connect(b, &chameleonButton::MouseUp, [this](int bt, int, float, float) {
            events << QString("MouseUp%1").arg(bt);
        });
        QObject::connect(b, &chameleonButton::MouseOver, [this] { events << "MouseOver"; });
        QObject::connect(b, &chameleonButton::MouseOut, [this] { events << "MouseOut"; });
        QObject::connect(b, &chameleonButton::KeyDown,
                         [this](int k, int) { events << QString("KeyDown%1").arg(k); });
        QObject::connect(b, &chameleonButton::KeyUp,
                         [this](int k, int) { events << QString("KeyUp%1").arg(k); });
    }
    int count(const QString& name) const { return static_cast<int>(events.count(name)); }
};

} // namespace buttontest
