#include "widgets/PropertyBag.h"

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
