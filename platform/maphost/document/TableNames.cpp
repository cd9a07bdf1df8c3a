#include "TableNames.h"

namespace maphost {

namespace {
constexpr int MaxNameLength = 60;
}

TableNames::TableNames(QStringList reservedPrefixes, const QStringList& reservedNames)
    : reservedPrefixes_(std::move(reservedPrefixes)) {
    for (const QString& name : reservedNames)
        taken_.insert(name.toLower());
}

bool TableNames::isPlainIdentifier(const QString& name) {
    if (name.isEmpty() || name.size() > MaxNameLength)
        return false;
    for (int i = 0; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
        const bool digit = c >= '0' && c <= '9';
        if (!(letter || (digit && i > 0)))
            return false;
    }
    return true;
}

bool TableNames::isFree(const QString& name) const {
    for (const QString& prefix : reservedPrefixes_)
        if (name.startsWith(prefix, Qt::CaseInsensitive))
            return false;
    return !taken_.contains(name.toLower());
}

QString TableNames::allocate(const QString& wanted, const QString& generatedPrefix, int n) {
    if (isPlainIdentifier(wanted) && isFree(wanted)) {
        taken_.insert(wanted.toLower());
        return wanted;
    }
    // Keep what can be kept of the original so the table stays recognisable in GIS tools.
    QString remnant;
    for (QChar ch : wanted) {
        const char16_t c = ch.unicode();
        const bool plain =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (plain)
            remnant += ch;
        else if (!remnant.isEmpty() && !remnant.endsWith(u'_'))
            remnant += u'_';
    }
    while (remnant.endsWith(u'_'))
        remnant.chop(1);
    remnant.truncate(MaxNameLength - 20);
    QString base = generatedPrefix + QString::number(n);
    if (!remnant.isEmpty())
        base += u'_' + remnant;
    QString candidate = base;
    for (int k = 2; !isFree(candidate); ++k)
        candidate = base + u'_' + QString::number(k);
    taken_.insert(candidate.toLower());
    return candidate;
}

} // namespace maphost
