#include "ColumnTypes.h"

#include <QDateTime>
#include <QRegularExpression>
#include <cmath>

namespace maphost {

namespace {

constexpr int MaxSignificantDigits = 15; // what a double holds for any decimal number

bool isInteger(const QString& text) {
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok);
    return ok && QString::number(value) == text; // no sign, leading zero or blank added
}

bool isReal(const QString& text) {
    static const QRegularExpression decimal(
        QStringLiteral("^-?(0|[1-9][0-9]*)(\\.([0-9]+))?([eE][-+]?[0-9]+)?$"));
    const QRegularExpressionMatch m = decimal.match(text);
    if (!m.hasMatch())
        return false;
    QString digits = m.captured(1) + m.captured(3);
    while (digits.size() > 1 && digits.startsWith(u'0'))
        digits.remove(0, 1);
    while (digits.size() > 1 && digits.endsWith(u'0'))
        digits.chop(1);
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok && std::isfinite(value) && digits.size() <= MaxSignificantDigits;
}

QDate toDate(const QString& text) {
    const QDate date = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
    return date.isValid() && date.toString(QStringLiteral("yyyy-MM-dd")) == text ? date : QDate();
}

QDateTime toDateTime(const QString& text) {
    for (const QString& format :
         {QStringLiteral("yyyy-MM-dd HH:mm:ss"), QStringLiteral("yyyy-MM-ddTHH:mm:ss")}) {
        const QDateTime value = QDateTime::fromString(text, format);
        if (value.isValid() && value.toString(format) == text)
            return value;
    }
    return {};
}

} // namespace

void ColumnType::add(const QString& text) {
    if (text.isEmpty())
        return;
    seenValue_ = true;
    integer_ = integer_ && isInteger(text);
    real_ = real_ && isReal(text);
    date_ = date_ && toDate(text).isValid();
    dateTime_ = dateTime_ && toDateTime(text).isValid();
}

QMetaType::Type ColumnType::type() const {
    if (!seenValue_)
        return QMetaType::QString;
    if (integer_)
        return QMetaType::LongLong;
    if (real_)
        return QMetaType::Double;
    if (date_)
        return QMetaType::QDate;
    if (dateTime_)
        return QMetaType::QDateTime;
    return QMetaType::QString;
}

QVariant ColumnType::convert(const QString& text, QMetaType::Type type) {
    if (text.isEmpty())
        return {};
    switch (type) {
    case QMetaType::LongLong:
        return QVariant(text.toLongLong());
    case QMetaType::Double:
        return QVariant(text.toDouble());
    case QMetaType::QDate:
        return QVariant(toDate(text));
    case QMetaType::QDateTime:
        return QVariant(toDateTime(text));
    default:
        return QVariant(text);
    }
}

} // namespace maphost
