#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>
#include <cstdint>

class QFont;
class QPixmap;

// Ordered name/value store that a window's layout keeps its controls' settings in. Entries
// keep the order they were written in; reading matches names without regard to case.
class PropertyBag {
public:
    PropertyBag() = default;
    static PropertyBag fromVariantMap(const QVariantMap& map);

    // Writes (or overwrites, keeping the first position) one value.
    void WriteProperty(const QString& name, const QVariant& value);
    // The value under name (any letter case), or defaultValue when absent.
    QVariant ReadProperty(const QString& name, const QVariant& defaultValue = {}) const;
    bool contains(const QString& name) const;

    // Typed reads. A missing key gives the default; a value that does not convert (or lies
    // outside lo..hi) is reported with qWarning and gives the default too.
    int ReadInt(const QString& name, int def, int lo, int hi) const;
    // A 32-bit colour; negative numbers are colours stored as signed values.
    uint32_t ReadColor(const QString& name, uint32_t def) const;
    // true/false, numbers (non-zero is true) or the words "true" and "false".
    bool ReadBool(const QString& name, bool def) const;
    // A font, or its QFont::toString() text.
    QFont ReadFont(const QString& name, const QFont& def) const;
    // A pixmap, an image or encoded image bytes; none when missing or unreadable.
    QPixmap ReadPicture(const QString& name) const;
    void remove(const QString& name);

    QStringList keys() const;
    int size() const { return static_cast<int>(m_entries.size()); }
    QVariantMap toVariantMap() const;

    // Names asked for by ReadProperty, in order (cleared by clearReadLog).
    const QStringList& readLog() const { return m_readLog; }
    void clearReadLog() { m_readLog.clear(); }

private:
    int indexOf(const QString& name) const;

    QList<QPair<QString, QVariant>> m_entries;
    mutable QStringList m_readLog;
};
