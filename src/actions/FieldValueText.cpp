#include "FieldValueText.h"

#include "addin/NumberFormat.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>

namespace actions {

bool IsNoValue(const QVariant& value) {
    return !value.isValid() || value.isNull();
}

QString FieldValueText(const QVariant& value) {
    if (IsNoValue(value))
        return QString();
    switch (value.typeId()) {
    case QMetaType::QString:
        return value.toString();
    case QMetaType::Double:
    case QMetaType::Float:
        return locastra::FormatNumber(value.toDouble());
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::QDate:
        return QLocale().toString(value.toDate(), QLocale::ShortFormat);
    case QMetaType::QDateTime:
        return QLocale().toString(value.toDateTime(), QLocale::ShortFormat);
    default:
        return value.toString();
    }
}

} // namespace actions
