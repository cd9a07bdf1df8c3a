#include "FieldValueText.h"

#include "addin/NumberFormat.h"
#include "addin/Utf8Text.h"
#include "qtcompat/QtCompat.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <charconv>

namespace actions {

bool IsNoValue(const QVariant& value) {
    return !value.isValid() || value.isNull();
}

QString FieldValueText(const QVariant& value) {
    if (IsNoValue(value))
        return QString();
    switch (qtcompat::typeId(value)) {
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

void AppendFieldValueText(QByteArray& out, const QVariant& value,
                          const locastra::NumberFormatter& numbers) {
    if (IsNoValue(value))
        return;
    switch (qtcompat::typeId(value)) {
    case QMetaType::QString:
        locastra::AppendUtf8(out, *static_cast<const QString*>(value.constData()));
        return;
    case QMetaType::Double:
    case QMetaType::Float:
        numbers.appendUtf8(out, value.toDouble());
        return;
    case QMetaType::LongLong:
    case QMetaType::Int: {
        // Integers as Qt converts them: plain decimal digits.
        char buffer[24];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, value.toLongLong()).ptr;
        out.append(buffer, end - buffer);
        return;
    }
    default:
        locastra::AppendUtf8(out, FieldValueText(value));
    }
}

} // namespace actions
