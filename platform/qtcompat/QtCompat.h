#pragma once

// The few Qt APIs whose spelling differs between Qt 6 (our map host) and Qt 5.15
// (the build that runs inside QGIS), answered once so that every other file is the
// same for both.

#include <QHash>
#include <QKeySequence>
#include <QLocale>
#include <QMouseEvent>
#include <QPixmap>
#include <QString>
#include <QVariant>

#include <algorithm>

namespace qtcompat {

// The QMetaType id of the value held (QVariant::typeId in Qt 6).
inline int typeId(const QVariant& value) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return value.typeId();
#else
    return value.userType();
#endif
}

// The pointer's position in the widget and on the screen, with fractions.
inline QPointF position(const QMouseEvent* event) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return event->position();
#else
    return event->localPos();
#endif
}

inline QPointF globalPosition(const QMouseEvent* event) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return event->globalPosition();
#else
    return event->screenPos();
#endif
}

// A pixmap's size in device-independent pixels.
inline QSizeF deviceIndependentSize(const QPixmap& pixmap) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return pixmap.deviceIndependentSize();
#else
    return QSizeF(pixmap.size()) / pixmap.devicePixelRatioF();
#endif
}

// One key with modifiers, as a key sequence.
inline QKeySequence keySequence(Qt::KeyboardModifiers modifiers, Qt::Key key) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return QKeySequence(QKeyCombination(modifiers, key));
#else
    return QKeySequence(int(modifiers) | int(key));
#endif
}

// The locale's decimal separator as text (a QChar in Qt 5, a QString in Qt 6).
inline QString decimalPoint(const QLocale& locale) {
    return QString(locale.decimalPoint());
}

// The process-wide seed for qHash.
inline size_t hashSeed() {
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return QHashSeed::globalSeed();
#else
    return size_t(qGlobalQHashSeed());
#endif
}

// Removes the elements of a Qt container that match; returns how many went
// (QList::removeIf in Qt 6).
template <class Container, class Predicate>
qsizetype removeIf(Container& container, Predicate matches) {
    const auto end = std::remove_if(container.begin(), container.end(), matches);
    const qsizetype removed = qsizetype(container.end() - end);
    container.erase(end, container.end());
    return removed;
}

} // namespace qtcompat
