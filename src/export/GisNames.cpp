#include "GisNames.h"

namespace exporting {

namespace {

// The longest start of text that takes at most maxBytes in UTF-8, whole characters
// (surrogate pairs) only.
QString cutToBytes(const QString& text, int maxBytes) {
    int bytes = 0;
    int end = 0;
    while (end < text.size()) {
        const int units = text.at(end).isHighSurrogate() && end + 1 < text.size() ? 2 : 1;
        const int size = int(text.mid(end, units).toUtf8().size());
        if (bytes + size > maxBytes)
            break;
        bytes += size;
        end += units;
    }
    return text.left(end);
}

} // namespace

QString UniqueName(const QString& name, QStringList& taken, int maxBytes) {
    const QString base = name.isEmpty() ? QStringLiteral("field") : name;
    const auto fitted = [&](const QString& suffix) {
        if (maxBytes <= 0)
            return base + suffix;
        return cutToBytes(base, maxBytes - int(suffix.toUtf8().size())) + suffix;
    };
    QString candidate = fitted(QString());
    for (int n = 2; taken.contains(candidate.toLower()); ++n)
        candidate = fitted(QStringLiteral("_%1").arg(n));
    taken << candidate.toLower();
    return candidate;
}

QString SafeFileName(const QString& name) {
    QString safe;
    for (const QChar c : name)
        safe += (c.unicode() < 32 || QStringLiteral("/\\:*?\"<>|").contains(c)) ? QChar('_') : c;
    safe = safe.trimmed();
    while (safe.startsWith(QLatin1Char('.')))
        safe.remove(0, 1);
    return safe.isEmpty() ? QStringLiteral("dataset") : safe;
}

QString SafeTableName(const QString& name) {
    // GDAL refuses a GeoPackage layer whose name starts with one of these.
    static const QString leading = QStringLiteral("`~!@#$%^&*()+-={}|[]\\:\";'<>?,./ ");
    QString safe;
    for (const QChar c : name)
        safe += c.unicode() < 32 ? QChar('_') : c;
    while (!safe.isEmpty() && leading.contains(safe.front()))
        safe.remove(0, 1);
    safe = safe.trimmed();
    if (safe.isEmpty())
        return QStringLiteral("layer");
    // The format's own tables, SQLite's, and the spatial index's.
    for (const char* reserved : {"gpkg", "sqlite_", "rtree_"}) {
        if (safe.startsWith(QLatin1String(reserved), Qt::CaseInsensitive))
            return QStringLiteral("layer_") + safe;
    }
    return safe;
}

} // namespace exporting
