#include "CellValues.h"

#include "UnoSupport.h"
#include "qtcompat/QtCompat.h"

#include <QDateTime>
#include <charconv>
#include <cmath>
#include <com/sun/star/table/CellContentType.hpp>
#include <com/sun/star/text/XText.hpp>

using namespace css;

namespace spreadsheet::calc {

namespace {

constexpr qlonglong ExactIntegers = qlonglong(1) << 53;

// Calc counts days from 30 December 1899 (day 0).
const QDate DayZero(1899, 12, 30);

double daysOf(const QDate& date) {
    return double(DayZero.daysTo(date));
}

double fractionOf(const QTime& time) {
    return time.msecsSinceStartOfDay() / 86400000.0;
}

CellValue text(const QString& value) {
    const bool lines = value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r'));
    return {value, CellFormat::General, int(value.size()), lines};
}

CellValue number(double value, CellFormat format, int length) {
    return {value, format, length};
}

} // namespace

int GeneralNumberLength(double number) {
    char text[32];
    const auto result =
        std::to_chars(text, text + sizeof text, number, std::chars_format::general, 15);
    return int(result.ptr - text);
}

int GeneralNumberLengthBound(double number) {
    const double size = std::abs(number);
    const int sign = std::signbit(number) ? 1 : 0; // "-0" too
    if (size == 0)
        return sign + 1;
    if (size >= 1 && size < 1e15)
        return sign + 16; // digits and the point
    if (size >= 1e-4 && size < 1)
        return sign + 20; // "0.", up to three zeros, the digits
    return sign + 21;     // digits, the point and an exponent of up to three digits
}

CellValue ToCell(const QVariant& value) {
    if (!value.isValid() || value.isNull())
        return {};
    // An invalid date or time (the host's "no date") and a number that is not finite
    // have no cell value: the cell stays empty.
    switch (qtcompat::typeId(value)) {
    case QMetaType::Bool:
        return number(value.toBool() ? 1.0 : 0.0, CellFormat::Boolean, 5);
    case QMetaType::QDate:
        if (!value.toDate().isValid())
            return {};
        return number(daysOf(value.toDate()), CellFormat::Date, 10);
    case QMetaType::QTime:
        if (!value.toTime().isValid())
            return {};
        return number(fractionOf(value.toTime()), CellFormat::Time, 8);
    case QMetaType::QDateTime: {
        const QDateTime moment = value.toDateTime();
        if (!moment.isValid())
            return {};
        return number(daysOf(moment.date()) + fractionOf(moment.time()), CellFormat::DateTime, 19);
    }
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar: {
        const double d = value.toDouble();
        if (!std::isfinite(d))
            return {};
        return number(d, CellFormat::General, UnmeasuredNumber);
    }
    case QMetaType::LongLong:
    case QMetaType::Long: {
        // Integers beyond 2^53 would not survive as a double: they are kept as text.
        const qlonglong whole = value.toLongLong();
        return std::abs(whole) <= ExactIntegers
                   ? number(double(whole), CellFormat::General, UnmeasuredNumber)
                   : text(value.toString());
    }
    case QMetaType::ULongLong:
    case QMetaType::ULong: {
        const qulonglong whole = value.toULongLong();
        return whole <= qulonglong(ExactIntegers)
                   ? number(double(whole), CellFormat::General, UnmeasuredNumber)
                   : text(value.toString());
    }
    default:
        return text(value.toString());
    }
}

uno::Any CellValue::toAny() const {
    if (const double* number = std::get_if<double>(&value))
        return uno::Any(*number);
    if (const QString* text = std::get_if<QString>(&value))
        return uno::Any(toOUString(*text));
    // An empty text leaves a cell empty; a void value would put an error into it.
    return uno::Any(rtl::OUString());
}

QVariant CellValue::toVariant() const {
    if (const double* number = std::get_if<double>(&value))
        return *number;
    if (const QString* text = std::get_if<QString>(&value))
        return *text;
    return {};
}

QString DisplayText(const CellValue& cell) {
    if (const double* value = std::get_if<double>(&cell.value)) {
        const double number = *value;
        switch (cell.format) {
        case CellFormat::Boolean:
            return QStringLiteral("FALSE"); // the wider of TRUE and FALSE
        case CellFormat::Date:
            return QStringLiteral("0000-00-00");
        case CellFormat::Time:
            return QStringLiteral("00:00:00");
        case CellFormat::DateTime:
            return QStringLiteral("0000-00-00 00:00:00");
        case CellFormat::General:
            return QString::number(number, 'g', 15);
        }
    }
    const QString* text = std::get_if<QString>(&cell.value);
    return text ? *text : QString();
}

QVariant ReadCell(const uno::Reference<table::XCell>& cell) {
    switch (cell->getType()) {
    case table::CellContentType_EMPTY:
        return {};
    case table::CellContentType_VALUE:
        return cell->getValue();
    default: // text, or the text a formula shows
        return toQString(uno::Reference<text::XText>(cell, uno::UNO_QUERY_THROW)->getString());
    }
}

} // namespace spreadsheet::calc
