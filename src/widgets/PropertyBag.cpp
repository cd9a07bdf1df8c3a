#include "widgets/PropertyBag.h"

#include "qtcompat/QtCompat.h"

#include <QFont>
#include <QImage>
#include <QPixmap>
#include <limits>

PropertyBag PropertyBag::fromVariantMap(const QVariantMap& map) {
    PropertyBag bag;
    for (auto it = map.cbegin(); it != map.cend(); ++it)
        bag.WriteProperty(it.key(), it.value());
    return bag;
}

int PropertyBag::indexOf(const QString& name) const {
    for (int i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].first.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void PropertyBag::WriteProperty(const QString& name, const QVariant& value) {
    const int i = indexOf(name);
    if (i >= 0)
        m_entries[i].second = value;
    else
        m_entries.append({name, value});
}

QVariant PropertyBag::ReadProperty(const QString& name, const QVariant& defaultValue) const {
    m_readLog.append(name);
    const int i = indexOf(name);
    return i >= 0 ? m_entries[i].second : defaultValue;
}

bool PropertyBag::contains(const QString& name) const {
    return indexOf(name) >= 0;
}

void PropertyBag::remove(const QString& name) {
    const int i = indexOf(name);
    if (i >= 0)
        m_entries.removeAt(i);
}

QStringList PropertyBag::keys() const {
    QStringList out;
    for (const auto& e : m_entries)
        out.append(e.first);
    return out;
}

QVariantMap PropertyBag::toVariantMap() const {
    QVariantMap map;
    for (const auto& e : m_entries)
        map.insert(e.first, e.second);
    return map;
}

// --- typed reads: an unusable stored value is reported and the default taken ---------------

int PropertyBag::ReadInt(const QString& key, int def, int lo, int hi) const {
    const QVariant v = ReadProperty(key);
    if (!v.isValid() || v.isNull())
        return def;
    bool ok = false;
    const qlonglong n = v.toLongLong(&ok);
    if (!ok || n < lo || n > hi) {
        qWarning("stored value of %s is not usable, default kept", qPrintable(key));
        return def;
    }
    return static_cast<int>(n);
}

uint32_t PropertyBag::ReadColor(const QString& key, uint32_t def) const {
    const QVariant v = ReadProperty(key);
    if (!v.isValid() || v.isNull())
        return def;
    bool ok = false;
    const qlonglong n = v.toLongLong(&ok);
    if (!ok || n < std::numeric_limits<qint32>::min() ||
        n > static_cast<qlonglong>(std::numeric_limits<quint32>::max())) {
        qWarning("stored colour %s is not usable, default kept", qPrintable(key));
        return def;
    }
    // Negative values are colours stored as signed 32-bit numbers.
    return static_cast<uint32_t>(static_cast<quint32>(n));
}

bool PropertyBag::ReadBool(const QString& key, bool def) const {
    const QVariant v = ReadProperty(key);
    if (!v.isValid() || v.isNull())
        return def;
    if (qtcompat::typeId(v) == QMetaType::Bool)
        return v.toBool();
    if (qtcompat::typeId(v) == QMetaType::QString || qtcompat::typeId(v) == QMetaType::QByteArray) {
        const QString s = v.toString().trimmed().toLower();
        if (s == QLatin1String("true"))
            return true;
        if (s == QLatin1String("false"))
            return false;
    }
    bool ok = false;
    const qlonglong n = v.toLongLong(&ok);
    if (!ok) {
        qWarning("stored value of %s is not a boolean, default kept", qPrintable(key));
        return def;
    }
    return n != 0;
}

QFont PropertyBag::ReadFont(const QString& key, const QFont& def) const {
    const QVariant v = ReadProperty(key);
    if (qtcompat::typeId(v) == QMetaType::QFont)
        return v.value<QFont>();
    if (qtcompat::typeId(v) == QMetaType::QString) {
        QFont f = def;
        if (f.fromString(v.toString()))
            return f;
        qWarning("stored font is not usable, current font kept");
    }
    return def;
}

QPixmap PropertyBag::ReadPicture(const QString& key) const {
    const QVariant v = ReadProperty(key);
    switch (qtcompat::typeId(v)) {
    case QMetaType::QPixmap:
        return v.value<QPixmap>();
    case QMetaType::QImage:
        return QPixmap::fromImage(v.value<QImage>());
    case QMetaType::QByteArray: {
        QPixmap pix;
        if (!v.toByteArray().isEmpty() && !pix.loadFromData(v.toByteArray()))
            qWarning("stored picture %s is not readable", qPrintable(key));
        return pix;
    }
    default:
        return QPixmap();
    }
}
